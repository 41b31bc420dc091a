#include "CardTestSupport.h"

#include <ostream>

void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace gametest {

EffectDraw EffectOf(const Card& card) { return EffectDraw{card.m_ppSheet, CRect(card.m_rcSrc), CRect(card.m_rcDst)}; }

void PrintTo(const EffectDraw& d, std::ostream* os)
{
    *os << "sheet " << d.ppSheet << " src ";
    ::PrintTo(d.rcSrc, os);
    *os << " dst ";
    ::PrintTo(d.rcDst, os);
}

Pixels ReadPixels(IDirectDrawSurface* surface)
{
    Pixels p;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
        ADD_FAILURE() << "surface cannot be locked";
        return p;
    }
    p.width = static_cast<int>(desc.dwWidth);
    p.height = static_cast<int>(desc.dwHeight);
    p.values.resize(static_cast<size_t>(p.width) * p.height);
    for (int y = 0; y < p.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(desc.lpSurface) +
                                                            static_cast<ptrdiff_t>(y) * desc.lPitch);
        for (int x = 0; x < p.width; ++x)
            p.values[static_cast<size_t>(y) * p.width + x] = row[x] & 0xFFFFFF;
    }
    surface->Unlock(nullptr);
    return p;
}

void CardTest::SetUp()
{
    GameWindowTest::SetUp();
    m_saved = SharedValues();
    MouseAt(-1000, -1000);
    g_nGameState = GS_NONE_UP;
    g_fRotateSpeed = 8.0f;
    pWin = Open();
    ASSERT_NE(pWin, nullptr);
}

void CardTest::TearDown()
{
    SharedValues() = m_saved;
    GameWindowTest::TearDown();
}

void CardTest::Frame(Card& card, float fElapsed, int x, int y)
{
    card.SetPos(x, y);
    card.Animate(&fElapsed);
    DrawOverBackground(card);
}

void CardTest::DrawOverBackground(AThing<MemWin*>& sprite)
{
    pWin->BltClipped(pWin->m_pBackBuffer, pWin->m_pBackgroundSurface, 0, 0, FALSE);
    sprite.Draw();
}

void CardTest::MouseAt(int x, int y)
{
    g_nMouseX = x;
    g_nMouseY = y;
}

void ExpectSheetIn(const Pixels& pixels, const RECT& dst, const std::string& sheet, const RECT& src)
{
    const int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
    const int sw = src.right - src.left, sh = src.bottom - src.top;
    int wrong = 0;
    for (int y = dst.top; y < dst.bottom; ++y)
        for (int x = dst.left; x < dst.right; ++x) {
            const int sx = src.left + (x - dst.left) * sw / dw;
            const int sy = src.top + (y - dst.top) * sh / dh;
            if (pixels.At(x, y) != BitmapPixel(sheet, sx, sy).value() && wrong++ < 5)
                ADD_FAILURE() << "pixel " << x << ", " << y << " is not " << sheet << " " << sx << ", " << sy;
        }
    EXPECT_EQ(wrong, 0);
}

void ExpectBackgroundIn(const Pixels& pixels, const RECT& r)
{
    int wrong = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (pixels.At(x, y) != BackgroundPixel(x, y).value() && wrong++ < 5)
                ADD_FAILURE() << "pixel " << x << ", " << y << " is not the background";
    EXPECT_EQ(wrong, 0);
}

} // namespace gametest
