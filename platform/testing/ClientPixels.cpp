#include "testing/ClientPixels.h"

#include "win32/WindowPixels.h"

namespace platform::testing {

bool ReadClientPixels(HWND hwnd, ClientPixels* out)
{
    PixelView view;
    if (!LockWindowPixels(hwnd, &view))
        return false;
    out->width = view.width;
    out->height = view.height;
    out->rgb.resize(static_cast<size_t>(view.width) * view.height);
    for (int y = 0; y < view.height; ++y)
        for (int x = 0; x < view.width; ++x)
            out->rgb[static_cast<size_t>(y) * view.width + x] = view.pixels[static_cast<size_t>(y) * view.stride + x] & 0xFFFFFF;
    UnlockWindowPixels(hwnd, RECT{0, 0, 0, 0});
    return true;
}

bool FillClientPixels(HWND hwnd, uint32_t rgb)
{
    PixelView view;
    if (!LockWindowPixels(hwnd, &view))
        return false;
    for (int y = 0; y < view.height; ++y)
        for (int x = 0; x < view.width; ++x)
            view.pixels[static_cast<size_t>(y) * view.stride + x] = rgb;
    UnlockWindowPixels(hwnd, RECT{0, 0, view.width, view.height});
    return true;
}

} // namespace platform::testing
