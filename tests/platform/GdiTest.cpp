#include "support/BmpFiles.h"
#include "support/DirectDrawTestSupport.h"
#include "testing/DisplayOverride.h"
#include "testing/GdiSeams.h"
#include "gdi/BitmapFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <windows.h>

#include <climits>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using testsupport::MakeBmp;
using testsupport::Pattern;

// Bitmap files go into a folder of the working directory, named after this process.
struct GdiTest : ::testing::Test {
    std::string dir = "gdi_test_" + std::to_string(getpid());
    int liveBefore = platform::testing::LiveGdiObjects();

    void SetUp() override { std::filesystem::create_directory(dir); }
    void TearDown() override
    {
        std::filesystem::remove_all(dir);
        platform::testing::ClearDisplayModeOverride();
        EXPECT_EQ(platform::testing::LiveGdiObjects(), liveBefore) << "GDI objects leaked";
    }

    HBITMAP Load(const std::vector<uint8_t>& bytes, int cx = 0, int cy = 0)
    {
        const std::string path = dir + "/image.bmp";
        testsupport::WriteFile(path, bytes);
        return static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, cx, cy,
                                               LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    }
};

BITMAP Info(HBITMAP bitmap)
{
    BITMAP bm{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof(bm), &bm), static_cast<int>(sizeof(BITMAP)));
    return bm;
}

uint32_t PixelOf(const BITMAP& bm, int x, int y)
{
    return static_cast<const uint32_t*>(bm.bmBits)[y * bm.bmWidthBytes / 4 + x] & 0xFFFFFF;
}

TEST_F(GdiTest, ReadsEveryDepthAndRowOrder)
{
    for (int bits : {24, 32}) {
        for (bool topDown : {false, true}) {
            HBITMAP bitmap = Load(MakeBmp(5, 3, bits, topDown, Pattern));
            ASSERT_NE(bitmap, nullptr) << bits << " " << topDown;
            const BITMAP bm = Info(bitmap);
            EXPECT_EQ(bm.bmWidth, 5);
            EXPECT_EQ(bm.bmHeight, 3);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x)
                    ASSERT_EQ(PixelOf(bm, x, y), Pattern(x, y)) << bits << " " << topDown;
            EXPECT_TRUE(DeleteObject(bitmap));
        }
    }
    // 8 bits: indexes into the colour table; an index past its end shows black.
    const std::vector<uint32_t> palette{0x112233, 0x445566, 0x778899};
    HBITMAP bitmap = Load(testsupport::MakeBmp8(3, 2, false, palette, [](int x, int y) {
        return static_cast<uint8_t>(y ? 7 : x);
    }));
    ASSERT_NE(bitmap, nullptr);
    const BITMAP bm = Info(bitmap);
    EXPECT_EQ(PixelOf(bm, 0, 0), 0x112233u);
    EXPECT_EQ(PixelOf(bm, 2, 0), 0x778899u);
    EXPECT_EQ(PixelOf(bm, 1, 1), 0u);
    DeleteObject(bitmap);
}

TEST_F(GdiTest, RefusesTruncatedAndMalformedFiles)
{
    const std::vector<uint8_t> good = MakeBmp(4, 3, 24, false, Pattern);
    // Every cut of the file, header or pixels, is refused.
    for (size_t size = 0; size < good.size(); ++size)
        ASSERT_EQ(Load(std::vector<uint8_t>(good.begin(), good.begin() + size)), nullptr) << size;

    auto patched = [&](size_t offset, uint32_t value, int bytes = 4) {
        std::vector<uint8_t> b = good;
        for (int i = 0; i < bytes; ++i)
            b[offset + i] = static_cast<uint8_t>(value >> (8 * i));
        return b;
    };
    EXPECT_EQ(Load(patched(0, 'X', 1)), nullptr);             // not "BM"
    EXPECT_EQ(Load(patched(10, 0xFFFFFF00)), nullptr);        // pixels past the end
    EXPECT_EQ(Load(patched(10, 20)), nullptr);                // pixels inside the header
    EXPECT_EQ(Load(patched(14, 0x7FFFFFFF)), nullptr);        // header larger than the file
    EXPECT_EQ(Load(patched(14, 12)), nullptr);                // old core header
    EXPECT_EQ(Load(patched(18, 0)), nullptr);                 // no width
    EXPECT_EQ(Load(patched(18, 0xFFFFFFFC)), nullptr);        // negative width
    EXPECT_EQ(Load(patched(22, 0x80000000)), nullptr);        // height that cannot be negated
    EXPECT_EQ(Load(patched(18, 100000)), nullptr);            // beyond the size cap
    EXPECT_EQ(Load(patched(22, 0xFFFF0000)), nullptr);        // tall top-down beyond the cap
    EXPECT_EQ(Load(patched(28, 16, 2)), nullptr);             // 16 bits per pixel
    EXPECT_EQ(Load(patched(30, BI_RLE8)), nullptr);           // compressed
    EXPECT_EQ(Load(patched(46, 257)), nullptr);               // too many colours
    EXPECT_EQ(Load(patched(26, 2, 2)), nullptr);              // two planes
    EXPECT_EQ(LoadImageA(nullptr, (dir + "/missing.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, MAKEINTRESOURCE(5), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, dir.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr); // a folder
    // A FIFO with no writer is refused at once, not waited on.
    const std::string fifo = dir + "/fifo.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(LoadImageA(nullptr, fifo.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    unlink(fifo.c_str());

    HBITMAP ok = Load(good);
    EXPECT_NE(ok, nullptr);
    DeleteObject(ok);
}

TEST(BitmapResource, DibsAreReadWithoutTheFileHeader)
{
    using platform::gdi::Image;
    using platform::gdi::ReadDib;
    auto dib = [](std::vector<uint8_t> file) { return std::vector<uint8_t>(file.begin() + 14, file.end()); };
    Image image;
    const auto dib24 = dib(MakeBmp(3, 2, 24, false, Pattern));
    ASSERT_TRUE(ReadDib(dib24.data(), dib24.size(), &image));
    EXPECT_EQ(image.pixels[1 * 3 + 2] & 0xFFFFFF, Pattern(2, 1));
    for (size_t size = 0; size < dib24.size(); ++size)
        ASSERT_FALSE(ReadDib(dib24.data(), size, &image)) << size;

    // 8 bits: the pixels follow the colour table.
    const auto dib8 = dib(testsupport::MakeBmp8(2, 1, true, {0x010203, 0x0A0B0C}, [](int x, int) {
        return static_cast<uint8_t>(1 - x);
    }));
    ASSERT_TRUE(ReadDib(dib8.data(), dib8.size(), &image));
    EXPECT_EQ(image.pixels[0], 0x0A0B0Cu);
    EXPECT_EQ(image.pixels[1], 0x010203u);

    // 32 bits with BI_BITFIELDS: red in the low byte, blue in the third.
    auto bf = dib(MakeBmp(1, 1, 32, false, [](int, int) { return 0x112233u; }));
    bf[16] = BI_BITFIELDS;
    const uint8_t masks[12] = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0};
    bf.insert(bf.begin() + 40, masks, masks + 12);
    ASSERT_TRUE(ReadDib(bf.data(), bf.size(), &image));
    EXPECT_EQ(image.pixels[0], 0x332211u);
}

TEST_F(GdiTest, LoadsByWindowsPathAndWantedSize)
{
    std::filesystem::create_directory(dir + "/sub");
    testsupport::WriteFile(dir + "/sub/CARD", MakeBmp(4, 2, 24, false, Pattern));
    const std::string windowsPath = dir + "\\sub\\CARD";
    HBITMAP own = static_cast<HBITMAP>(
        LoadImageA(nullptr, windowsPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(Info(own).bmWidth, 4);
    HBITMAP sized = static_cast<HBITMAP>(LoadImageA(nullptr, windowsPath.c_str(), IMAGE_BITMAP, 8, 0, LR_LOADFROMFILE));
    ASSERT_NE(sized, nullptr);
    const BITMAP bm = Info(sized);
    EXPECT_EQ(bm.bmWidth, 8);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(PixelOf(bm, 7, 1), Pattern(3, 1));
    DeleteObject(own);
    DeleteObject(sized);
    // Without a module there are no resources to look in.
    EXPECT_EQ(LoadImageA(nullptr, "LEVEL0", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION), nullptr);
}

TEST_F(GdiTest, StretchBltDrawsADibOntoASurface)
{
    testsupport::ComPtr<IDirectDraw2> dd(testsupport::CreateDirectDraw2());
    testsupport::ComPtr<IDirectDrawSurface> surface(testsupport::CreateSurface(dd, testsupport::OffscreenDesc(6, 4)));
    HBITMAP bitmap = Load(MakeBmp(3, 2, 24, false, Pattern));
    ASSERT_NE(bitmap, nullptr);

    // As a bitmap is copied onto a surface: memory DC, surface DC, stretch, clean up.
    HDC memory = CreateCompatibleDC(nullptr);
    ASSERT_NE(memory, nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    ASSERT_NE(previous, nullptr);
    HDC target = nullptr;
    ASSERT_EQ(surface->GetDC(&target), DD_OK);
    // Far-flung coordinates are no trouble (what they draw is overwritten next).
    EXPECT_TRUE(StretchBlt(target, -2000000000, 0, 2000000005, 1, memory, 0, 0, 3, 2, SRCCOPY));
    EXPECT_TRUE(StretchBlt(target, 0, 0, 6, 4, memory, 0, 0, 3, 2, SRCCOPY));
    EXPECT_FALSE(StretchBlt(target, 0, 0, 6, 4, memory, 0, 0, 3, 2, SRCPAINT));
    EXPECT_FALSE(StretchBlt(target, 0, 0, -6, 4, memory, 0, 0, 3, 2, SRCCOPY));
    // Parts beyond either bitmap are left out, not read or written.
    EXPECT_TRUE(StretchBlt(target, 4, 2, 100, 100, memory, 2, 1, 50, 50, SRCCOPY));
    EXPECT_TRUE(StretchBlt(target, 0, 0, 1, 1, memory, INT_MIN, INT_MIN, 1, 1, SRCCOPY));
    EXPECT_FALSE(StretchBlt(target, INT_MAX, 0, 2, 1, memory, 0, 0, 3, 2, SRCCOPY));
    EXPECT_EQ(surface->ReleaseDC(target), DD_OK);
    EXPECT_EQ(SelectObject(memory, previous), bitmap);
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(DeleteObject(bitmap));

    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(testsupport::PixelAt(surface, x, y), Pattern(x / 2, y / 2)) << x << "," << y;
    EXPECT_EQ(testsupport::PixelAt(surface, 4, 2), Pattern(2, 1));
    EXPECT_EQ(testsupport::PixelAt(surface, 5, 3), Pattern(2, 1));
}

TEST_F(GdiTest, SelectedBitmapsAndUnknownHandlesAreRefused)
{
    HBITMAP bitmap = Load(MakeBmp(2, 2, 24, false, Pattern));
    HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(a);
    HGDIOBJ stock = SelectObject(a, bitmap);
    EXPECT_EQ(SelectObject(b, bitmap), nullptr); // one DC at a time
    EXPECT_FALSE(DeleteObject(bitmap));          // still selected
    EXPECT_TRUE(DeleteDC(a));
    EXPECT_FALSE(DeleteDC(a));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(stock)); // stock objects may be deleted, and stay
    EXPECT_EQ(SelectObject(b, stock), stock);

    HDC bogus = reinterpret_cast<HDC>(0x4242);
    BITMAP bm{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof(bm), &bm), 0);
    EXPECT_EQ(GetObjectA(b, sizeof(bm), &bm), 0);
    EXPECT_EQ(SelectObject(bogus, stock), nullptr);
    EXPECT_EQ(SelectObject(b, bogus), nullptr);
    EXPECT_EQ(CreateCompatibleDC(bogus), nullptr);
    EXPECT_FALSE(StretchBlt(bogus, 0, 0, 1, 1, b, 0, 0, 1, 1, SRCCOPY));
    EXPECT_EQ(GetDeviceCaps(bogus, HORZRES), 0);
    EXPECT_EQ(ReleaseDC(nullptr, bogus), 0);
    EXPECT_EQ(ReleaseDC(nullptr, b), 0); // a memory DC is deleted, not released
    EXPECT_TRUE(DeleteDC(b));
}

TEST_F(GdiTest, ScreenCapsFollowTheDisplay)
{
    platform::testing::OverrideDisplayMode(1280, 1024, 16, 75);
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1280);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 1024);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 16);
    EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(screen, VREFRESH), 75);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
}

TEST_F(GdiTest, MessageBeepIsCounted)
{
    platform::testing::ResetBeepCount();
    EXPECT_TRUE(MessageBeep(0xFFFFFFFF));
    EXPECT_TRUE(MessageBeep(MB_ICONEXCLAMATION));
    EXPECT_EQ(platform::testing::BeepCount(), 2);
}

} // namespace
