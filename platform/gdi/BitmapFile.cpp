#include "gdi/BitmapFile.h"

#include "pixels/Blitter.h"

#include <cstring>
#include <new>

namespace platform::gdi {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// One channel of a BI_BITFIELDS mask, brought to 8 bits.
struct MaskChannel {
    uint32_t mask = 0;
    int shift = 0;
    int width = 0;
    explicit MaskChannel(uint32_t m) : mask(m)
    {
        if (!m)
            return;
        while (!((m >> shift) & 1))
            ++shift;
        while (width + shift < 32 && ((m >> (shift + width)) & 1))
            ++width;
    }
    uint32_t Extract(uint32_t v) const
    {
        if (!mask)
            return 0;
        uint32_t c = (v & mask) >> shift;
        return width >= 8 ? c >> (width - 8) : (c * 255) / ((1u << width) - 1);
    }
};

struct DibLayout {
    int width = 0;
    int height = 0;      // always positive
    bool topDown = false;
    int bits = 0;
    bool bitfields = false;
    uint32_t masks[3] = {0, 0, 0};
    size_t colorTableOffset = 0;
    size_t colors = 0;
    size_t headerEnd = 0; // where the pixels follow when nothing says otherwise
    size_t stride = 0;
};

// Reads and checks the info header that starts at `data`.
bool ReadLayout(const uint8_t* data, size_t size, DibLayout* out)
{
    if (size < kInfoHeaderSize)
        return false;
    const uint32_t headerSize = Read32(data);
    // BITMAPINFOHEADER and its longer successors; the old 12-byte core header is not offered.
    if (headerSize < kInfoHeaderSize || headerSize > size)
        return false;
    const int32_t width = static_cast<int32_t>(Read32(data + 4));
    const int32_t height = static_cast<int32_t>(Read32(data + 8));
    const uint16_t planes = Read16(data + 12);
    const uint16_t bits = Read16(data + 14);
    const uint32_t compression = Read32(data + 16);
    const uint32_t clrUsed = Read32(data + 32);
    if (planes != 1 || width <= 0 || height == 0 || height == INT32_MIN)
        return false;
    DibLayout l;
    l.width = width;
    l.height = height < 0 ? -height : height;
    l.topDown = height < 0;
    l.bits = bits;
    if (l.width > kMaxBitmapSide || l.height > kMaxBitmapSide ||
        static_cast<uint64_t>(l.width) * static_cast<uint64_t>(l.height) > kMaxBitmapPixels)
        return false;
    if (bits != 8 && bits != 24 && bits != 32)
        return false;
    size_t offset = headerSize;
    if (compression == BI_BITFIELDS && bits == 32) {
        l.bitfields = true;
        // The masks follow a 40-byte header, or lie inside a longer one.
        const size_t at = headerSize == kInfoHeaderSize ? headerSize : kInfoHeaderSize;
        if (at + 12 > size)
            return false;
        for (int i = 0; i < 3; ++i)
            l.masks[i] = Read32(data + at + 4 * i);
        if (headerSize == kInfoHeaderSize)
            offset += 12;
    } else if (compression != BI_RGB) {
        return false;
    }
    if (bits == 8) {
        l.colors = clrUsed ? clrUsed : 256;
        if (l.colors > 256)
            return false;
    } else {
        // A table given to help palette displays; it is skipped.
        if (clrUsed > 256)
            return false;
        l.colors = clrUsed;
    }
    l.colorTableOffset = offset;
    l.headerEnd = offset + 4 * l.colors;
    if (l.headerEnd > size)
        return false;
    l.stride = ((static_cast<size_t>(l.width) * bits + 31) / 32) * 4;
    *out = l;
    return true;
}

bool ReadPixels(const uint8_t* dib, const DibLayout& l, const uint8_t* pixels, size_t available,
                Image* out)
{
    if (l.stride * static_cast<size_t>(l.height) > available)
        return false;
    uint32_t table[256] = {};
    if (l.bits == 8) {
        for (size_t i = 0; i < l.colors; ++i) {
            const uint8_t* q = dib + l.colorTableOffset + 4 * i;
            table[i] = (static_cast<uint32_t>(q[2]) << 16) | (static_cast<uint32_t>(q[1]) << 8) | q[0];
        }
    }
    const MaskChannel r(l.masks[0]), g(l.masks[1]), b(l.masks[2]);
    Image image;
    image.pixels.resize(static_cast<size_t>(l.width) * l.height);
    image.width = l.width;
    image.height = l.height;
    for (int y = 0; y < l.height; ++y) {
        const int fileRow = l.topDown ? y : l.height - 1 - y;
        const uint8_t* s = pixels + static_cast<size_t>(fileRow) * l.stride;
        uint32_t* d = &image.pixels[static_cast<size_t>(y) * l.width];
        for (int x = 0; x < l.width; ++x) {
            switch (l.bits) {
            case 8:
                // Indexes past the table's end show black.
                d[x] = table[s[x]];
                break;
            case 24: {
                const uint8_t* p = s + 3 * x;
                d[x] = (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
                break;
            }
            default: {
                const uint32_t v = Read32(s + 4 * x);
                d[x] = l.bitfields ? (r.Extract(v) << 16) | (g.Extract(v) << 8) | b.Extract(v) : v & 0xFFFFFF;
                break;
            }
            }
        }
    }
    *out = std::move(image);
    return true;
}

} // namespace

bool ReadDib(const uint8_t* data, size_t size, Image* out)
{
    DibLayout l;
    if (!data || !ReadLayout(data, size, &l))
        return false;
    return ReadPixels(data, l, data + l.headerEnd, size - l.headerEnd, out);
}

bool ReadBmpFile(const uint8_t* data, size_t size, Image* out)
{
    if (!data || size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint8_t* dib = data + kFileHeaderSize;
    const size_t dibSize = size - kFileHeaderSize;
    DibLayout l;
    if (!ReadLayout(dib, dibSize, &l))
        return false;
    // The file says where its pixels start; it must be past the headers and inside the file.
    const uint32_t offBits = Read32(data + 10);
    if (offBits < kFileHeaderSize + l.headerEnd || offBits > size)
        return false;
    return ReadPixels(dib, l, data + offBits, size - offBits, out);
}

bool ResizeImage(const Image& in, int width, int height, Image* out)
{
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxBitmapPixels)
        return false;
    Image image;
    image.pixels.assign(static_cast<size_t>(width) * height, 0);
    image.width = width;
    image.height = height;
    const PixelView src{const_cast<uint32_t*>(in.pixels.data()), in.width, in.height, in.width};
    const PixelView dst{image.pixels.data(), width, height, width};
    blit::Stretch(dst, RECT{0, 0, width, height}, RECT{0, 0, width, height}, src, RECT{0, 0, in.width, in.height},
                  nullptr);
    *out = std::move(image);
    return true;
}

} // namespace platform::gdi
