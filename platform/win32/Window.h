// The window records behind HWNDs: class, procedure, styles, text, menu, paint state and
// client pixels. Geometry lives in the window backend (Backend.h).
#pragma once
#include "win32/Backend.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::win32 {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    LPCSTR menuName = nullptr; // an integer resource or a pointer into menuNameText
    std::string menuNameText;
    // The widgets that show a child window of the class with a style: a control's own
    // (a class of the dialog manager); nullptr: a plain child window's.
    backend::WindowKind (*kindOf)(DWORD style) = nullptr;
};

struct Window {
    HWND hwnd = nullptr;
    std::shared_ptr<const WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr; // the parent of a child window, the owner of a top-level one
    HMENU menu = nullptr;  // a top-level window's menu bar
    UINT_PTR id = 0;       // a child window's id
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::string text;
    bool enabled = true;
    bool destroying = false;
    // Its WM_CREATE has returned: until then the window system's notices pass it by.
    bool created = false;
    // The application's activity as WM_ACTIVATEAPP last told it (or as it was when the window was made).
    bool appActiveTold = false;

    // Painting: the update rectangle (client coordinates) and whether it wants erasing.
    bool updatePending = false;
    bool erasePending = false;
    RECT update{};

    // What the client area shows: 32-bit XRGB, width x height.
    std::vector<uint32_t> pixels;
    int pixelWidth = 0;
    int pixelHeight = 0;

    // The last geometry told to the window by WM_SIZE and WM_MOVE.
    bool sizeReported = false;
    UINT reportedSizeType = SIZE_RESTORED;
    SIZE reportedSize{};
    bool moveReported = false;
    POINT reportedOrigin{};

    bool IsChild() const { return (style & WS_CHILD) != 0; }
};

// The class of that name or atom; nullptr when none is registered.
std::shared_ptr<const WindowClass> FindWindowClass(LPCSTR name);

// Registers a class whose child windows are shown as a control of the kind for their style.
ATOM RegisterControlClass(const WNDCLASSA& wc, backend::WindowKind (*kindOf)(DWORD style));

// The record of a live window; nullptr for NULL, unknown or destroyed handles.
Window* FindWindowRecord(HWND hwnd);

// Live windows in creation order.
std::vector<HWND> AllWindows();
std::vector<HWND> TopLevelWindows();

// Destroys every window that is left (the program's end).
void DestroyAllWindows();

// One call, consumed by the next CreateWindowExA right after the window's record exists
// and before its first message: the class library attaches its window object there.
using CreationHook = void (*)(HWND hwnd, void* context);
void SetCreationHook(CreationHook hook, void* context);
// Clears the hook; true when it was still pending (no window took it).
bool ClearCreationHook();

// Calls a window procedure (nothing for an unknown window).
LRESULT CallProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Sends WM_SIZE / WM_MOVE when the client size, show state or origin differ from what the
// window was last told.
void NotifyGeometry(HWND hwnd);

// Marks the whole client area for repainting.
void InvalidateWholeClient(HWND hwnd, bool erase);

// Client size as the platform reports it: empty while minimised.
SIZE ClientSize(HWND hwnd);

// Brings the pixel buffer to the current client size, keeping what fits.
void FitPixels(Window& w);

} // namespace platform::win32
