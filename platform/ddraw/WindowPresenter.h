// The windows a primary surface presents into, through its clipper: the window
// system's, unless a test put a presenter of its own in their place.
#pragma once
#include "win32/WindowPixels.h"

#include <windows.h>

#include <span>

namespace platform::ddraw {

class WindowPresenter {
public:
    virtual ~WindowPresenter() = default;
    // Whether a clipper may be bound to the handle.
    virtual bool Exists(HWND hwnd) = 0;
    // The window's client area in screen coordinates; false for an unknown window.
    virtual bool ClientAreaOnScreen(HWND hwnd, RECT* rect) = 0;
    // The client area's pixels, for writing; false when there are none.
    virtual bool Lock(HWND hwnd, PixelView* view) = 0;
    // Ends the write; the window shows the changed parts anew (client coordinates; none
    // when nothing changed).
    virtual void Unlock(HWND hwnd, std::span<const RECT> changed) = 0;
};

// The presenter in use; nullptr goes back to the window system's.
WindowPresenter& CurrentPresenter();
// The window system's own, for a presenter that watches it.
WindowPresenter& SystemPresenter();
void InstallPresenter(WindowPresenter* presenter);

} // namespace platform::ddraw
