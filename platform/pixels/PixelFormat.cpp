#include "pixels/PixelFormat.h"

#include <bit>

namespace platform::pixels {
namespace {

DDPIXELFORMAT RgbFormat(DWORD bits, DWORD r, DWORD g, DWORD b)
{
    DDPIXELFORMAT pf{};
    pf.dwSize = sizeof(DDPIXELFORMAT);
    pf.dwFlags = DDPF_RGB;
    pf.dwRGBBitCount = bits;
    pf.dwRBitMask = r;
    pf.dwGBitMask = g;
    pf.dwBBitMask = b;
    return pf;
}

} // namespace

DDPIXELFORMAT DisplayPixelFormat(int bitsPerPixel)
{
    if (bitsPerPixel >= 24)
        return RgbFormat(static_cast<DWORD>(bitsPerPixel), 0xFF0000, 0x00FF00, 0x0000FF);
    if (bitsPerPixel == 16)
        return RgbFormat(16, 0xF800, 0x07E0, 0x001F);
    if (bitsPerPixel == 15)
        return RgbFormat(16, 0x7C00, 0x03E0, 0x001F);
    DDPIXELFORMAT pf = RgbFormat(8, 0, 0, 0);
    pf.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
    return pf;
}

DDPIXELFORMAT MemoryPixelFormat() { return DisplayPixelFormat(32); }

PixelPacker::PixelPacker(const DDPIXELFORMAT& format)
{
    const DWORD masks[3] = {format.dwRBitMask, format.dwGBitMask, format.dwBBitMask};
    const DWORD xrgb[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (int i = 0; i < 3; ++i) {
        Channel& c = m_channels[i];
        c.mask = masks[i];
        if (c.mask) {
            c.shift = std::countr_zero(c.mask);
            c.width = std::bit_width(c.mask >> c.shift);
        }
        if (c.mask != xrgb[i])
            m_identity = false;
    }
    // No masks at all: a palette-indexed format, whose values we take as they are.
    if (!masks[0] && !masks[1] && !masks[2])
        m_identity = true;
}

uint32_t PixelPacker::Pack(uint32_t xrgb) const
{
    if (m_identity)
        return xrgb & 0xFFFFFF;
    uint32_t out = 0;
    for (int i = 0; i < 3; ++i) {
        const Channel& c = m_channels[i];
        if (!c.mask)
            continue;
        uint32_t v = (xrgb >> (16 - 8 * i)) & 0xFF;
        v = c.width >= 8 ? v << (c.width - 8) : v >> (8 - c.width);
        out |= (v << c.shift) & c.mask;
    }
    return out;
}

uint32_t PixelPacker::Unpack(uint32_t value) const
{
    if (m_identity)
        return value & 0xFFFFFF;
    uint32_t out = 0;
    for (int i = 0; i < 3; ++i) {
        const Channel& c = m_channels[i];
        if (!c.mask)
            continue;
        uint32_t v = (value & c.mask) >> c.shift;
        if (c.width >= 8) {
            v >>= (c.width - 8);
        } else {
            // Repeat the high bits so that full intensity stays full (31 -> 255).
            uint32_t expanded = 0;
            for (int bit = 8 - c.width; bit > -c.width; bit -= c.width)
                expanded |= bit >= 0 ? v << bit : v >> -bit;
            v = expanded & 0xFF;
        }
        out |= v << (16 - 8 * i);
    }
    return out;
}

} // namespace platform::pixels
