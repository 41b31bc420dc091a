// The default window procedure: what a window does with a message it leaves alone.
#include "base/Fence.h"
#include "win32/Backend.h"
#include "win32/Window.h"

#include <algorithm>
#include <cstring>

using namespace platform::win32;

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return platform::Win32Call<LRESULT>(0, [&]() -> LRESULT {
        Window* w = FindWindowRecord(hwnd);
        if (!w)
            return 0;
        switch (msg) {
        case WM_NCCREATE:
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
            case SC_CLOSE:
                SendMessageA(hwnd, WM_CLOSE, 0, 0);
                break;
            case SC_MINIMIZE:
                ShowWindow(hwnd, SW_MINIMIZE);
                break;
            case SC_MAXIMIZE:
                ShowWindow(hwnd, SW_MAXIMIZE);
                break;
            case SC_RESTORE:
                ShowWindow(hwnd, SW_RESTORE);
                break;
            default:
                break;
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return TRUE;
        case WM_SETTEXT: {
            const char* text = reinterpret_cast<const char*>(lParam);
            std::string value = text ? text : "";
            if (value != w->text) {
                platform::backend::Widgets().SetText(hwnd, value);
                w->text.swap(value);
            }
            return TRUE;
        }
        case WM_GETTEXT: {
            char* buffer = reinterpret_cast<char*>(lParam);
            if (!buffer || wParam == 0)
                return 0;
            size_t n = std::min<size_t>(wParam - 1, w->text.size());
            std::memcpy(buffer, w->text.data(), n);
            buffer[n] = 0;
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->text.size());
        default:
            return 0;
        }
    });
}
