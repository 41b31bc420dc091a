// Test seam: the pixels a window's client area shows, as DirectDraw and GDI left them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace platform::testing {

struct ClientPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb; // 0xRRGGBB, row after row
    uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// A copy of the client area's pixels; false for an unknown window or an empty client area.
bool ReadClientPixels(HWND hwnd, ClientPixels* out);

// Paints the whole client area in one colour (0xRRGGBB) and has the window show it.
bool FillClientPixels(HWND hwnd, uint32_t rgb);

} // namespace platform::testing
