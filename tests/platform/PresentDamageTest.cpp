// The present writes and reports only what changed. Thousands of random frames: after
// each, the window's pixels must equal a full present of the same back buffer, and a
// screen that takes from them only the reported rectangles must show exactly that.
#include "pixels/Blitter.h"
#include "support/DirectDrawTestSupport.h"
#include "testing/DirectDrawSeams.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <vector>

namespace {

using testsupport::ComPtr;
using testsupport::CreateSurface;

struct Shape {
    int clientW, clientH; // the window's client area
    int backW, backH;     // the back buffer
    RECT dest;            // the present's rectangle, client coordinates
};

void PrintTo(const Shape& s, std::ostream* os)
{
    *os << "client " << s.clientW << "x" << s.clientH << ", back buffer " << s.backW << "x" << s.backH << ", onto ("
        << s.dest.left << "," << s.dest.top << ")-(" << s.dest.right << "," << s.dest.bottom << ")";
}

class PresentDamageTest : public ::testing::TestWithParam<Shape> {
protected:
    static constexpr POINT kOrigin{300, 200};

    Shape shape = GetParam();
    std::vector<uint32_t> pixels;   // what the window holds
    std::vector<uint32_t> screen;   // what it shows: only the reported parts are taken
    std::vector<uint32_t> expected; // the window after a full present of every frame
    platform::testing::FakeWindow window;
    ComPtr<IDirectDraw2> dd{testsupport::CreateDirectDraw2()};
    ComPtr<IDirectDrawSurface> primary;
    ComPtr<IDirectDrawSurface> back;
    ComPtr<IDirectDrawClipper> clipper;
    std::mt19937 random{12345};
    size_t reported = 0;

    void SetUp() override
    {
        const size_t n = static_cast<size_t>(shape.clientW) * shape.clientH;
        pixels.assign(n, 0);
        screen.assign(n, 0);
        expected.assign(n, 0);
        window.hwnd = reinterpret_cast<HWND>(0x5151);
        window.clientOrigin = kOrigin;
        window.pixels = platform::PixelView{pixels.data(), shape.clientW, shape.clientH, shape.clientW};
        platform::testing::UseFakeWindow(&window);
        primary.p = CreateSurface(dd, testsupport::PrimaryDesc());
        back.p = CreateSurface(dd, testsupport::OffscreenDesc(shape.backW, shape.backH));
        ASSERT_TRUE(primary && back);
        ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
        ASSERT_EQ(clipper->SetHWnd(0, window.hwnd), DD_OK);
        ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    }

    void TearDown() override { platform::testing::ResetDirectDrawSeams(); }

    int Uniform(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }

    // Changes a rectangle of the back buffer: one colour, or noise.
    void Change(const RECT& r)
    {
        DDSURFACEDESC d{};
        d.dwSize = sizeof(d);
        ASSERT_EQ(back->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
        auto* bits = static_cast<uint32_t*>(d.lpSurface);
        const bool noise = Uniform(2);
        const uint32_t colour = random() & 0xFFFFFF;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                bits[y * (d.lPitch / 4) + x] = noise ? random() & 0xFFFFFF : colour;
        ASSERT_EQ(back->Unlock(nullptr), DD_OK);
    }

    // One of the kinds of change a frame of the game makes, or none.
    void ChangeSomething()
    {
        const int w = shape.backW, h = shape.backH;
        switch (Uniform(8)) {
        case 0: // nothing
            break;
        case 1: // everything
            Change(RECT{0, 0, w, h});
            break;
        case 2: { // one pixel
            const int x = Uniform(w), y = Uniform(h);
            Change(RECT{x, y, x + 1, y + 1});
            break;
        }
        case 3: { // an edge: a column or a row at the border
            const int which = Uniform(4);
            Change(which == 0 ? RECT{0, 0, 1, h} : which == 1 ? RECT{w - 1, 0, w, h}
                   : which == 2 ? RECT{0, 0, w, 1} : RECT{0, h - 1, w, h});
            break;
        }
        case 4: // a corner pixel
            Change(Uniform(2) ? RECT{0, 0, 1, 1} : RECT{w - 1, h - 1, w, h});
            break;
        default: // a few rectangles, as cards turning
            for (int k = 1 + Uniform(4); k > 0; --k) {
                const int x = Uniform(w), y = Uniform(h);
                Change(RECT{x, y, x + 1 + Uniform(w - x), y + 1 + Uniform(h - y)});
            }
        }
    }

    // Presents the back buffer, once as the game does and once in full into `expected`,
    // and has the screen take what was reported. With a key, the back buffer's pixels of
    // its top-left colour are left out.
    void Present(bool keyed = false)
    {
        RECT onScreen{shape.dest.left + kOrigin.x, shape.dest.top + kOrigin.y, shape.dest.right + kOrigin.x,
                      shape.dest.bottom + kOrigin.y};
        DDSURFACEDESC d{};
        d.dwSize = sizeof(d);
        ASSERT_EQ(back->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
        const platform::PixelView src{static_cast<uint32_t*>(d.lpSurface), shape.backW, shape.backH,
                                      static_cast<int>(d.lPitch / 4)};
        DDBLTFX fx{};
        fx.dwSize = sizeof(fx);
        fx.ddckSrcColorkey.dwColorSpaceLowValue = fx.ddckSrcColorkey.dwColorSpaceHighValue = src.pixels[0];
        const platform::PixelView full{expected.data(), shape.clientW, shape.clientH, shape.clientW};
        const platform::blit::ColorKey key(fx.ddckSrcColorkey, d.ddpfPixelFormat);
        platform::blit::Stretch(full, shape.dest, RECT{0, 0, shape.clientW, shape.clientH}, src,
                                RECT{0, 0, shape.backW, shape.backH}, keyed ? &key : nullptr);
        ASSERT_EQ(back->Unlock(nullptr), DD_OK);
        ASSERT_EQ(primary->Blt(&onScreen, back, nullptr, DDBLT_WAIT | (keyed ? DDBLT_KEYSRCOVERRIDE : 0), &fx), DD_OK);

        for (; reported < window.updates.size(); ++reported) {
            const RECT r = window.updates[reported];
            ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= shape.clientW && r.bottom <= shape.clientH &&
                        r.left < r.right && r.top < r.bottom)
                << r.left << "," << r.top << "," << r.right << "," << r.bottom;
            for (LONG y = r.top; y < r.bottom; ++y)
                for (LONG x = r.left; x < r.right; ++x)
                    screen[y * shape.clientW + x] = pixels[y * shape.clientW + x];
        }
    }

    // The first pixel where the window or the screen differs from the full present.
    std::string Mismatch() const
    {
        for (int y = 0; y < shape.clientH; ++y)
            for (int x = 0; x < shape.clientW; ++x) {
                const size_t i = static_cast<size_t>(y) * shape.clientW + x;
                if (pixels[i] != expected[i] || screen[i] != expected[i])
                    return "at " + std::to_string(x) + "," + std::to_string(y) + ": window " +
                           std::to_string(pixels[i]) + ", screen " + std::to_string(screen[i]) + ", full present " +
                           std::to_string(expected[i]);
            }
        return "";
    }
};

TEST_P(PresentDamageTest, WindowAndScreenShowEveryFrameAsAFullPresentWould)
{
    for (int frame = 0; frame < 1500; ++frame) {
        ChangeSomething();
        const bool keyed = Uniform(8) == 0;
        Present(keyed);
        ASSERT_EQ(Mismatch(), "") << "frame " << frame << (keyed ? ", keyed" : "");
        // A second present of the same frame changes and reports nothing.
        const size_t shown = window.updates.size();
        Present(keyed);
        ASSERT_EQ(window.updates.size(), shown) << "frame " << frame;
    }
}

TEST_P(PresentDamageTest, PixelsChangedBehindThePresentAreMadeRightAndShown)
{
    // Something else wrote the window and had it shown (a dialog's face, a resize's black):
    // the next present compares with what the window holds, not with what it last presented.
    for (int round = 0; round < 200; ++round) {
        ChangeSomething();
        Present();
        // A pixel the present covers: the others are none of its business.
        const RECT covered = platform::blit::Intersect(shape.dest, RECT{0, 0, shape.clientW, shape.clientH});
        const int x = covered.left + Uniform(covered.right - covered.left);
        const int y = covered.top + Uniform(covered.bottom - covered.top);
        pixels[static_cast<size_t>(y) * shape.clientW + x] ^= 0x808080;
        screen[static_cast<size_t>(y) * shape.clientW + x] ^= 0x808080;
        Present();
        ASSERT_EQ(Mismatch(), "") << "round " << round;
    }
}

TEST_P(PresentDamageTest, AFrameThatChangesNothingReportsNothing)
{
    Change(RECT{0, 0, shape.backW, shape.backH});
    Present();
    const size_t after = window.updates.size();
    EXPECT_GT(after, 0u);
    for (int i = 0; i < 5; ++i)
        Present();
    EXPECT_EQ(window.updates.size(), after);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, PresentDamageTest,
    ::testing::Values(Shape{544, 404, 544, 404, RECT{0, 0, 544, 404}},  // the game's window
                      Shape{67, 45, 67, 45, RECT{0, 0, 67, 45}},        // widths off the tiles
                      Shape{100, 80, 40, 30, RECT{0, 0, 100, 80}},      // a stretched client, larger
                      Shape{50, 40, 90, 70, RECT{0, 0, 50, 40}},        // and smaller
                      Shape{60, 50, 60, 50, RECT{-7, 9, 53, 59}},       // partly off the client area
                      Shape{70, 50, 30, 20, RECT{5, 3, 64, 41}}),       // stretched inside it
    [](const auto& info) { return "Shape" + std::to_string(info.index); });

} // namespace
