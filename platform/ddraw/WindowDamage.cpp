#include "ddraw/WindowDamage.h"

#include <algorithm>
#include <cstring>

namespace platform::ddraw {
namespace {

uint32_t* Row(const PixelView& v, int y) { return v.pixels + static_cast<ptrdiff_t>(y) * v.stride; }

struct Span {
    int left;
    int right;
};

} // namespace

void WriteChanged(const PixelView& window, const RECT& area, const PixelView& frame, std::vector<RECT>* damage)
{
    const int width = area.right - area.left;
    if (width <= 0 || area.bottom <= area.top)
        return;
    // Rectangles still growing downwards: one per run of changed tiles in the row above.
    std::vector<RECT> open, next;
    std::vector<Span> spans;
    for (int y = area.top; y < area.bottom; ++y) {
        uint32_t* w = Row(window, y) + area.left;
        const uint32_t* f = Row(frame, y - area.top);
        spans.clear();
        // Most rows of most frames are as they were: one compare settles them.
        if (std::memcmp(w, f, sizeof(uint32_t) * static_cast<size_t>(width)) != 0) {
            for (int x = 0; x < width; x += kDamageTile) {
                const int n = std::min(kDamageTile, width - x);
                if (std::memcmp(w + x, f + x, sizeof(uint32_t) * static_cast<size_t>(n)) == 0)
                    continue;
                if (!spans.empty() && spans.back().right == x)
                    spans.back().right = x + n;
                else
                    spans.push_back(Span{x, x + n});
            }
            for (const Span& s : spans)
                std::memcpy(w + s.left, f + s.left, sizeof(uint32_t) * static_cast<size_t>(s.right - s.left));
        }
        // A run under one of the same columns extends it; the others are finished.
        next.clear();
        for (const Span& s : spans) {
            const LONG left = area.left + s.left, right = area.left + s.right;
            auto same = std::find_if(open.begin(), open.end(),
                                     [&](const RECT& r) { return r.left == left && r.right == right; });
            if (same != open.end()) {
                same->bottom = y + 1;
                next.push_back(*same);
                same->right = same->left; // taken
            } else {
                next.push_back(RECT{left, y, right, y + 1});
            }
        }
        for (const RECT& r : open) {
            if (r.right > r.left)
                damage->push_back(r);
        }
        open.swap(next);
    }
    damage->insert(damage->end(), open.begin(), open.end());
}

} // namespace platform::ddraw
