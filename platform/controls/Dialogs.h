// Inside the dialog manager: what the dialog's own procedure, its creation, its keyboard
// handling and the controls share.
#pragma once
#include "win32/Backend.h"

#include <windows.h>

#include <vector>

namespace platform::win32 {

// The classes of dialogs ("#32770") and of their controls ("Button", "Static",
// "msctls_trackbar32"), registered on first use.
extern const char kDialogClass[];
void RegisterDialogClasses();

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TrackbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The widgets a button of a style is shown by.
backend::WindowKind ButtonKind(DWORD style);
// What every control does with the messages it leaves: focus, and the rest as any window.
LRESULT ControlDefault(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);

// A window made by CreateDialogParam: its dialog procedure, its base units (the average
// character width and the height of its font) and the control to give the focus back to.
struct DialogRecord {
    DLGPROC proc = nullptr;
    SIZE baseUnits{};
    HWND focus = nullptr;
    int defaultId = 0; // DM_SETDEFID; 0: the BS_DEFPUSHBUTTON control's id
};

DialogRecord* FindDialogRecord(HWND dialog);
DialogRecord& AddDialogRecord(HWND dialog);

// The dialog a control belongs to remembers it as the control to focus when it is
// activated again.
void NoteDialogFocus(HWND control);

// The direct children of a window, top of the z-order first (which is the order they were made in).
std::vector<HWND> ChildWindows(HWND parent);

// The controls of the group a control belongs to: from the nearest control at or before it
// with WS_GROUP (or the first child) up to the next control with WS_GROUP.
std::vector<HWND> GroupOf(HWND control);

// Whether a control can take the dialog's keyboard: its own WS_VISIBLE set and
// WS_DISABLED clear, whether or not the dialog itself is shown yet.
bool TakesDialogInput(HWND control);

} // namespace platform::win32
