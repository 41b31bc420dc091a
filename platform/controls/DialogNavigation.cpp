// The dialog's keyboard: Tab through the tab stops, arrows through a group, Enter for the
// default button and Escape for Cancel; and the order of a window's children.
#include "base/Fence.h"
#include "controls/Dialogs.h"
#include "win32/Window.h"

#include <algorithm>

namespace platform::win32 {
namespace {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

UINT DialogCode(HWND control, const MSG* msg)
{
    return static_cast<UINT>(SendMessageA(control, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
}

// The next (or previous) entry of `list` after `from` that passes, going round once;
// `from` itself when none does.
template <class Test>
HWND NextAround(const std::vector<HWND>& list, HWND from, bool previous, Test passes)
{
    const auto n = static_cast<ptrdiff_t>(list.size());
    if (n == 0)
        return nullptr;
    ptrdiff_t at = std::find(list.begin(), list.end(), from) - list.begin();
    if (at == n) // no control yet: start before the first (or after the last)
        at = previous ? 0 : n - 1;
    for (ptrdiff_t step = 1; step <= n; ++step) {
        HWND h = list[static_cast<size_t>(((at + (previous ? -step : step)) % n + n) % n)];
        if (passes(h))
            return h;
    }
    return from;
}

// Sends the command of a button of the dialog, unless the button is there and disabled.
void SendButtonCommand(HWND dialog, int id, HWND button)
{
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void OnEnter(HWND dialog, HWND from, UINT code)
{
    // A focused push button is the one Enter presses; otherwise the dialog's default button.
    if (from != dialog && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        SendButtonCommand(dialog, GetDlgCtrlID(from), from);
        return;
    }
    const LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    const int id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
    SendButtonCommand(dialog, id, GetDlgItem(dialog, id));
}

void OnArrow(HWND dialog, HWND from, bool previous)
{
    HWND next = GetNextDlgGroupItem(dialog, from, previous);
    if (!next || next == from)
        return;
    SetFocus(next);
    // An automatic radio button is selected as the focus reaches it.
    if ((StyleOf(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON && SendMessageA(next, BM_GETCHECK, 0, 0) == BST_UNCHECKED)
        SendMessageA(next, BM_CLICK, 0, 0);
}

// The dialog's handling of a key; false when the key is the control's own.
bool DialogKey(HWND dialog, const MSG* msg)
{
    HWND from = msg->hwnd;
    const UINT code = from == dialog ? 0 : DialogCode(from, msg);
    if (code & DLGC_WANTMESSAGE)
        return false;
    switch (msg->wParam) {
    case VK_TAB:
        if (code & DLGC_WANTTAB)
            return false;
        if (HWND next = GetNextDlgTabItem(dialog, from == dialog ? nullptr : from, GetKeyState(VK_SHIFT) < 0))
            SetFocus(next);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (code & DLGC_WANTARROWS)
            return false;
        if (from != dialog)
            OnArrow(dialog, from, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
        return true;
    case VK_RETURN:
        OnEnter(dialog, from, code);
        return true;
    case VK_ESCAPE:
        SendButtonCommand(dialog, IDCANCEL, GetDlgItem(dialog, IDCANCEL));
        return true;
    default:
        return false;
    }
}

} // namespace

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    for (HWND h : AllWindows()) {
        Window* w = FindWindowRecord(h);
        if (w && w->IsChild() && w->parent == parent)
            children.push_back(h);
    }
    return children;
}

std::vector<HWND> GroupOf(HWND control)
{
    const std::vector<HWND> siblings = ChildWindows(GetParent(control));
    auto at = std::find(siblings.begin(), siblings.end(), control);
    if (at == siblings.end())
        return {};
    auto first = at;
    while (first != siblings.begin() && !(StyleOf(*first) & WS_GROUP))
        --first;
    auto last = at + 1;
    while (last != siblings.end() && !(StyleOf(*last) & WS_GROUP))
        ++last;
    return std::vector<HWND>(first, last);
}

bool TakesDialogInput(HWND control)
{
    const DWORD style = StyleOf(control);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

} // namespace platform::win32

using namespace platform::win32;

HWND GetWindow(HWND hwnd, UINT relation)
{
    return platform::Win32Call<HWND>(nullptr, [&]() -> HWND {
        Window* w = FindWindowRecord(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if (relation == GW_CHILD) {
            std::vector<HWND> children = ChildWindows(hwnd);
            return children.empty() ? nullptr : children.front();
        }
        if (relation == GW_OWNER)
            return w->IsChild() ? nullptr : w->parent;
        const std::vector<HWND> siblings = w->IsChild() ? ChildWindows(w->parent) : TopLevelWindows();
        auto at = std::find(siblings.begin(), siblings.end(), hwnd);
        switch (relation) {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return at + 1 == siblings.end() ? nullptr : *(at + 1);
        case GW_HWNDPREV:
            return at == siblings.begin() ? nullptr : *(at - 1);
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
    });
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    return platform::Win32Call<HWND>(nullptr, [&]() -> HWND {
        if (!IsWindow(dialog) || (control && !IsChild(dialog, control)))
            return nullptr;
        return NextAround(ChildWindows(dialog), control, previous != FALSE,
                          [](HWND h) { return TakesDialogInput(h) && (GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP); });
    });
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous)
{
    return platform::Win32Call<HWND>(nullptr, [&]() -> HWND {
        if (!IsWindow(dialog) || (control && !IsChild(dialog, control)))
            return nullptr;
        if (!control)
            control = GetWindow(dialog, GW_CHILD);
        if (!control)
            return nullptr;
        // Texts and group boxes in a group are passed over: they take no focus.
        return NextAround(GroupOf(control), control, previous != FALSE, [](HWND h) {
            return TakesDialogInput(h) && !(SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_STATIC);
        });
    });
}

BOOL IsDialogMessageA(HWND dialog, LPMSG msg)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        if (!msg || !IsWindow(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)))
            return FALSE;
        if (msg->message == WM_KEYDOWN && DialogKey(dialog, msg))
            return TRUE;
        // Everything else for the dialog is dispatched here.
        TranslateMessage(msg);
        DispatchMessageA(msg);
        return TRUE;
    });
}

SHORT GetKeyState(int virtualKey)
{
    return platform::Win32Call<SHORT>(0, [&]() -> SHORT {
        return platform::backend::DialogControls().KeyWasDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
    });
}
