#include "pixels/Blitter.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::blit {
namespace {

uint32_t* Row(const PixelView& v, int y) { return v.pixels + static_cast<ptrdiff_t>(y) * v.stride; }

bool SameBufferOverlap(const PixelView& dst, const RECT& d, const PixelView& src, const RECT& s)
{
    if (dst.pixels != src.pixels)
        return false;
    return !IsEmpty(Intersect(d, s));
}

// A copy of the part r of v, so that a blit within one buffer reads the old pixels.
struct TempCopy {
    std::vector<uint32_t> pixels;
    PixelView view;
    TempCopy(const PixelView& v, const RECT& r)
    {
        const int w = RectWidth(r), h = RectHeight(r);
        pixels.resize(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            std::memcpy(&pixels[static_cast<size_t>(y) * w], Row(v, r.top + y) + r.left, sizeof(uint32_t) * w);
        view = PixelView{pixels.data(), w, h, w};
    }
};

// d[i] = s[map[i]]: four loads ahead of their stores, as the rows never overlap.
void GatherRow(uint32_t* __restrict d, const uint32_t* __restrict s, const int* __restrict map, int n)
{
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const uint32_t a = s[map[i]], b = s[map[i + 1]], c = s[map[i + 2]], e = s[map[i + 3]];
        d[i] = a;
        d[i + 1] = b;
        d[i + 2] = c;
        d[i + 3] = e;
    }
    for (; i < n; ++i)
        d[i] = s[map[i]];
}

void CopyRowKeyed(uint32_t* d, const uint32_t* s, int w, const ColorKey& key)
{
    for (int i = 0; i < w; ++i) {
        const uint32_t p = s[i];
        if (!key.Matches(p))
            d[i] = p;
    }
}

} // namespace

ColorKey::ColorKey(const DDCOLORKEY& key, const DDPIXELFORMAT& format) : m_packer(format)
{
    m_low = key.dwColorSpaceLowValue;
    const uint32_t high = key.dwColorSpaceHighValue;
    m_span = high >= m_low ? high - m_low : 0;
    if (m_packer.IsIdentity()) {
        m_low &= 0xFFFFFF;
        m_span = std::min<uint32_t>(m_span, 0xFFFFFF - m_low);
    }
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT Intersect(const RECT& a, const RECT& b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (IsEmpty(r))
        return RECT{0, 0, 0, 0};
    return r;
}

bool InsideBounds(const RECT& r, int width, int height)
{
    return !IsEmpty(r) && r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height;
}

void Copy(const PixelView& dst, int dx, int dy, const PixelView& src, int sx, int sy, int w, int h,
          const ColorKey* key)
{
    if (w <= 0 || h <= 0)
        return;
    const RECT d{dx, dy, dx + w, dy + h};
    const RECT s{sx, sy, sx + w, sy + h};
    const bool overlap = SameBufferOverlap(dst, d, src, s);
    if (key) {
        if (overlap) {
            TempCopy tmp(src, s);
            Copy(dst, dx, dy, tmp.view, 0, 0, w, h, key);
            return;
        }
        for (int y = 0; y < h; ++y)
            CopyRowKeyed(Row(dst, dy + y) + dx, Row(src, sy + y) + sx, w, *key);
        return;
    }
    const size_t bytes = sizeof(uint32_t) * static_cast<size_t>(w);
    if (overlap) {
        // Rows moving down are copied from the bottom so that none is overwritten before it is read.
        if (dy > sy) {
            for (int y = h - 1; y >= 0; --y)
                std::memmove(Row(dst, dy + y) + dx, Row(src, sy + y) + sx, bytes);
        } else {
            for (int y = 0; y < h; ++y)
                std::memmove(Row(dst, dy + y) + dx, Row(src, sy + y) + sx, bytes);
        }
        return;
    }
    for (int y = 0; y < h; ++y)
        std::memcpy(Row(dst, dy + y) + dx, Row(src, sy + y) + sx, bytes);
}

void Stretch(const PixelView& dst, const RECT& dstRect, const RECT& clip, const PixelView& src,
             const RECT& srcRect, const ColorKey* key)
{
    const int dw = RectWidth(dstRect), dh = RectHeight(dstRect);
    const int sw = RectWidth(srcRect), sh = RectHeight(srcRect);
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    RECT c = Intersect(Intersect(clip, dstRect), RECT{0, 0, dst.width, dst.height});
    if (IsEmpty(c))
        return;

    if (dw == sw && dh == sh) {
        // One to one: the source part that c covers, trimmed to the source's bounds.
        const int64_t ox = static_cast<int64_t>(srcRect.left) - dstRect.left;
        const int64_t oy = static_cast<int64_t>(srcRect.top) - dstRect.top;
        const int64_t left = std::max<int64_t>(c.left + ox, 0), top = std::max<int64_t>(c.top + oy, 0);
        const int64_t right = std::min<int64_t>(c.right + ox, src.width);
        const int64_t bottom = std::min<int64_t>(c.bottom + oy, src.height);
        if (right <= left || bottom <= top)
            return;
        Copy(dst, static_cast<int>(left - ox), static_cast<int>(top - oy), src, static_cast<int>(left),
             static_cast<int>(top), static_cast<int>(right - left), static_cast<int>(bottom - top), key);
        return;
    }

    if (SameBufferOverlap(dst, c, src, Intersect(srcRect, RECT{0, 0, src.width, src.height}))) {
        const RECT s = Intersect(srcRect, RECT{0, 0, src.width, src.height});
        TempCopy tmp(src, s);
        const RECT moved{srcRect.left - s.left, srcRect.top - s.top, srcRect.right - s.left, srcRect.bottom - s.top};
        Stretch(dst, dstRect, c, tmp.view, moved, key);
        return;
    }

    // Source column of every destination column in c; columns whose sample falls outside
    // the source are dropped (the map rises, so they can only be at either end).
    thread_local std::vector<int> xmap;
    xmap.clear();
    int firstX = c.right;
    for (int x = c.left; x < c.right; ++x) {
        const int sx = srcRect.left + static_cast<int>(static_cast<int64_t>(x - dstRect.left) * sw / dw);
        if (sx < 0 || sx >= src.width)
            continue;
        if (firstX == c.right)
            firstX = x;
        xmap.push_back(sx);
    }
    const int n = static_cast<int>(xmap.size());
    if (n == 0)
        return;
    const int* map = xmap.data();

    const uint32_t* prevRow = nullptr;
    int prevSy = -1;
    for (int y = c.top; y < c.bottom; ++y) {
        const int sy = srcRect.top + static_cast<int>(static_cast<int64_t>(y - dstRect.top) * sh / dh);
        if (sy < 0 || sy >= src.height)
            continue;
        uint32_t* d = Row(dst, y) + firstX;
        if (!key && sy == prevSy && prevRow) {
            // Rows repeated by an enlargement are copies of the row just written.
            std::memcpy(d, prevRow, sizeof(uint32_t) * static_cast<size_t>(n));
            continue;
        }
        const uint32_t* s = Row(src, sy);
        if (!key && sw == dw) {
            // Only the height changes: each row is a straight copy.
            std::memcpy(d, s + map[0], sizeof(uint32_t) * static_cast<size_t>(n));
        } else if (key) {
            for (int i = 0; i < n; ++i) {
                const uint32_t p = s[map[i]];
                if (!key->Matches(p))
                    d[i] = p;
            }
        } else {
            GatherRow(d, s, map, n);
        }
        prevRow = d;
        prevSy = sy;
    }
}

void Fill(const PixelView& dst, const RECT& r, uint32_t xrgb)
{
    const RECT c = Intersect(r, RECT{0, 0, dst.width, dst.height});
    if (IsEmpty(c))
        return;
    for (int y = c.top; y < c.bottom; ++y)
        std::fill_n(Row(dst, y) + c.left, RectWidth(c), xrgb);
}

} // namespace platform::blit
