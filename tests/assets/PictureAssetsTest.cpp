// The bitmaps, palette, icon and manifest as the program reads them.
#include "AssetFiles.h"

#include <array>
#include <cmath>

using namespace assets;

namespace {

// A 24-bit bottom-up bitmap file, checked header by header.
struct Bitmap {
    std::vector<uint8_t> file;
    int width = 0, height = 0;
    size_t offset = 0, stride = 0;

    explicit Bitmap(const std::string& name) : file(readRes(name))
    {
        if (file.size() < 54) return;
        width = static_cast<int>(le32(file, 18));
        height = static_cast<int>(le32(file, 22));
        offset = le32(file, 10);
        stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    }
    // Red, green and blue, 0 to 1, of the pixel x, y counted from the top.
    std::array<double, 3> pixel(int x, int y) const
    {
        const size_t at = offset + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3;
        return {file.at(at + 2) / 255.0, file.at(at + 1) / 255.0, file.at(at) / 255.0};
    }
    std::array<double, 3> mean(int x0, int y0, int w, int h) const
    {
        std::array<double, 3> sum{};
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const auto p = pixel(x, y);
                for (int c = 0; c < 3; ++c) sum[c] += p[c];
            }
        for (double& v : sum) v /= w * h;
        return sum;
    }
};

double luminance(const std::array<double, 3>& c) { return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]; }
double distance(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

struct BitmapCase {
    const char* file;
    int width, height;
};

void PrintTo(const BitmapCase& c, std::ostream* os) { *os << c.file; }

class BitmapFiles : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapFiles, AreUncompressed24BitBottomUpOfTheExactSize)
{
    const BitmapCase c = GetParam();
    const Bitmap bmp(c.file);
    const auto& f = bmp.file;
    ASSERT_GE(f.size(), 54u) << c.file;
    EXPECT_EQ(tag(f, 0, 2), "BM");
    EXPECT_EQ(le32(f, 2), f.size()) << "file size field";
    EXPECT_EQ(le32(f, 14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(bmp.width, c.width);
    EXPECT_EQ(bmp.height, c.height) << "positive height: rows stored bottom-up";
    EXPECT_EQ(le16(f, 26), 1u) << "planes";
    EXPECT_EQ(le16(f, 28), 24u) << "bits per pixel";
    EXPECT_EQ(le32(f, 30), 0u) << "BI_RGB";
    EXPECT_GE(bmp.offset, 54u);
    EXPECT_EQ(bmp.offset + bmp.stride * static_cast<size_t>(c.height), f.size()) << "pixel rows fill the file";
}

INSTANTIATE_TEST_SUITE_P(Sheets, BitmapFiles,
                         ::testing::Values(BitmapCase{"LEVEL0.bmp", 128, 768}, BitmapCase{"STOVE2.bmp", 128, 512},
                                           BitmapCase{"BKGR_FOIL.bmp", 540, 400}),
                         [](const auto& info) { return std::string(info.param.file).substr(0, std::string(info.param.file).find('.')); });

TEST(CardArt, SixFacesAreTellApartByColourAlone)
{
    const Bitmap faces("LEVEL0.bmp");
    ASSERT_EQ(faces.height, 768);
    std::vector<std::array<double, 3>> panels;
    for (int v = 0; v < 6; ++v) panels.push_back(faces.mean(16, 128 * v + 16, 96, 96));
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b) EXPECT_GT(distance(panels[a], panels[b]), 0.12) << "faces " << a << " and " << b;
}

TEST(CardArt, HighlightedBackIsLighterAndShimmerDiffers)
{
    const Bitmap backs("STOVE2.bmp");
    ASSERT_EQ(backs.height, 512);
    const double plain = luminance(backs.mean(0, 0, 128, 128));
    const double lit = luminance(backs.mean(0, 128, 128, 128));
    EXPECT_GT(lit, plain + 0.08);
    EXPECT_GT(distance(backs.mean(0, 256, 128, 128), backs.mean(0, 128, 128, 128)), 0.05);
}

TEST(CardArt, EdgeStripsAreLightCardStockAndTheCardsStandOutFromTheBoard)
{
    const Bitmap backs("STOVE2.bmp"), board("BKGR_FOIL.bmp"), faces("LEVEL0.bmp");
    ASSERT_EQ(backs.height, 512);
    ASSERT_EQ(board.height, 400);
    ASSERT_EQ(faces.height, 768);
    const double horizontal = luminance(backs.mean(8, 384 + 2, 112, 4));
    const double vertical = luminance(backs.mean(2, 384 + 8, 4, 112));
    EXPECT_NEAR(horizontal, vertical, 0.05) << "both strips show the same edge";
    const double boardLight = luminance(board.mean(0, 0, 540, 400));
    EXPECT_GT(horizontal, boardLight + 0.3);
    // The cream border of a face against the board.
    EXPECT_GT(luminance(faces.mean(2, 2, 124, 4)), boardLight + 0.3);
}

TEST(Palette, Holds256ColourEntriesWithZeroReservedBytes)
{
    const auto pal = readRes("palette.pal");
    ASSERT_EQ(pal.size(), 1024u);
    for (size_t i = 0; i < 256; ++i) EXPECT_EQ(pal[4 * i + 3], 0) << "entry " << i;
    // The entries that reach the screen are not all one colour.
    size_t distinct = 0;
    for (size_t i = 11; i < 246; ++i) distinct += le32(pal, 4 * i) != le32(pal, 4 * (i - 1));
    EXPECT_GT(distinct, 200u);
}

TEST(Icon, HoldsA16And32PixelImage)
{
    const auto ico = readRes("memory.ico");
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(le16(ico, 0), 0u);
    EXPECT_EQ(le16(ico, 2), 1u) << "icon, not cursor";
    const uint32_t count = le16(ico, 4);
    ASSERT_GE(ico.size(), 6 + 16 * count);
    std::vector<int> sizes;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t e = 6 + 16 * i;
        const int w = ico[e] ? ico[e] : 256, h = ico[e + 1] ? ico[e + 1] : 256;
        const uint32_t bytes = le32(ico, e + 8), at = le32(ico, e + 12);
        ASSERT_LE(static_cast<uint64_t>(at) + bytes, ico.size()) << "image " << i << " inside the file";
        ASSERT_GE(bytes, 40u);
        EXPECT_EQ(le32(ico, at), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(static_cast<int>(le32(ico, at + 4)), w);
        EXPECT_EQ(static_cast<int>(le32(ico, at + 8)), 2 * h) << "colour image and mask";
        const uint32_t bits = le16(ico, at + 14);
        const uint32_t maskRow = ((w + 31) / 32) * 4;
        EXPECT_EQ(bytes, 40 + static_cast<uint32_t>(w * h) * bits / 8 + maskRow * h);
        EXPECT_EQ(w, h);
        sizes.push_back(w);
    }
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), 16), sizes.end());
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), 32), sizes.end());
}

TEST(Manifest, RunsAsInvokerAndIsDpiAware)
{
    const auto m = readRes("memory.manifest");
    const std::string text(m.begin(), m.end());
    EXPECT_NE(text.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(text.find(">true</dpiAware>"), std::string::npos);
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
}

} // namespace
