// The software blitter behind DirectDraw's Blt/BltFast and GDI's StretchBlt: unscaled
// copies row by row, nearest-neighbour stretches, colour keys and fills on 32-bit XRGB.
// Callers pass rectangles already checked against both pixel buffers.
#pragma once
#include "pixels/PixelFormat.h"
#include "pixels/PixelView.h"

#include <cstdint>

namespace platform::blit {

// A source colour key: a source pixel whose value, in the key's format, lies in
// [low, high] is not copied.
class ColorKey {
public:
    ColorKey(const DDCOLORKEY& key, const DDPIXELFORMAT& format);
    bool Matches(uint32_t xrgb) const
    {
        uint32_t v = m_packer.IsIdentity() ? (xrgb & 0xFFFFFF) : m_packer.Pack(xrgb);
        return v - m_low <= m_span;
    }

private:
    pixels::PixelPacker m_packer;
    uint32_t m_low;
    uint32_t m_span;
};

inline int RectWidth(const RECT& r) { return r.right - r.left; }
inline int RectHeight(const RECT& r) { return r.bottom - r.top; }
bool IsEmpty(const RECT& r);
// The overlap of a and b; empty (all zero) when they do not meet.
RECT Intersect(const RECT& a, const RECT& b);
// True when r lies inside (0, 0, width, height) and is not empty.
bool InsideBounds(const RECT& r, int width, int height);

// Copies w by h pixels from (sx, sy) of src to (dx, dy) of dst. Overlapping parts of
// one buffer are copied as if through a temporary.
void Copy(const PixelView& dst, int dx, int dy, const PixelView& src, int sx, int sy, int w, int h,
          const ColorKey* key);

// Maps srcRect onto dstRect with nearest-neighbour sampling (destination pixel i takes
// source pixel i * srcSize / dstSize) and writes the destination pixels inside clip;
// samples that would fall outside src are skipped. Equal sizes copy unscaled.
void Stretch(const PixelView& dst, const RECT& dstRect, const RECT& clip, const PixelView& src,
             const RECT& srcRect, const ColorKey* key);

void Fill(const PixelView& dst, const RECT& r, uint32_t xrgb);

} // namespace platform::blit
