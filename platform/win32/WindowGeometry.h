// How window rectangles relate to what the backend shows: the frame (border and caption)
// that the platform counts as part of a window, and the default placement.
#pragma once
#include <windows.h>

namespace platform::win32 {

struct Window;

struct FrameMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Border and caption of a top-level window with these styles (the menu bar not included).
FrameMargins FrameFor(DWORD style, DWORD exStyle);

// The window rectangle of a window (screen coordinates).
RECT WindowRectOf(const Window& w);

// Places the window so that its window rectangle is `rect` (screen coordinates; for a
// child window, its parent's client coordinates).
void PlaceWindow(const Window& w, const RECT& rect);

// The window rectangle for CreateWindowEx's position and size, with CW_USEDEFAULT
// resolved (screen coordinates; a child's in its parent's client coordinates).
RECT CreationRect(DWORD style, int x, int y, int width, int height);

// ShowWindow's work, which may throw.
BOOL Show(HWND hwnd, int cmd);

} // namespace platform::win32
