// The "Button" class: push buttons, radio buttons, check boxes and group boxes. A click
// (BM_CLICK, which the toolkit posts for the user's) selects an automatic radio button and
// clears the others of its group before the parent hears BN_CLICKED.
#include "base/Fence.h"
#include "controls/Dialogs.h"

#include <map>

namespace platform::win32 {
namespace {

using backend::WindowKind;

std::map<HWND, bool>& checks()
{
    static std::map<HWND, bool> c;
    return c;
}

DWORD TypeOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool IsRadio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool IsCheckBox(DWORD type) { return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE; }

UINT DialogCode(DWORD type)
{
    if (type == BS_GROUPBOX)
        return DLGC_STATIC;
    if (IsRadio(type))
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    if (type == BS_DEFPUSHBUTTON)
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (type == BS_PUSHBUTTON)
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    return DLGC_BUTTON;
}

void SetCheck(HWND hwnd, bool checked)
{
    const DWORD type = TypeOf(hwnd);
    if (!IsRadio(type) && !IsCheckBox(type))
        return;
    checks()[hwnd] = checked;
    // The selected radio button is its group's tab stop.
    if (IsRadio(type)) {
        const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        SetWindowLongA(hwnd, GWL_STYLE, checked ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
    backend::DialogControls().SetChecked(hwnd, checked);
}

void Click(HWND hwnd)
{
    if (!IsWindowEnabled(hwnd))
        return;
    SetFocus(hwnd);
    const DWORD type = TypeOf(hwnd);
    if (type == BS_AUTORADIOBUTTON) {
        SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
        // Only the group's automatic radio buttons; other controls' styles mean other things.
        for (HWND other : GroupOf(hwnd))
            if (other != hwnd && (SendMessageA(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) &&
                TypeOf(other) == BS_AUTORADIOBUTTON)
                SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
    } else if (type == BS_AUTOCHECKBOX) {
        SendMessageA(hwnd, BM_SETCHECK, checks()[hwnd] ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    if (IsWindow(hwnd))
        SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
}

} // namespace

WindowKind ButtonKind(DWORD style)
{
    const DWORD type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX)
        return WindowKind::GroupBox;
    if (IsRadio(type))
        return (style & BS_PUSHLIKE) ? WindowKind::PushLikeRadio : WindowKind::RadioButton;
    if (IsCheckBox(type))
        return WindowKind::CheckBox;
    return type == BS_DEFPUSHBUTTON ? WindowKind::DefaultPushButton : WindowKind::PushButton;
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return platform::Win32Call<LRESULT>(0, [&]() -> LRESULT {
        switch (msg) {
        case WM_CREATE:
            checks()[hwnd] = false;
            return 0;
        case WM_GETDLGCODE:
            return DialogCode(TypeOf(hwnd));
        case BM_GETCHECK:
            return checks()[hwnd] ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            SetCheck(hwnd, wParam != BST_UNCHECKED);
            return 0;
        case BM_CLICK:
            Click(hwnd);
            return 0;
        case WM_NCDESTROY:
            checks().erase(hwnd);
            return ControlDefault(hwnd, msg, wParam, lParam);
        default:
            return ControlDefault(hwnd, msg, wParam, lParam);
        }
    });
}

} // namespace platform::win32
