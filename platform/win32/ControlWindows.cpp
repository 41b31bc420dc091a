// What every control window does alike, and the "Static" class: a text that takes no input.
#include "win32/DialogBackend.h"
#include "win32/Dialogs.h"

namespace platform::win32 {

void CreateControlWidget(HWND control, LPARAM createStruct, backend::ControlKind kind)
{
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(createStruct);
    backend::Dialogs().CreateControl(control, kind, cs->lpszName ? cs->lpszName : "", static_cast<DWORD>(cs->style));
}

LRESULT ControlDefault(HWND control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETTEXT: {
        const LRESULT r = DefWindowProcA(control, msg, wParam, lParam);
        backend::Dialogs().SetControlText(control, lParam ? reinterpret_cast<const char*>(lParam) : "");
        return r;
    }
    case WM_SETFOCUS:
        NoteDialogFocus(control);
        return 0;
    case WM_NCDESTROY:
        backend::Dialogs().ForgetControl(control);
        return DefWindowProcA(control, msg, wParam, lParam);
    default:
        return DefWindowProcA(control, msg, wParam, lParam);
    }
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        CreateControlWidget(hwnd, lParam, backend::ControlKind::Static);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    default:
        return ControlDefault(hwnd, msg, wParam, lParam);
    }
}

} // namespace platform::win32
