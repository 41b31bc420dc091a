// Bitmaps into surfaces: from the program's resources, from a file of the same name, the
// stretch onto an existing surface, and the failures that leave a surface alone.
#include "FrameTestSupport.h"
#include "support/BmpFiles.h"
#include "testing/DirectDrawSeams.h"
#include "testing/GdiSeams.h"
#include "frame/BitmapSurface.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// A bitmap file in the working directory under a name of this process's own, removed afterwards.
struct TempBmp {
    std::string name;
    TempBmp(const std::string& stem, int width, int height, const testsupport::PixelFn& pixel)
        : name(stem + "_" + std::to_string(getpid()) + ".bmp")
    {
        testsupport::WriteFile(name, testsupport::MakeBmp(width, height, 24, false, pixel));
    }
    ~TempBmp() { std::remove(name.c_str()); }
};

// Tells every pixel apart on images up to 21 by 21.
uint32_t Grid(int x, int y) { return static_cast<uint32_t>((x * 12) << 16 | (y * 12) << 8 | 0x40); }

class BitmapSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        win.MakeDirectDraw();
        gdiObjects = platform::testing::LiveGdiObjects();
    }
    void TearDown() override
    {
        for (LPDIRECTDRAWSURFACE p : surfaces)
            p->Release();
        win.OnDestroy();
        platform::testing::ResetDirectDrawSeams();
        // Every bitmap and device context made on the way is gone again.
        EXPECT_EQ(platform::testing::LiveGdiObjects(), gdiObjects);
    }
    LPDIRECTDRAWSURFACE Keep(LPDIRECTDRAWSURFACE p)
    {
        if (p)
            surfaces.push_back(p);
        return p;
    }
    LPDIRECTDRAWSURFACE Load(const std::string& name, int dx = 0, int dy = 0)
    {
        return Keep(LoadBitmapSurface(win.m_pDirectDraw, name.c_str(), dx, dy, NULL));
    }
    static void ExpectPixels(LPDIRECTDRAWSURFACE p, const testsupport::PixelFn& expected)
    {
        SIZE size = SurfaceSize(p);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                ASSERT_EQ(PixelAt(p, x, y), expected(x, y)) << x << "," << y;
    }

    TestFrameWin win;
    std::vector<LPDIRECTDRAWSURFACE> surfaces;
    int gdiObjects = 0;
};

TEST_F(BitmapSurfaceTest, AResourceIsLoadedAtItsOwnSizeOneToOne)
{
    LPDIRECTDRAWSURFACE level = Load("LEVEL0");
    ASSERT_NE(level, nullptr);
    SIZE size = SurfaceSize(level);
    EXPECT_EQ(size.cx, 128);
    EXPECT_EQ(size.cy, 768);

    // The same picture as its source file, pixel for pixel.
    const char* sourceDir = std::getenv("MEMORY_SOURCE_DIR");
    ASSERT_NE(sourceDir, nullptr);
    LPDIRECTDRAWSURFACE file = Load(std::string(sourceDir) + "/res/LEVEL0.bmp");
    ASSERT_NE(file, nullptr);
    ExpectPixels(level, [&](int x, int y) { return PixelAt(file, x, y); });
}

TEST_F(BitmapSurfaceTest, ANameThatIsNoResourceIsLoadedFromTheFileOfExactlyThatName)
{
    TempBmp bmp("FrameTestImage", 13, 7, Grid);
    LPDIRECTDRAWSURFACE p = Load(bmp.name);
    ASSERT_NE(p, nullptr);
    ExpectSize(SurfaceSize(p), 13, 7);
    ExpectPixels(p, Grid);

    // No extension is added to the name.
    EXPECT_EQ(Load(bmp.name.substr(0, bmp.name.size() - 4)), nullptr);
    // The size asked of the loader is the surface's.
    LPDIRECTDRAWSURFACE wide = Load(bmp.name, 26, 7);
    ASSERT_NE(wide, nullptr);
    ExpectSize(SurfaceSize(wide), 26, 7);
    ExpectPixels(wide, [](int x, int y) { return Grid(x / 2, y); });
}

TEST_F(BitmapSurfaceTest, ReloadStretchesAnyImageToTheSurface)
{
    LPDIRECTDRAWSURFACE p = Keep(MakeSurface(win.m_pDirectDraw, 20, 10));
    TempBmp small("FrameTestSmall", 10, 5, Grid);
    EXPECT_EQ(ReloadBitmapSurface(p, small.name.c_str(), NULL), DD_OK);
    ExpectPixels(p, [](int x, int y) { return Grid(x / 2, y / 2); });

    // Twice the size, in blocks of two by two: halving keeps one pixel of each block.
    TempBmp large("FrameTestLarge", 40, 20, [](int x, int y) { return Grid(x / 2, y / 2); });
    platform::testing::MarkSurfaceLost(p); // the copy restores the surface first
    EXPECT_EQ(ReloadBitmapSurface(p, large.name.c_str(), NULL), DD_OK);
    EXPECT_EQ(p->IsLost(), DD_OK);
    ExpectPixels(p, Grid);
}

TEST_F(BitmapSurfaceTest, CopyTakesThePartOfTheBitmapGiven)
{
    TempBmp bmp("FrameTestPart", 13, 7, Grid);
    HBITMAP hbm = (HBITMAP)LoadImageA(NULL, bmp.name.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    ASSERT_NE(hbm, nullptr);
    LPDIRECTDRAWSURFACE p = Keep(MakeSurface(win.m_pDirectDraw, 5, 2));
    EXPECT_EQ(CopyBitmapToSurface(p, hbm, 2, 1, 5, 2), DD_OK);
    ExpectPixels(p, [](int x, int y) { return Grid(x + 2, y + 1); });

    // The bitmap stays the caller's; a null surface is refused.
    EXPECT_EQ(CopyBitmapToSurface(NULL, hbm, 0, 0, 0, 0), E_FAIL);
    EXPECT_TRUE(DeleteObject(hbm));
}

TEST_F(BitmapSurfaceTest, MissingImagesLeaveTheSurfaceAsItWas)
{
    LPDIRECTDRAWSURFACE p = Keep(MakeSurface(win.m_pDirectDraw, 8, 8));
    Fill(p, 0x123456);
    const std::string missing = "NoSuchImage_" + std::to_string(getpid());
    EXPECT_EQ(Load(missing), nullptr);
    EXPECT_EQ(ReloadBitmapSurface(p, missing.c_str(), NULL), E_FAIL);
    EXPECT_EQ(PixelAt(p, 3, 3), 0x123456u);

    // A null bitmap is refused before the surface is restored.
    platform::testing::MarkSurfaceLost(p);
    EXPECT_EQ(CopyBitmapToSurface(p, NULL, 0, 0, 0, 0), E_FAIL);
    EXPECT_NE(p->IsLost(), DD_OK);
}

TEST_F(BitmapSurfaceTest, AFailedSurfaceGivesNullAndDeletesTheBitmap)
{
    platform::testing::FailNextSurfaceCreations(1);
    EXPECT_EQ(Load("LEVEL0"), nullptr);
}

} // namespace
