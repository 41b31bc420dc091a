// What a window holds besides its geometry: text, styles, procedure, relations, state.
#include "base/Fence.h"
#include "win32/Backend.h"
#include "win32/Window.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

using namespace platform::win32;

BOOL IsChild(HWND parent, HWND hwnd)
{
    for (Window* w = FindWindowRecord(hwnd); w && w->IsChild(); w = FindWindowRecord(w->parent))
        if (w->parent == parent)
            return TRUE;
    return FALSE;
}

HWND GetParent(HWND hwnd)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w)
        return nullptr;
    return (w->IsChild() || (w->style & WS_POPUP)) ? w->parent : nullptr;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName)
{
    return platform::Win32Call<HWND>(nullptr, [&]() -> HWND {
        std::vector<HWND> tops = TopLevelWindows();
        for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
            Window* w = FindWindowRecord(*it);
            if (className) {
                std::shared_ptr<const WindowClass> cls = FindWindowClass(className);
                if (cls != w->cls)
                    continue;
            }
            if (windowName && strcasecmp(windowName, w->text.c_str()) != 0)
                continue;
            return *it;
        }
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    });
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        if (!FindWindowRecord(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        return CallProcedure(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
    });
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size)
{
    return platform::Win32Call<int>(0, [&]() -> int {
        if (!buffer || size <= 0)
            return 0;
        buffer[0] = 0;
        if (!FindWindowRecord(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        return static_cast<int>(CallProcedure(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
    });
}

int GetWindowTextLengthA(HWND hwnd) { return static_cast<int>(CallProcedure(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetClassNameA(HWND hwnd, LPSTR buffer, int size)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w || !buffer || size <= 0)
        return 0;
    int n = std::min<int>(size - 1, static_cast<int>(w->cls->name.size()));
    std::memcpy(buffer, w->cls->name.data(), n);
    buffer[n] = 0;
    return n;
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index)
{
    return platform::Win32Call<LONG_PTR>(0, [&]() -> LONG_PTR {
        Window* w = FindWindowRecord(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(w->instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(w->parent);
        case GWLP_USERDATA:
            return w->userData;
        case GWLP_ID:
            return static_cast<LONG_PTR>(w->id);
        case GWL_STYLE: {
            DWORD s = w->style;
            if (!platform::backend::Placement().IsHidden(hwnd))
                s |= WS_VISIBLE;
            if (!w->IsChild() && platform::backend::Placement().IsMinimized(hwnd))
                s |= WS_MINIMIZE;
            if (!w->IsChild() && platform::backend::Placement().IsMaximized(hwnd))
                s |= WS_MAXIMIZE;
            if (!w->enabled)
                s |= WS_DISABLED;
            return static_cast<LONG>(s);
        }
        case GWL_EXSTYLE:
            return static_cast<LONG>(w->exStyle);
        default:
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
    });
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    return platform::Win32Call<LONG_PTR>(0, [&]() -> LONG_PTR {
        Window* w = FindWindowRecord(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        LONG_PTR old = GetWindowLongPtrA(hwnd, index);
        switch (index) {
        case GWLP_WNDPROC:
            if (value)
                w->proc = reinterpret_cast<WNDPROC>(value);
            break;
        case GWLP_USERDATA:
            w->userData = value;
            break;
        case GWLP_ID:
            w->id = static_cast<UINT_PTR>(value);
            break;
        case GWL_STYLE:
            w->style = static_cast<DWORD>(value) & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE | WS_DISABLED);
            platform::backend::Widgets().SetStyle(hwnd, w->style, w->exStyle);
            break;
        case GWL_EXSTYLE:
            w->exStyle = static_cast<DWORD>(value);
            platform::backend::Widgets().SetStyle(hwnd, w->style, w->exStyle);
            break;
        default:
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        return old;
    });
}

LONG GetWindowLongA(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtrA(hwnd, index)); }

LONG SetWindowLongA(HWND hwnd, int index, LONG value) { return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, value)); }

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        Window* w = FindWindowRecord(hwnd);
        if (!w)
            return FALSE;
        BOOL wasDisabled = !w->enabled;
        if (w->enabled != (enable != 0)) {
            w->enabled = enable != 0;
            platform::backend::Widgets().SetEnabled(hwnd, w->enabled);
            CallProcedure(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
        }
        return wasDisabled;
    });
}

BOOL IsWindowEnabled(HWND hwnd)
{
    Window* w = FindWindowRecord(hwnd);
    return w && w->enabled;
}
