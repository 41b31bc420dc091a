#include "FrameTestSupport.h"
#include "testing/DirectDrawSeams.h"

#include <gtest/gtest.h>

namespace {

using platform::testing::RecordBlits;
using platform::testing::RecordedBlits;

class BltClippedTest : public ::testing::Test {
protected:
    void SetUp() override { win.MakeDirectDraw(); }
    void TearDown() override
    {
        for (LPDIRECTDRAWSURFACE p : surfaces)
            p->Release();
        win.OnDestroy();
        platform::testing::ResetDirectDrawSeams();
    }
    LPDIRECTDRAWSURFACE Surface(int w, int h)
    {
        surfaces.push_back(MakeSurface(win.m_pDirectDraw, w, h));
        return surfaces.back();
    }
    static void ExpectRect(const RECT& r, LONG l, LONG t, LONG rr, LONG b)
    {
        EXPECT_EQ(r.left, l);
        EXPECT_EQ(r.top, t);
        EXPECT_EQ(r.right, rr);
        EXPECT_EQ(r.bottom, b);
    }

    TestFrameWin win;
    std::vector<LPDIRECTDRAWSURFACE> surfaces;
};

TEST_F(BltClippedTest, SourceWhollyOutsideDrawsNothing)
{
    LPDIRECTDRAWSURFACE dest = Surface(64, 32);
    LPDIRECTDRAWSURFACE src = Surface(16, 8);
    RecordBlits(true);
    EXPECT_FALSE(win.BltClipped(dest, src, 64, 0, FALSE));
    EXPECT_FALSE(win.BltClipped(dest, src, -16, 0, FALSE));
    EXPECT_FALSE(win.BltClipped(dest, src, 0, 32, FALSE));
    EXPECT_FALSE(win.BltClipped(dest, src, 0, -8, FALSE));
    EXPECT_FALSE(win.BltClipped(NULL, src, 0, 0, FALSE));
    EXPECT_FALSE(win.BltClipped(dest, NULL, 0, 0, FALSE));
    EXPECT_TRUE(RecordedBlits().empty());
}

TEST_F(BltClippedTest, LastColumnLandsInTheFirstColumn)
{
    LPDIRECTDRAWSURFACE dest = Surface(64, 32);
    LPDIRECTDRAWSURFACE src = Surface(16, 8);
    Fill(dest, 0x000000);
    Fill(src, 0x112233);
    RecordBlits(true);
    EXPECT_TRUE(win.BltClipped(dest, src, 1 - 16, 0, FALSE));
    ASSERT_EQ(RecordedBlits().size(), 1u);
    const auto& b = RecordedBlits()[0];
    EXPECT_FALSE(b.fast);
    ExpectRect(b.srcRect, 15, 0, 16, 8);
    ExpectRect(b.destRect, 0, 0, 1, 8);
    EXPECT_EQ(b.flags, (DWORD)DDBLT_WAIT);
    EXPECT_EQ(PixelAt(dest, 0, 7), 0x112233u);
    EXPECT_EQ(PixelAt(dest, 1, 0), 0x000000u);
}

TEST_F(BltClippedTest, LargerSourceAtOriginCopiesTheTopLeftPartWithBltFast)
{
    LPDIRECTDRAWSURFACE dest = Surface(40, 30);
    LPDIRECTDRAWSURFACE src = Surface(100, 50);
    RecordBlits(true);
    EXPECT_TRUE(win.BltClipped(dest, src, 0, 0, FALSE));
    ASSERT_EQ(RecordedBlits().size(), 1u);
    EXPECT_TRUE(RecordedBlits()[0].fast);
    ExpectRect(RecordedBlits()[0].srcRect, 0, 0, 40, 30);
    EXPECT_EQ(RecordedBlits()[0].flags, (DWORD)DDBLTFAST_WAIT);
}

TEST_F(BltClippedTest, SmallerSourceLeavesTheRestOfDest)
{
    LPDIRECTDRAWSURFACE dest = Surface(544, 404);
    LPDIRECTDRAWSURFACE src = Surface(540, 400);
    Fill(dest, 0x0000FF);
    Fill(src, 0xFF0000);
    EXPECT_TRUE(win.BltClipped(dest, src, 0, 0, FALSE));
    EXPECT_EQ(PixelAt(dest, 539, 399), 0xFF0000u);
    EXPECT_EQ(PixelAt(dest, 540, 10), 0x0000FFu);
    EXPECT_EQ(PixelAt(dest, 10, 400), 0x0000FFu);
}

TEST_F(BltClippedTest, NegativePositionUsesBltWithMatchingRectangles)
{
    LPDIRECTDRAWSURFACE dest = Surface(640, 480);
    LPDIRECTDRAWSURFACE src = Surface(100, 50);
    RecordBlits(true);
    EXPECT_TRUE(win.BltClipped(dest, src, -10, 5, TRUE));
    ASSERT_EQ(RecordedBlits().size(), 1u);
    const auto& b = RecordedBlits()[0];
    EXPECT_FALSE(b.fast);
    ExpectRect(b.srcRect, 10, 0, 100, 50);
    ExpectRect(b.destRect, 0, 5, 90, 55);
    EXPECT_EQ(b.flags, (DWORD)(DDBLT_WAIT | DDBLT_KEYSRC));
}

TEST_F(BltClippedTest, ColourKeyFlagOnTheFastPath)
{
    LPDIRECTDRAWSURFACE dest = Surface(64, 64);
    LPDIRECTDRAWSURFACE src = Surface(8, 8);
    RecordBlits(true);
    EXPECT_TRUE(win.BltClipped(dest, src, 60, 3, TRUE));
    ASSERT_EQ(RecordedBlits().size(), 1u);
    ExpectRect(RecordedBlits()[0].srcRect, 0, 0, 4, 8);
    EXPECT_EQ(RecordedBlits()[0].flags, (DWORD)(DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT));
}

TEST_F(BltClippedTest, ReportsTrueEvenWhenTheBlitFails)
{
    LPDIRECTDRAWSURFACE dest = Surface(64, 64);
    LPDIRECTDRAWSURFACE src = Surface(8, 8);
    platform::testing::MarkSurfaceLost(dest);
    RecordBlits(true);
    EXPECT_TRUE(win.BltClipped(dest, src, 0, 0, FALSE));
    ASSERT_EQ(RecordedBlits().size(), 1u);
    EXPECT_NE(RecordedBlits()[0].result, DD_OK);
}

} // namespace
