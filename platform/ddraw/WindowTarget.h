// The window a primary surface presents into, through its clipper: the window backend,
// or the test seam's stand-in window.
#pragma once
#include "win32/WindowPixels.h"

#include <windows.h>

namespace platform::ddraw {

bool WindowExists(HWND hwnd);
// The client area in screen coordinates; false for an unknown window.
bool ClientAreaOnScreen(HWND hwnd, RECT* rect);
bool LockWindow(HWND hwnd, PixelView* view);
void UnlockWindow(HWND hwnd, const RECT& changed);

} // namespace platform::ddraw
