// The present writes a frame into a window's pixels only where it differs from what the
// window holds, and the window system repaints only that: a frame that changed nothing
// repaints nothing.
#pragma once
#include "pixels/PixelView.h"

#include <windows.h>

#include <vector>

namespace platform::ddraw {

// Rows are compared in pieces this wide, and changes reported in tiles of this side:
// a changed row costs a few compares, and the rectangles stay few and simple.
constexpr int kDamageTile = 32;

// Gives the part `area` of `window` the pixels of `frame`, whose (0, 0) lies at the
// area's top-left corner, wherever they differ. Appends to `damage` rectangles (window
// coordinates, inside the area, none overlapping) that cover every pixel it changed.
void WriteChanged(const PixelView& window, const RECT& area, const PixelView& frame, std::vector<RECT>* damage);

} // namespace platform::ddraw
