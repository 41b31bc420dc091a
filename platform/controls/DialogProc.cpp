// The dialog's own window procedure (DefDlgProc) and the calls on a dialog's controls.
#include "base/Fence.h"
#include "controls/Dialogs.h"
#include "win32/Window.h"
#include "win32/WindowPixels.h"

#include <map>

namespace platform::win32 {
namespace {

std::map<HWND, DialogRecord>& records()
{
    static std::map<HWND, DialogRecord> r;
    return r;
}

void RegisterOnce(const char* name, WNDPROC proc, UINT style, backend::WindowKind (*kindOf)(DWORD style))
{
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, name, &wc))
        return;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterControlClass(wc, kindOf);
}

// The face colour over the whole client area.
void EraseWithFace(HWND dialog)
{
    PixelView view;
    if (!LockWindowPixels(dialog, &view))
        return;
    const COLORREF c = backend::DialogControls().FaceColour();
    const uint32_t pixel = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    for (int y = 0; y < view.height; ++y)
        for (int x = 0; x < view.width; ++x)
            view.pixels[static_cast<size_t>(y) * view.stride + x] = pixel;
    UnlockWindowPixels(dialog, RECT{0, 0, view.width, view.height});
}

// Back to the control that had the focus, or the first that takes it.
void RestoreFocus(HWND dialog, DialogRecord& d)
{
    HWND focus = d.focus;
    if (!focus || !IsChild(dialog, focus) || !TakesDialogInput(focus))
        focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (focus)
        SetFocus(focus);
}

LRESULT DefaultId(HWND dialog, const DialogRecord& d)
{
    if (d.defaultId)
        return MAKELRESULT(d.defaultId, DC_HASDEFID);
    for (HWND h : ChildWindows(dialog))
        if (SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
            return MAKELRESULT(GetDlgCtrlID(h), DC_HASDEFID);
    return 0;
}

LRESULT DialogDefault(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DialogRecord* d = FindDialogRecord(dialog);
    switch (msg) {
    case WM_ERASEBKGND:
        EraseWithFace(dialog);
        return TRUE;
    case WM_CLOSE: {
        // The close button is the Cancel command, unless Cancel is disabled.
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) {
            MessageBeep(0);
            return 0;
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_ACTIVATE:
        if (d && LOWORD(wParam) != WA_INACTIVE)
            RestoreFocus(dialog, *d);
        return 0;
    case WM_SETFOCUS:
        if (d)
            RestoreFocus(dialog, *d);
        return 0;
    case DM_GETDEFID:
        return d ? DefaultId(dialog, *d) : 0;
    case DM_SETDEFID:
        if (d)
            d->defaultId = static_cast<int>(wParam);
        return TRUE;
    case WM_NCDESTROY:
        records().erase(dialog);
        return DefWindowProcA(dialog, msg, wParam, lParam);
    default:
        return DefWindowProcA(dialog, msg, wParam, lParam);
    }
}

} // namespace

const char kDialogClass[] = "#32770";

void RegisterDialogClasses()
{
    RegisterOnce(kDialogClass, &DefDlgProcA, CS_DBLCLKS | CS_SAVEBITS, nullptr);
    RegisterOnce("Button", &ButtonProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW, &ButtonKind);
    RegisterOnce("Static", &StaticProc, CS_DBLCLKS | CS_PARENTDC, [](DWORD) { return backend::WindowKind::Static; });
    RegisterOnce("msctls_trackbar32", &TrackbarProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                 [](DWORD) { return backend::WindowKind::Trackbar; });
}

DialogRecord* FindDialogRecord(HWND dialog)
{
    auto it = records().find(dialog);
    if (it == records().end())
        return nullptr;
    if (!IsWindow(dialog)) {
        records().erase(it);
        return nullptr;
    }
    return &it->second;
}

DialogRecord& AddDialogRecord(HWND dialog) { return records()[dialog] = DialogRecord{}; }

void NoteDialogFocus(HWND control)
{
    if (DialogRecord* d = FindDialogRecord(GetParent(control)))
        d->focus = control;
}

} // namespace platform::win32

using namespace platform::win32;

LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return platform::Win32Call<LRESULT>(0, [&]() -> LRESULT {
        // The dialog procedure first; what it leaves (FALSE) gets the dialog's default handling.
        DialogRecord* d = FindDialogRecord(dialog);
        if (d && d->proc) {
            const INT_PTR handled = platform::CallBack(d->proc, dialog, msg, wParam, lParam);
            if (msg == WM_INITDIALOG)
                return handled;
            if (handled)
                return 0;
        }
        return DialogDefault(dialog, msg, wParam, lParam);
    });
}

BOOL EndDialog(HWND dialog, INT_PTR)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        // A modeless dialog only disappears; its owner destroys it.
        if (!FindDialogRecord(dialog))
            return FALSE;
        ShowWindow(dialog, SW_HIDE);
        return TRUE;
    });
}

HWND GetDlgItem(HWND dialog, int id)
{
    return platform::Win32Call<HWND>(nullptr, [&]() -> HWND {
        for (HWND h : ChildWindows(dialog))
            if (GetDlgCtrlID(h) == id)
                return h;
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    });
}

int GetDlgCtrlID(HWND hwnd) { return GetWindowLongA(hwnd, GWL_ID); }

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageA(control, msg, wParam, lParam) : 0;
}

DWORD GetSysColor(int index)
{
    switch (index) {
    case COLOR_BTNFACE:
        return platform::backend::DialogControls().FaceColour();
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    default:
        return RGB(0, 0, 0);
    }
}
