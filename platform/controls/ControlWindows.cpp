// What every control window does alike, and the "Static" class: a text that takes no input.
#include "base/Fence.h"
#include "controls/Dialogs.h"

namespace platform::win32 {

LRESULT ControlDefault(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETFOCUS:
        NoteDialogFocus(control);
        return 0;
    default:
        return DefWindowProcA(control, msg, wParam, lParam);
    }
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return platform::Win32Call<LRESULT>(0, [&]() -> LRESULT {
        switch (msg) {
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        default:
            return ControlDefault(hwnd, msg, wParam, lParam);
        }
    });
}

} // namespace platform::win32
