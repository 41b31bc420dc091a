// The frame window's state without a real window: mouse scaling, pixel format,
// palette, frame preparation and teardown.
#include "FrameTestSupport.h"
#include "testing/DirectDrawSeams.h"
#include "testing/DisplayOverride.h"

#include <gtest/gtest.h>

namespace {

struct FrameStateTest : ::testing::Test {
    void TearDown() override
    {
        win.OnDestroy();
        platform::testing::ResetDirectDrawSeams();
        platform::testing::ClearDisplayModeOverride();
    }
    void Client(LONG w, LONG h)
    {
        win.m_rcClient = {100, 50, 100 + w, 50 + h};
    }
    TestFrameWin win;
};

TEST_F(FrameStateTest, MouseIsScaledToTheBoardInSinglePrecision)
{
    Client(544, 404);
    win.OnMouseMove(0, CPoint(543, 403));
    EXPECT_EQ(g_nMouseX, 543);
    EXPECT_EQ(g_nMouseY, 403);

    Client(1088, 808);
    win.OnMouseMove(0, CPoint(1087, 807));
    EXPECT_EQ(g_nMouseX, 543);
    EXPECT_EQ(g_nMouseY, 403);

    Client(272, 202);
    win.OnMouseMove(0, CPoint(271, 201));
    EXPECT_EQ(g_nMouseX, 542);
    EXPECT_EQ(g_nMouseY, 402);

    Client(376, 404);
    win.OnMouseMove(0, CPoint(329, 0));
    EXPECT_EQ(g_nMouseX, 475); // 476 if computed exactly
}

TEST_F(FrameStateTest, MouseFlagsComeOnlyFromMoves)
{
    Client(544, 404);
    win.OnMouseMove(MK_LBUTTON, CPoint(10, 10));
    EXPECT_EQ(g_nMouseFlags, (UINT)MK_LBUTTON);
    win.OnMouseMove(MK_LBUTTON | MK_SHIFT, CPoint(11, 10));
    EXPECT_EQ(g_nMouseFlags, (UINT)(MK_LBUTTON | MK_SHIFT));
}

TEST_F(FrameStateTest, EmptyClientAreaKeepsThePositionWithoutFaulting)
{
    Client(544, 404);
    win.OnMouseMove(0, CPoint(20, 30));
    Client(0, 0);
    win.OnMouseMove(MK_RBUTTON, CPoint(5, 5));
    EXPECT_EQ(g_nMouseFlags, (UINT)MK_RBUTTON);
    EXPECT_EQ(g_nMouseX, 20);
    EXPECT_EQ(g_nMouseY, 30);
}

TEST_F(FrameStateTest, BitIndexes)
{
    EXPECT_EQ(DirectDrawWin::LowestBitIndex(0xF800), 11);
    EXPECT_EQ(DirectDrawWin::HighestBitIndex(0xF800), 15);
    EXPECT_EQ(DirectDrawWin::LowestBitIndex(0x80000000u), 31);
    EXPECT_EQ(DirectDrawWin::HighestBitIndex(1), 0);
    EXPECT_EQ(DirectDrawWin::LowestBitIndex(0), 0);
    EXPECT_EQ(DirectDrawWin::HighestBitIndex(0), 0);
}

struct PixelFormatCase {
    int bpp;
    WORD shifts[3];
    WORD widths[3];
};

class PixelFormatTest : public FrameStateTest, public ::testing::WithParamInterface<PixelFormatCase> {};

TEST_P(PixelFormatTest, ShiftsAndWidthsFollowTheDisplayMasks)
{
    const PixelFormatCase& c = GetParam();
    platform::testing::OverrideDisplayMode(800, 600, c.bpp);
    win.MakeDirectDraw();
    ASSERT_TRUE(win.StoreDisplayMode());
    EXPECT_EQ(win.m_nDisplayDepth, c.bpp);
    EXPECT_EQ(win.m_rcDisplay.right, 800);
    EXPECT_EQ(win.m_rcDisplay.bottom, 600);
    ASSERT_TRUE(win.StorePixelFormat());
    EXPECT_EQ(win.m_wRedShift, c.shifts[0]);
    EXPECT_EQ(win.m_wGreenShift, c.shifts[1]);
    EXPECT_EQ(win.m_wBlueShift, c.shifts[2]);
    EXPECT_EQ(win.m_wRedBits, c.widths[0]);
    EXPECT_EQ(win.m_wGreenBits, c.widths[1]);
    EXPECT_EQ(win.m_wBlueBits, c.widths[2]);
}

INSTANTIATE_TEST_SUITE_P(Displays, PixelFormatTest,
                         ::testing::Values(PixelFormatCase{16, {11, 5, 0}, {5, 6, 5}},
                                           PixelFormatCase{32, {16, 8, 0}, {8, 8, 8}},
                                           PixelFormatCase{8, {0, 0, 0}, {1, 1, 1}}));

TEST_F(FrameStateTest, PixelFormatAndDisplayModeStayWithoutObjects)
{
    win.m_wRedShift = 7;
    EXPECT_FALSE(win.StoreDisplayMode());
    EXPECT_FALSE(win.StorePixelFormat());
    EXPECT_EQ(win.m_wRedShift, 7);
}

class PaletteTest : public FrameStateTest, public ::testing::WithParamInterface<int> {};

TEST_P(PaletteTest, TakesEntriesTenTo245AtMost)
{
    const int count = GetParam();
    win.MakeDirectDraw();
    RGBQUAD colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {BYTE(i), BYTE(255 - i), BYTE(i ^ 0x55), 0x77};
    ASSERT_TRUE(win.CreatePaletteFromColors(colours, count));
    ASSERT_NE(win.m_pPalette, nullptr);
    PALETTEENTRY entries[256];
    ASSERT_EQ(win.m_pPalette->GetEntries(0, 0, 256, entries), DD_OK);
    for (int i = 0; i < 256; ++i) {
        bool taken = i >= 10 && i < 246 && i < count;
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].peRed, taken ? colours[i].rgbRed : 0);
        EXPECT_EQ(entries[i].peGreen, taken ? colours[i].rgbGreen : 0);
        EXPECT_EQ(entries[i].peBlue, taken ? colours[i].rgbBlue : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, PaletteTest, ::testing::Values(256, 100, 10));

TEST_F(FrameStateTest, AFailedPaletteLeavesNone)
{
    win.MakeDirectDraw();
    RGBQUAD colours[256] = {};
    ASSERT_TRUE(win.CreatePaletteFromColors(colours, 256));
    platform::testing::FailNextPaletteCreations(1);
    EXPECT_FALSE(win.CreatePaletteFromColors(colours, 256));
    EXPECT_EQ(win.m_pPalette, nullptr);
    EXPECT_EQ(platform::testing::LiveDirectDrawObjects().palettes, 0);
}

TEST_F(FrameStateTest, InactiveFrameTouchesNothing)
{
    win.MakeDirectDraw();
    platform::testing::MarkSurfaceLost(win.m_pPrimary);
    win.m_bActive = FALSE;
    EXPECT_FALSE(win.PrepareFrame());
    EXPECT_EQ(win.nRestores, 0);
    EXPECT_NE(win.m_pPrimary->IsLost(), DD_OK);
}

TEST_F(FrameStateTest, ALostPrimaryIsRestoredBeforeTheFrame)
{
    win.MakeDirectDraw();
    win.m_pBackBuffer = MakeSurface(win.m_pDirectDraw, 32, 32);
    EXPECT_TRUE(win.PrepareFrame());
    EXPECT_EQ(win.nRestores, 0);

    platform::testing::MarkSurfaceLost(win.m_pPrimary);
    platform::testing::MarkSurfaceLost(win.m_pBackBuffer);
    EXPECT_TRUE(win.PrepareFrame());
    EXPECT_EQ(win.nRestores, 1);
    EXPECT_EQ(win.m_pPrimary->IsLost(), DD_OK);
    EXPECT_EQ(win.m_pBackBuffer->IsLost(), DD_OK);
}

TEST_F(FrameStateTest, WithoutAPrimarySurfaceNothingIsTouched)
{
    win.m_pPrimary = NULL;
    EXPECT_TRUE(win.PrepareFrame());
    RGBQUAD colours[256] = {};
    EXPECT_FALSE(win.CreatePaletteFromColors(colours, 256)); // no DirectDraw object either
    win.OnActivate(WA_ACTIVE, NULL, FALSE);
}

TEST_F(FrameStateTest, DestroyReleasesOnceAndTwiceIsHarmless)
{
    win.MakeDirectDraw();
    win.m_pBackBuffer = MakeSurface(win.m_pDirectDraw, 8, 8);
    RGBQUAD colours[256] = {};
    ASSERT_TRUE(win.CreatePaletteFromColors(colours, 256));
    ASSERT_EQ(win.m_pDirectDraw->CreateClipper(0, &win.m_pClipper, NULL), DD_OK);

    win.OnDestroy();
    auto live = platform::testing::LiveDirectDrawObjects();
    EXPECT_EQ(live.directDraws, 0);
    EXPECT_EQ(live.surfaces, 0);
    EXPECT_EQ(live.clippers, 0);
    EXPECT_EQ(live.palettes, 0);
    EXPECT_EQ(win.m_pPrimary, nullptr);
    EXPECT_EQ(win.m_pDirectDraw, nullptr);
    win.OnDestroy();
}

} // namespace
