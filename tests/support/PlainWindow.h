// A real top-level window (never shown) for calls that want a window handle.
#pragma once
#include <windows.h>

namespace testsupport {

// The caller destroys it with DestroyWindow.
HWND MakePlainWindow();

} // namespace testsupport
