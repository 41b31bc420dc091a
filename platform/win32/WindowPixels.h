// What a window shows: its client area as 32-bit XRGB pixels. DirectDraw's primary
// surface writes into it through a clipper bound to the window.
#pragma once
#include "pixels/PixelView.h"

#include <windows.h>

#include <span>

namespace platform {

// Locks the client-area pixels for writing; false for an unknown window or an empty client area.
bool LockWindowPixels(HWND hwnd, PixelView* view);

// Ends the write and has the window show the changed parts anew (client coordinates);
// whatever else the write touched must be as it was.
void UnlockWindowPixels(HWND hwnd, std::span<const RECT> changed);
inline void UnlockWindowPixels(HWND hwnd, const RECT& changed) { UnlockWindowPixels(hwnd, {&changed, 1}); }

} // namespace platform
