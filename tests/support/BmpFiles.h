// Bitmap files written by tests: .bmp images of any supported depth and row order.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// The colour (0xRRGGBB) of pixel (x, y), y counted from the top.
using PixelFn = std::function<uint32_t(int x, int y)>;

// A .bmp image of 24 or 32 bits per pixel; bottom-up unless topDown.
std::vector<uint8_t> MakeBmp(int width, int height, int bits, bool topDown, const PixelFn& pixel);

// An 8-bit .bmp: `palette` holds 0xRRGGBB colours, `index` gives each pixel's entry.
std::vector<uint8_t> MakeBmp8(int width, int height, bool topDown, const std::vector<uint32_t>& palette,
                              const std::function<uint8_t(int x, int y)>& index);

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFile(const std::string& path);

// The colour (0xRRGGBB) of pixel (x, y), y counted from the top, of a 24-bit .bmp image;
// nullopt outside the image or for any other kind of file.
std::optional<uint32_t> BmpPixel(const std::vector<uint8_t>& bmp, int x, int y);

// A pattern that tells every pixel apart on small images.
inline uint32_t Pattern(int x, int y) { return static_cast<uint32_t>(0x100000 * (x + 1) + 0x000100 * (y + 1) + 0x40); }

} // namespace testsupport
