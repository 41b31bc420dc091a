#include "support/BmpFiles.h"

#include <fstream>
#include <iterator>

namespace testsupport {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<uint8_t> Assemble(int width, int height, int bits, bool topDown, const std::vector<uint32_t>& palette,
                              const std::function<void(std::vector<uint8_t>&, int x, int y)>& putPixel)
{
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const uint32_t offBits = 14 + 40 + static_cast<uint32_t>(palette.size()) * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + static_cast<uint32_t>(stride * height));
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(topDown ? -height : height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0); // BI_RGB
    Put32(out, static_cast<uint32_t>(stride * height));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(palette.size()));
    Put32(out, 0);
    for (uint32_t c : palette)
        Put32(out, c & 0xFFFFFF);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        const size_t start = out.size();
        for (int x = 0; x < width; ++x)
            putPixel(out, x, y);
        out.resize(start + stride, 0);
    }
    return out;
}

} // namespace

std::vector<uint8_t> MakeBmp(int width, int height, int bits, bool topDown, const PixelFn& pixel)
{
    return Assemble(width, height, bits, topDown, {}, [&](std::vector<uint8_t>& out, int x, int y) {
        const uint32_t c = pixel(x, y);
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c >> 16));
        if (bits == 32)
            out.push_back(0);
    });
}

std::vector<uint8_t> MakeBmp8(int width, int height, bool topDown, const std::vector<uint32_t>& palette,
                              const std::function<uint8_t(int x, int y)>& index)
{
    return Assemble(width, height, 8, topDown, palette,
                    [&](std::vector<uint8_t>& out, int x, int y) { out.push_back(index(x, y)); });
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::optional<uint32_t> BmpPixel(const std::vector<uint8_t>& bmp, int x, int y)
{
    auto u16 = [&](size_t o) { return static_cast<uint32_t>(bmp[o] | bmp[o + 1] << 8); };
    auto u32 = [&](size_t o) { return u16(o) | u16(o + 2) << 16; };
    if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M' || u16(28) != 24)
        return std::nullopt;
    const int width = static_cast<int32_t>(u32(18));
    const int height = static_cast<int32_t>(u32(22));
    const int rows = height < 0 ? -height : height;
    if (x < 0 || y < 0 || x >= width || y >= rows)
        return std::nullopt;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    const size_t row = static_cast<size_t>(height < 0 ? y : rows - 1 - y);
    const size_t at = u32(10) + row * stride + static_cast<size_t>(x) * 3;
    if (at + 3 > bmp.size())
        return std::nullopt;
    return static_cast<uint32_t>(bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16);
}

} // namespace testsupport
