// A view of 32-bit XRGB pixels: a surface's memory, a window's client area, a bitmap.
#pragma once
#include <cstdint>

namespace platform {

struct PixelView {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // in pixels
};

} // namespace platform
