#include "support/DirectDrawTestSupport.h"
#include "testing/DirectDrawSeams.h"
#include "testing/DisplayOverride.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::ComPtr;
using testsupport::CreateSurface;
using testsupport::OffscreenDesc;
using testsupport::PixelAt;

struct SurfaceTest : ::testing::Test {
    ComPtr<IDirectDraw2> dd{testsupport::CreateDirectDraw2()};

    void TearDown() override
    {
        platform::testing::ResetDirectDrawSeams();
        platform::testing::ClearDisplayModeOverride();
    }

    IDirectDrawSurface* Make(int w, int h, uint32_t (*pixel)(int, int) = nullptr)
    {
        IDirectDrawSurface* s = CreateSurface(dd, OffscreenDesc(w, h));
        if (s && pixel)
            testsupport::Paint(s, pixel);
        return s;
    }
};

uint32_t Numbered(int x, int y) { return static_cast<uint32_t>(y * 16 + x + 1); }
uint32_t Blank(int, int) { return 0; }

HRESULT Create(IDirectDraw2* dd, DDSURFACEDESC desc, IDirectDrawSurface** out)
{
    *out = reinterpret_cast<IDirectDrawSurface*>(0x1);
    return dd->CreateSurface(&desc, out, nullptr);
}

TEST_F(SurfaceTest, CreationChecksTheDescription)
{
    IDirectDrawSurface* s = nullptr;
    DDSURFACEDESC d = OffscreenDesc(8, 8);
    d.dwSize = 108; // the 32-bit platform's size is not this build's
    EXPECT_EQ(Create(dd, d, &s), DDERR_INVALIDPARAMS);
    EXPECT_EQ(s, nullptr);
    d = OffscreenDesc(8, 8);
    d.dwFlags &= ~DDSD_WIDTH;
    EXPECT_EQ(Create(dd, d, &s), DDERR_INVALIDPARAMS);
    EXPECT_EQ(Create(dd, OffscreenDesc(0, 8), &s), DDERR_INVALIDPARAMS);
    EXPECT_EQ(Create(dd, OffscreenDesc(8, 8, DDSCAPS_VIDEOMEMORY | DDSCAPS_SYSTEMMEMORY), &s), DDERR_INVALIDCAPS);
    EXPECT_EQ(Create(dd, OffscreenDesc(20000, 8), &s), DDERR_TOOBIGWIDTH);
    d = OffscreenDesc(8, 8);
    d.dwFlags |= DDSD_BACKBUFFERCOUNT;
    EXPECT_EQ(Create(dd, d, &s), DDERR_INVALIDPARAMS);
    d = testsupport::PrimaryDesc();
    d.dwFlags |= DDSD_WIDTH;
    d.dwWidth = 10;
    EXPECT_EQ(Create(dd, d, &s), DDERR_INVALIDPARAMS);
    d = OffscreenDesc(8, 8);
    EXPECT_EQ(dd->CreateSurface(&d, &s, reinterpret_cast<IUnknown*>(dd.p)), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(dd->CreateSurface(nullptr, &s, nullptr), DDERR_INVALIDPARAMS);

    IDirectDraw* raw = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &raw, nullptr), DD_OK);
    EXPECT_EQ(raw->CreateSurface(&d, &s, nullptr), DDERR_NOCOOPERATIVELEVELSET);
    raw->Release();
}

TEST_F(SurfaceTest, DescriptionTellsSizePlacementAndFormat)
{
    const DWORD video = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
    ComPtr<IDirectDrawSurface> s(CreateSurface(dd, OffscreenDesc(544, 404, video)));
    ASSERT_TRUE(s);
    DDSURFACEDESC d = testsupport::DescOf(s);
    EXPECT_EQ(d.dwWidth, 544u);
    EXPECT_EQ(d.dwHeight, 404u);
    EXPECT_TRUE(d.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY);
    EXPECT_TRUE(d.ddsCaps.dwCaps & DDSCAPS_OFFSCREENPLAIN);
    EXPECT_EQ(d.ddpfPixelFormat.dwRGBBitCount, 32u);
    d.dwSize = 0;
    EXPECT_EQ(s->GetSurfaceDesc(&d), DDERR_INVALIDPARAMS);
}

TEST_F(SurfaceTest, ShortVideoMemoryLeavesSystemMemory)
{
    platform::testing::SetVideoMemoryShort(true);
    IDirectDrawSurface* s = nullptr;
    EXPECT_EQ(Create(dd, OffscreenDesc(544, 404, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY), &s),
              DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(s, nullptr);
    ComPtr<IDirectDrawSurface> sys(
        CreateSurface(dd, OffscreenDesc(544, 404, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY)));
    ASSERT_TRUE(sys);
    DDSCAPS caps{};
    sys->GetCaps(&caps);
    EXPECT_TRUE(caps.dwCaps & DDSCAPS_SYSTEMMEMORY);
}

TEST_F(SurfaceTest, CreationsFailAsManyTimesAsAsked)
{
    using namespace platform::testing;
    FailNextSurfaceCreations(1, DDERR_OUTOFMEMORY);
    IDirectDrawSurface* s = nullptr;
    EXPECT_EQ(Create(dd, OffscreenDesc(4, 4), &s), DDERR_OUTOFMEMORY);
    ComPtr<IDirectDrawSurface> ok(CreateSurface(dd, OffscreenDesc(4, 4)));
    EXPECT_TRUE(ok);

    FailNextClipperCreations(1);
    IDirectDrawClipper* clipper = nullptr;
    EXPECT_TRUE(FAILED(dd->CreateClipper(0, &clipper, nullptr)));
    EXPECT_EQ(clipper, nullptr);
    FailNextPaletteCreations(1);
    PALETTEENTRY entries[256] = {};
    IDirectDrawPalette* palette = nullptr;
    EXPECT_TRUE(FAILED(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr)));
    FailNextDirectDrawCreations(1);
    IDirectDraw* raw = nullptr;
    EXPECT_EQ(DirectDrawCreate(nullptr, &raw, nullptr), DDERR_GENERIC);
    EXPECT_EQ(raw, nullptr);
}

struct FormatCase {
    int bits;
    DWORD flags, count, r, g, b;
};

struct PixelFormatTest : SurfaceTest, ::testing::WithParamInterface<FormatCase> {};

TEST_P(PixelFormatTest, PrimaryAndDisplayModeReportTheDisplayFormat)
{
    const FormatCase c = GetParam();
    platform::testing::OverrideDisplayMode(800, 600, c.bits);
    ComPtr<IDirectDrawSurface> primary(CreateSurface(dd, testsupport::PrimaryDesc()));
    ASSERT_TRUE(primary);
    DDPIXELFORMAT pf{};
    pf.dwSize = sizeof(pf);
    ASSERT_EQ(primary->GetPixelFormat(&pf), DD_OK);
    DDSURFACEDESC mode{};
    mode.dwSize = sizeof(mode);
    ASSERT_EQ(dd->GetDisplayMode(&mode), DD_OK);
    for (const DDPIXELFORMAT& f : {pf, mode.ddpfPixelFormat}) {
        EXPECT_EQ(f.dwFlags, c.flags);
        EXPECT_EQ(f.dwRGBBitCount, c.count);
        EXPECT_EQ(f.dwRBitMask, c.r);
        EXPECT_EQ(f.dwGBitMask, c.g);
        EXPECT_EQ(f.dwBBitMask, c.b);
    }
    EXPECT_EQ(mode.dwWidth, 800u);
    EXPECT_EQ(mode.dwHeight, 600u);
    pf.dwSize = 0;
    EXPECT_EQ(primary->GetPixelFormat(&pf), DDERR_INVALIDPARAMS);
}

INSTANTIATE_TEST_SUITE_P(Depths, PixelFormatTest,
                         ::testing::Values(FormatCase{32, DDPF_RGB, 32, 0xFF0000, 0xFF00, 0xFF},
                                           FormatCase{16, DDPF_RGB, 16, 0xF800, 0x07E0, 0x001F},
                                           FormatCase{8, DDPF_RGB | DDPF_PALETTEINDEXED8, 8, 0, 0, 0}),
                         [](const auto& info) { return std::to_string(info.param.bits) + "bpp"; });

TEST_F(SurfaceTest, BltFastCopiesUnscaledAndRefusesWhatDoesNotFit)
{
    ComPtr<IDirectDrawSurface> src(Make(4, 3, Numbered)), dst(Make(6, 5, Blank));
    RECT part{1, 1, 3, 3};
    ASSERT_EQ(dst->BltFast(4, 3, src, &part, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(PixelAt(dst, 4, 3), Numbered(1, 1));
    EXPECT_EQ(PixelAt(dst, 5, 4), Numbered(2, 2));
    EXPECT_EQ(PixelAt(dst, 3, 3), 0u);

    // One pixel past the right or bottom edge, a position past the surface, source
    // rectangles outside the source or turned over: refused, nothing written.
    ComPtr<IDirectDrawSurface> clean(Make(6, 5, Blank));
    EXPECT_EQ(clean->BltFast(5, 3, src, &part, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(clean->BltFast(0, 4, src, &part, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(clean->BltFast(0xFFFFFFFF, 0, src, &part, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    RECT outside{2, 0, 5, 2}, inverted{3, 0, 1, 2}, empty{1, 1, 1, 2};
    EXPECT_EQ(clean->BltFast(0, 0, src, &outside, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(clean->BltFast(0, 0, src, &inverted, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(clean->BltFast(0, 0, src, &empty, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(clean->BltFast(0, 0, nullptr, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDPARAMS);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(PixelAt(clean, x, y), 0u);
}

TEST_F(SurfaceTest, BltRefusesRectanglesOffTheSurface)
{
    ComPtr<IDirectDrawSurface> src(Make(4, 4, Numbered)), dst(Make(4, 4, Blank));
    RECT hanging{-1, 0, 3, 4}, below{0, 2, 4, 5}, inverted{3, 0, 1, 4}, empty{2, 2, 2, 4};
    for (RECT* r : {&hanging, &below, &inverted, &empty})
        EXPECT_EQ(dst->Blt(r, src, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
    for (RECT* r : {&hanging, &below, &inverted, &empty})
        EXPECT_EQ(dst->Blt(nullptr, src, r, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
    EXPECT_EQ(PixelAt(dst, 0, 0), 0u);
    EXPECT_EQ(PixelAt(dst, 3, 3), 0u);
    // With a clipper the destination may hang over the edge: the part on the surface is drawn.
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(dst->SetClipper(clipper), DD_OK);
    clipper->Release();
    ASSERT_EQ(dst->Blt(&hanging, src, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(PixelAt(dst, 0, 0), Numbered(1, 0));
    EXPECT_EQ(dst->BltFast(0, 0, src, nullptr, DDBLTFAST_WAIT), DDERR_BLTFASTCANTCLIP);
}

TEST_F(SurfaceTest, BltStretchesWithNearestNeighbour)
{
    ComPtr<IDirectDrawSurface> src(Make(3, 2, Numbered)), dst(Make(5, 4, Blank));
    ASSERT_EQ(dst->Blt(nullptr, src, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    // Destination pixel i samples source pixel i * 3 / 5 across, i * 2 / 4 down.
    const int xs[5] = {0, 0, 1, 1, 2};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(PixelAt(dst, x, y), Numbered(xs[x], y / 2)) << x << "," << y;

    // Shrinking a 128-pixel card to an 8-pixel band takes every sixteenth column.
    ComPtr<IDirectDrawSurface> card(Make(128, 1, Numbered)), band(Make(8, 1, Blank));
    ASSERT_EQ(band->Blt(nullptr, card, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(PixelAt(band, x, 0), Numbered(16 * x, 0));
}

TEST_F(SurfaceTest, BltWithinOneSurfaceReadsTheOldPixels)
{
    ComPtr<IDirectDrawSurface> s(Make(4, 4, Numbered));
    RECT from{0, 0, 3, 3}, to{1, 1, 4, 4};
    ASSERT_EQ(s->Blt(&to, s, &from, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(PixelAt(s, 3, 3), Numbered(2, 2));
    EXPECT_EQ(PixelAt(s, 1, 1), Numbered(0, 0));
}

TEST_F(SurfaceTest, SourceColourKeySkipsKeyedPixels)
{
    constexpr uint32_t magenta = 0xFF00FF;
    ComPtr<IDirectDrawSurface> src(Make(2, 1, [](int x, int) { return x ? 0x123456u : 0xFF00FFu; }));
    ComPtr<IDirectDrawSurface> dst(Make(2, 1, [](int, int) { return 0x777777u; }));
    EXPECT_EQ(dst->BltFast(0, 0, src, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DDERR_COLORKEYNOTSET);
    DDCOLORKEY key{magenta, magenta};
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    ASSERT_EQ(dst->BltFast(0, 0, src, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(PixelAt(dst, 0, 0), 0x777777u);
    EXPECT_EQ(PixelAt(dst, 1, 0), 0x123456u);

    ComPtr<IDirectDrawSurface> wide(Make(4, 1, [](int, int) { return 0x777777u; }));
    ASSERT_EQ(wide->Blt(nullptr, src, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr), DD_OK);
    EXPECT_EQ(PixelAt(wide, 1, 0), 0x777777u);
    EXPECT_EQ(PixelAt(wide, 2, 0), 0x123456u);
    DDCOLORKEY back{};
    ASSERT_EQ(src->GetColorKey(DDCKEY_SRCBLT, &back), DD_OK);
    EXPECT_EQ(back.dwColorSpaceLowValue, magenta);
    EXPECT_EQ(src->GetColorKey(DDCKEY_DESTBLT, &back), DDERR_NOCOLORKEY);
}

TEST_F(SurfaceTest, ColourKeyAndFillAreInTheSurfacesFormat)
{
    platform::testing::OverrideDisplayMode(800, 600, 16);
    ComPtr<IDirectDrawSurface> src(Make(2, 1, [](int x, int) { return x ? 0x00FF00u : 0xFF00FFu; }));
    ComPtr<IDirectDrawSurface> dst(Make(2, 1, Blank));
    DDCOLORKEY key{0xF81F, 0xF81F}; // magenta in 5-6-5
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    ASSERT_EQ(dst->BltFast(0, 0, src, nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(PixelAt(dst, 0, 0), 0u);
    EXPECT_EQ(PixelAt(dst, 1, 0), 0x00FF00u);
    DDBLTFX fx{};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = 0xF800; // full red
    RECT left{0, 0, 1, 1};
    ASSERT_EQ(dst->Blt(&left, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(PixelAt(dst, 0, 0), 0xFF0000u);
    EXPECT_EQ(dst->Blt(&left, nullptr, nullptr, DDBLT_COLORFILL, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(SurfaceTest, LostSurfaceRefusesBlitsUntilRestored)
{
    ComPtr<IDirectDrawSurface> a(Make(4, 4, Numbered)), b(Make(4, 4, Numbered));
    platform::testing::MarkSurfaceLost(a);
    EXPECT_EQ(a->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(b->IsLost(), DD_OK);
    EXPECT_EQ(a->BltFast(0, 0, b, nullptr, DDBLTFAST_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(b->BltFast(0, 0, a, nullptr, DDBLTFAST_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(b->Blt(nullptr, a, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);
    HDC dc = nullptr;
    EXPECT_EQ(a->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(PixelAt(b, 1, 1), Numbered(1, 1));

    ASSERT_EQ(a->Restore(), DD_OK);
    EXPECT_EQ(a->IsLost(), DD_OK);
    EXPECT_EQ(PixelAt(a, 1, 1), 0u); // the memory came back empty
    EXPECT_EQ(a->BltFast(0, 0, b, nullptr, DDBLTFAST_WAIT), DD_OK);
}

TEST_F(SurfaceTest, SurfaceWithItsDcOutIsBusy)
{
    ComPtr<IDirectDrawSurface> a(Make(4, 4)), b(Make(4, 4));
    HDC dc = nullptr, other = nullptr;
    EXPECT_EQ(a->ReleaseDC(nullptr), DDERR_NODC);
    ASSERT_EQ(a->GetDC(&dc), DD_OK);
    EXPECT_EQ(a->GetDC(&other), DDERR_DCALREADYCREATED);
    EXPECT_EQ(a->BltFast(0, 0, b, nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    EXPECT_EQ(a->ReleaseDC(reinterpret_cast<HDC>(0x99)), DDERR_INVALIDPARAMS);
    EXPECT_EQ(a->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(a->BltFast(0, 0, b, nullptr, DDBLTFAST_WAIT), DD_OK);
}

TEST_F(SurfaceTest, ObjectsLiveUntilTheirLastRelease)
{
    const auto before = platform::testing::LiveDirectDrawObjects();
    IDirectDraw* raw = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &raw, nullptr), DD_OK);
    IDirectDraw2* dd2 = nullptr;
    ASSERT_EQ(raw->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&dd2)), DD_OK);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(raw->QueryInterface(IID_IDirectDrawSurface, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(raw->Release(), 1u);
    ASSERT_EQ(dd2->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    IDirectDrawSurface* s = CreateSurface(dd2, OffscreenDesc(4, 4));
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(dd2->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(s->SetClipper(clipper), DD_OK);
    EXPECT_EQ(clipper->Release(), 1u); // the surface holds the other reference
    EXPECT_EQ(dd2->Release(), 0u);
    // The surface outlives the DirectDraw object that made it.
    EXPECT_EQ(s->IsLost(), DD_OK);
    EXPECT_EQ(s->AddRef(), 2u);
    EXPECT_EQ(s->Release(), 1u);
    auto during = platform::testing::LiveDirectDrawObjects();
    EXPECT_EQ(during.directDraws, before.directDraws);
    EXPECT_EQ(during.surfaces, before.surfaces + 1);
    EXPECT_EQ(during.clippers, before.clippers + 1);
    EXPECT_EQ(s->Release(), 0u);
    auto after = platform::testing::LiveDirectDrawObjects();
    EXPECT_EQ(after.surfaces, before.surfaces);
    EXPECT_EQ(after.clippers, before.clippers);
}

TEST_F(SurfaceTest, PaletteTakesItsEntriesAndAttachesOnlyToPaletteDisplays)
{
    PALETTEENTRY entries[256] = {};
    entries[10] = PALETTEENTRY{1, 2, 3, 0};
    ComPtr<IDirectDrawPalette> palette;
    ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
    PALETTEENTRY back[2] = {};
    ASSERT_EQ(palette->GetEntries(0, 9, 2, back), DD_OK);
    EXPECT_EQ(back[1].peBlue, 3);
    EXPECT_EQ(palette->GetEntries(0, 255, 2, back), DDERR_INVALIDPARAMS);
    IDirectDrawPalette* bad = nullptr;
    EXPECT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, nullptr, &bad, nullptr), DDERR_INVALIDPARAMS);

    ComPtr<IDirectDrawSurface> primary32(CreateSurface(dd, testsupport::PrimaryDesc()));
    EXPECT_EQ(primary32->SetPalette(palette), DDERR_INVALIDPIXELFORMAT);
    EXPECT_EQ(primary32->SetPalette(nullptr), DD_OK);
    platform::testing::OverrideDisplayMode(640, 480, 8);
    ComPtr<IDirectDrawSurface> primary8(CreateSurface(dd, testsupport::PrimaryDesc()));
    ASSERT_EQ(primary8->SetPalette(palette), DD_OK);
    ComPtr<IDirectDrawPalette> attached;
    ASSERT_EQ(primary8->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached.p, palette.p);
}

} // namespace
