// GDI objects behind their handles: bitmaps (32-bit XRGB, top-down) and device contexts
// (memory, onto a DirectDraw surface's pixels, of a window or the screen). A handle
// that names no live object is refused by every call.
#pragma once
#include "win32/WindowPixels.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace platform::gdi {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // top-down rows of width XRGB pixels
};

// A DIB section holding the image.
HBITMAP CreateBitmap(Image image);

// A device context drawing into pixels that stay valid until DeleteSurfaceDC.
HDC CreateSurfaceDC(const PixelView& pixels);
bool DeleteSurfaceDC(HDC dc);

// Bitmaps and device contexts not yet deleted (stock objects not counted).
int LiveObjectCount();

} // namespace platform::gdi
