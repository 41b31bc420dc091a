#include "support/DirectDrawTestSupport.h"
#include "testing/DirectDrawSeams.h"
#include "testing/DisplayOverride.h"
#include "testing/ManualClock.h"
#include "win32/Clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testsupport::ComPtr;
using testsupport::CreateSurface;
using testsupport::PixelAt;

uint32_t Numbered(int x, int y) { return static_cast<uint32_t>(y * 16 + x + 1); }

std::vector<LONG> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A primary surface whose clipper is bound to an 8 by 6 stand-in window at (100, 50).
struct PrimaryTest : ::testing::Test {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(8 * 6, 0);
    platform::testing::FakeWindow window;
    ComPtr<IDirectDraw2> dd{testsupport::CreateDirectDraw2()};
    ComPtr<IDirectDrawSurface> primary;
    ComPtr<IDirectDrawClipper> clipper;

    void SetUp() override
    {
        window.hwnd = reinterpret_cast<HWND>(0x5150);
        window.clientOrigin = POINT{100, 50};
        window.pixels = platform::PixelView{pixels.data(), 8, 6, 8};
        platform::testing::UseFakeWindow(&window);
        primary.p = CreateSurface(dd, testsupport::PrimaryDesc());
        ASSERT_TRUE(primary);
        ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
    }

    void Bind()
    {
        ASSERT_EQ(clipper->SetHWnd(0, window.hwnd), DD_OK);
        ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    }

    void TearDown() override
    {
        platform::testing::ResetDirectDrawSeams();
        platform::testing::ClearDisplayModeOverride();
        platform::testing::UseManualClock(false);
    }

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * 8 + x]; }

    IDirectDrawSurface* Source(int w, int h)
    {
        IDirectDrawSurface* s = CreateSurface(dd, testsupport::OffscreenDesc(w, h));
        testsupport::Paint(s, Numbered);
        return s;
    }
};

TEST_F(PrimaryTest, PrimaryIsTheScreen)
{
    platform::testing::OverrideDisplayMode(800, 600, 32);
    ComPtr<IDirectDrawSurface> screen(CreateSurface(dd, testsupport::PrimaryDesc()));
    const DDSURFACEDESC d = testsupport::DescOf(screen);
    EXPECT_EQ(d.dwWidth, 800u);
    EXPECT_EQ(d.dwHeight, 600u);
    EXPECT_TRUE(d.ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE);
}

TEST_F(PrimaryTest, PresentStretchesIntoTheClientArea)
{
    Bind();
    ComPtr<IDirectDrawSurface> back(Source(4, 3));
    RECT client{100, 50, 108, 56};
    ASSERT_EQ(primary->Blt(&client, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(At(x, y), Numbered(x / 2, y / 2)) << x << "," << y;
    ASSERT_EQ(window.updates.size(), 1u);
    EXPECT_EQ(window.updates[0].right, 8);
    EXPECT_EQ(window.updates[0].bottom, 6);
}

TEST_F(PrimaryTest, PresentIsClippedToTheClientArea)
{
    Bind();
    ComPtr<IDirectDrawSurface> back(Source(8, 6));
    // Four columns left of the client area and two rows above it; the rest lands at the top left.
    RECT over{96, 48, 104, 54};
    ASSERT_EQ(primary->Blt(&over, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(At(0, 0), Numbered(4, 2));
    EXPECT_EQ(At(3, 3), Numbered(7, 5));
    EXPECT_EQ(At(4, 0), 0u);
    EXPECT_EQ(At(0, 4), 0u);
    ASSERT_EQ(window.updates.size(), 1u);
    EXPECT_EQ(window.updates[0].left, 0);
    EXPECT_EQ(window.updates[0].right, 4);
    EXPECT_EQ(window.updates[0].bottom, 4);

    // Wholly off the window: nothing drawn, still a success.
    RECT away{0, 0, 10, 10};
    EXPECT_EQ(primary->Blt(&away, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(window.updates.size(), 1u);
    RECT inverted{108, 50, 100, 56}, vast{-2000000000, 50, 2000000000, 56};
    EXPECT_EQ(primary->Blt(&inverted, back, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
    EXPECT_EQ(primary->Blt(&vast, back, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
}

TEST_F(PrimaryTest, WithoutAWindowNothingIsDrawn)
{
    ComPtr<IDirectDrawSurface> back(Source(8, 6));
    RECT client{100, 50, 108, 56};
    EXPECT_EQ(primary->Blt(&client, back, nullptr, DDBLT_WAIT, nullptr), DD_OK); // no clipper
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    EXPECT_EQ(primary->Blt(&client, back, nullptr, DDBLT_WAIT, nullptr), DD_OK); // clipper without window
    EXPECT_TRUE(window.updates.empty());
    EXPECT_EQ(At(0, 0), 0u);
    EXPECT_EQ(clipper->SetHWnd(0, reinterpret_cast<HWND>(0x777)), DDERR_INVALIDPARAMS);
    EXPECT_EQ(primary->BltFast(0, 0, back, nullptr, DDBLTFAST_WAIT), DDERR_BLTFASTCANTCLIP);
}

TEST_F(PrimaryTest, ClipListIsTheClientArea)
{
    DWORD size = 0;
    EXPECT_EQ(clipper->GetClipList(nullptr, nullptr, &size), DDERR_NOCLIPLIST);
    Bind();
    ASSERT_EQ(clipper->GetClipList(nullptr, nullptr, &size), DD_OK);
    std::vector<char> buffer(size);
    auto* region = reinterpret_cast<RGNDATA*>(buffer.data());
    ASSERT_EQ(clipper->GetClipList(nullptr, region, &size), DD_OK);
    ASSERT_EQ(region->rdh.nCount, 1u);
    EXPECT_EQ(region->rdh.rcBound.left, 100);
    EXPECT_EQ(region->rdh.rcBound.bottom, 56);
}

TEST_F(PrimaryTest, BlitsAreRecordedFromTheirArgumentsAndStillDone)
{
    ComPtr<IDirectDrawSurface> a(Source(4, 4)), b(Source(8, 8));
    // A failure set up before the recording starts is still there after it.
    platform::testing::FailNextSurfaceCreations(1);
    platform::testing::RecordBlits(true);
    IDirectDrawSurface* none = nullptr;
    DDSURFACEDESC desc = testsupport::OffscreenDesc(2, 2);
    EXPECT_EQ(dd->CreateSurface(&desc, &none, nullptr), DDERR_OUTOFMEMORY);

    RECT src{0, 0, 2, 2}, off{6, 6, 10, 10};
    EXPECT_EQ(b->BltFast(3, 4, a, &src, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(PixelAt(b, 4, 5), Numbered(1, 1));
    EXPECT_EQ(b->Blt(nullptr, a, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(PixelAt(b, 7, 7), Numbered(3, 3));
    EXPECT_EQ(b->Blt(&off, a, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
    Bind();
    EXPECT_EQ(primary->Blt(nullptr, a, &src, DDBLT_WAIT, nullptr), DD_OK);

    const std::vector<platform::testing::BlitRecord> log = platform::testing::RecordedBlits();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_TRUE(log[0].fast);
    EXPECT_EQ(log[0].dest, b.p);
    EXPECT_EQ(log[0].src, a.p);
    EXPECT_TRUE(log[0].srcRectGiven);
    EXPECT_EQ(Corners(log[0].destRect), Corners({3, 4, 5, 6}));
    EXPECT_EQ(Corners(log[0].srcRect), Corners(src));
    EXPECT_EQ(log[0].flags, static_cast<DWORD>(DDBLTFAST_WAIT));
    EXPECT_EQ(log[0].result, DD_OK);

    EXPECT_FALSE(log[1].fast);
    EXPECT_FALSE(log[1].destRectGiven);
    EXPECT_FALSE(log[1].srcRectGiven);
    EXPECT_EQ(Corners(log[1].destRect), Corners({0, 0, 8, 8}));
    EXPECT_EQ(Corners(log[1].srcRect), Corners({0, 0, 4, 4}));
    EXPECT_EQ(log[1].flags, static_cast<DWORD>(DDBLT_WAIT));

    EXPECT_TRUE(log[2].destRectGiven);
    EXPECT_EQ(Corners(log[2].destRect), Corners(off));
    EXPECT_EQ(log[2].result, DDERR_INVALIDRECT);

    // The screen's whole is the display's.
    const DDSURFACEDESC screen = testsupport::DescOf(primary);
    EXPECT_EQ(log[3].dest, primary.p);
    EXPECT_EQ(Corners(log[3].destRect), Corners({0, 0, LONG(screen.dwWidth), LONG(screen.dwHeight)}));

    platform::testing::RecordBlits(false);
    EXPECT_EQ(b->BltFast(0, 0, a, nullptr, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(PixelAt(b, 3, 3), Numbered(3, 3));
    EXPECT_TRUE(platform::testing::RecordedBlits().empty());
}

TEST_F(PrimaryTest, VerticalBlankWaitSleepsToTheNextRefreshTick)
{
    platform::testing::UseManualClock(true, 0);
    platform::testing::OverrideDisplayMode(1024, 768, 32, 60);
    const uint64_t tick[] = {16666667, 33333334, 50000000, 66666667};
    for (uint64_t expected : tick) {
        ASSERT_EQ(dd->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
        EXPECT_EQ(platform::clock::NowNs(), expected);
    }
    platform::testing::AdvanceClockNs(1000000); // 67.67 ms: the next tick is the fifth
    ASSERT_EQ(dd->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
    EXPECT_EQ(platform::clock::NowNs(), 83333334u);

    platform::testing::OverrideDisplayMode(1024, 768, 32, 75);
    ASSERT_EQ(dd->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
    EXPECT_EQ(platform::clock::NowNs(), 93333334u);

    EXPECT_EQ(dd->WaitForVerticalBlank(DDWAITVB_BLOCKBEGINEVENT, nullptr), DDERR_UNSUPPORTED);
    platform::testing::SetVerticalBlankFails(true);
    EXPECT_EQ(dd->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DDERR_GENERIC);
    EXPECT_EQ(platform::clock::NowNs(), 93333334u);
}

} // namespace
