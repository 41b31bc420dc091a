#include "ddraw/WindowDamage.h"

#include <algorithm>
#include <cstring>

namespace platform::ddraw {

void WriteChanged(const PixelView& window, const RECT& area, const PixelView& frame, std::vector<RECT>* damage)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    const int columns = (width + kDamageTile - 1) / kDamageTile;
    const int rows = (height + kDamageTile - 1) / kDamageTile;
    std::vector<bool> dirty; // tile by tile, made when a first row differs
    for (int y = 0; y < height; ++y) {
        uint32_t* w = window.pixels + static_cast<ptrdiff_t>(area.top + y) * window.stride + area.left;
        const uint32_t* f = frame.pixels + static_cast<ptrdiff_t>(y) * frame.stride;
        // Most rows of most frames are as they were: one compare settles them.
        if (std::memcmp(w, f, sizeof(uint32_t) * static_cast<size_t>(width)) == 0)
            continue;
        if (dirty.empty())
            dirty.assign(static_cast<size_t>(columns) * rows, false);
        for (int c = 0; c < columns; ++c) {
            const int x = c * kDamageTile, n = std::min(kDamageTile, width - x);
            if (std::memcmp(w + x, f + x, sizeof(uint32_t) * static_cast<size_t>(n)) == 0)
                continue;
            std::memcpy(w + x, f + x, sizeof(uint32_t) * static_cast<size_t>(n));
            dirty[static_cast<size_t>(y / kDamageTile) * columns + c] = true;
        }
    }
    if (dirty.empty())
        return;
    // Runs of changed tiles, a run under one of the same columns extending it downwards.
    std::vector<RECT> open, next;
    for (int r = 0; r < rows; ++r) {
        const LONG top = area.top + r * kDamageTile, bottom = std::min<LONG>(top + kDamageTile, area.bottom);
        next.clear();
        for (int c = 0; c < columns;) {
            if (!dirty[static_cast<size_t>(r) * columns + c]) {
                ++c;
                continue;
            }
            const int first = c;
            while (c < columns && dirty[static_cast<size_t>(r) * columns + c])
                ++c;
            const LONG left = area.left + first * kDamageTile;
            const LONG right = std::min<LONG>(area.left + c * kDamageTile, area.right);
            auto above = std::find_if(open.begin(), open.end(),
                                      [&](const RECT& o) { return o.left == left && o.right == right; });
            if (above != open.end()) {
                next.push_back(RECT{left, above->top, right, bottom});
                open.erase(above);
            } else {
                next.push_back(RECT{left, top, right, bottom});
            }
        }
        damage->insert(damage->end(), open.begin(), open.end());
        open.swap(next);
    }
    damage->insert(damage->end(), open.begin(), open.end());
}

} // namespace platform::ddraw
