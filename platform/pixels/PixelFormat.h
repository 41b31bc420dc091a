// The display's pixel formats as DirectDraw reports them, and conversions between them
// and the 32-bit XRGB memory that every surface really holds.
#pragma once
#include <ddraw.h>

#include <cstdint>

namespace platform::pixels {

// The format of a display of the given depth: 32 and 24 bits XRGB, 16 bits 5-6-5,
// 15 bits 5-5-5, 8 bits (and less) palette-indexed.
DDPIXELFORMAT DisplayPixelFormat(int bitsPerPixel);

// The format of the surfaces' memory.
DDPIXELFORMAT MemoryPixelFormat();

// Converts between an XRGB pixel and a value in `format` (colour keys, fill colours).
// A palette-indexed format has no masks: values pass through unchanged.
class PixelPacker {
public:
    explicit PixelPacker(const DDPIXELFORMAT& format);
    uint32_t Pack(uint32_t xrgb) const;
    uint32_t Unpack(uint32_t value) const;
    bool IsIdentity() const { return m_identity; }

private:
    struct Channel {
        uint32_t mask = 0;
        int shift = 0;
        int width = 0;
    };
    Channel m_channels[3];
    bool m_identity = true;
};

} // namespace platform::pixels
