#include "pixels/Blitter.h"
#include "pixels/PixelFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::PixelView;

struct Buffer {
    int w, h;
    std::vector<uint32_t> px;
    Buffer(int width, int height, uint32_t fill = 0)
        : w(width), h(height), px(static_cast<size_t>(width) * height, fill)
    {
    }
    PixelView View() { return PixelView{px.data(), w, h, w}; }
    uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

Buffer Numbered(int w, int h)
{
    Buffer b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.px[static_cast<size_t>(y) * w + x] = static_cast<uint32_t>(y * 16 + x + 1);
    return b;
}

TEST(Blitter, ClippedStretchSamplesAsTheWholeWould)
{
    Buffer src = Numbered(3, 3), whole(7, 5), half(7, 5);
    const RECT all{0, 0, 7, 5}, right{4, 1, 7, 5};
    platform::blit::Stretch(whole.View(), all, all, src.View(), RECT{0, 0, 3, 3}, nullptr);
    platform::blit::Stretch(half.View(), all, right, src.View(), RECT{0, 0, 3, 3}, nullptr);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const bool inside = x >= 4 && y >= 1;
            EXPECT_EQ(half.At(x, y), inside ? whole.At(x, y) : 0u) << x << "," << y;
        }
    }
}

TEST(Blitter, SamplesOutsideTheSourceAreLeftOut)
{
    Buffer src = Numbered(2, 2), dst(4, 4, 0xAA);
    // Source rectangle from (-1, -1) to (3, 3): only the middle 2 by 2 has pixels.
    platform::blit::Stretch(dst.View(), RECT{0, 0, 4, 4}, RECT{0, 0, 4, 4}, src.View(), RECT{-1, -1, 3, 3}, nullptr);
    EXPECT_EQ(dst.At(0, 0), 0xAAu);
    EXPECT_EQ(dst.At(1, 1), src.At(0, 0));
    EXPECT_EQ(dst.At(2, 2), src.At(1, 1));
    EXPECT_EQ(dst.At(3, 3), 0xAAu);
    // And so with scaling: 4 source columns (two outside) onto 8.
    Buffer wide(8, 1, 0xAA), row = Numbered(2, 1);
    platform::blit::Stretch(wide.View(), RECT{0, 0, 8, 1}, RECT{0, 0, 8, 1}, row.View(), RECT{-1, 0, 3, 1}, nullptr);
    const uint32_t expect[8] = {0xAA, 0xAA, 1, 1, 2, 2, 0xAA, 0xAA};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(wide.At(x, 0), expect[x]) << x;
}

TEST(Blitter, PackerConvertsBetweenXrgbAndTheDisplayFormat)
{
    const platform::pixels::PixelPacker rgb565(platform::pixels::DisplayPixelFormat(16));
    EXPECT_EQ(rgb565.Pack(0xFF00FF), 0xF81Fu);
    EXPECT_EQ(rgb565.Unpack(0xF81F), 0xFF00FFu);
    EXPECT_EQ(rgb565.Unpack(0x07E0), 0x00FF00u);
    const platform::pixels::PixelPacker rgb555(platform::pixels::DisplayPixelFormat(15));
    EXPECT_EQ(rgb555.Unpack(0x7C00), 0xFF0000u);
    const platform::pixels::PixelPacker xrgb(platform::pixels::DisplayPixelFormat(32));
    EXPECT_EQ(xrgb.Pack(0xAB123456), 0x123456u);
}

} // namespace
