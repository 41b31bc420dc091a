// The seam between the window core (portable) and the toolkit that shows windows, reads
// input and runs the event dispatcher (Qt, in platform/win32/Qt*.cpp).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace platform::backend {

// Makes sure the toolkit's application object exists (creating one if needed); false
// when windows cannot be shown at all.
bool EnsureApplication();
bool HasApplication();

// Processes pending toolkit events without waiting.
void Pump();
// Sleeps in the toolkit's event dispatcher until an event arrives or timeoutNs passes
// (UINT64_MAX: no time limit).
void Wait(uint64_t timeoutNs);

// Window widgets. A top-level window gets a toolkit window with a menu bar and a client
// widget; a child window a widget inside its parent's client widget.
void CreateWidgets(HWND hwnd);
void DestroyWidgets(HWND hwnd);
void SetTitle(HWND hwnd, const std::string& text);
void SetIcon(HWND hwnd, HICON icon);
void SetCursorShape(HWND hwnd, HCURSOR cursor);
void SetEnabled(HWND hwnd, bool enabled);

// The menu bar of a top-level window, built from its menu (none for NULL).
void SetMenuBar(HWND hwnd, HMENU menu);
// The item at a position of a menu changed (check mark, state, text).
void MenuItemChanged(HMENU menu, int position);
// Height of a one-line menu bar.
int MenuBarHeight();

// Geometry. The contents rectangle is, for a top-level window, what the toolkit window
// covers (menu bar and client area) in screen coordinates; for a child window, its client
// area in screen coordinates.
RECT ContentsRect(HWND hwnd);
void SetContentsRect(HWND hwnd, const RECT& screenRect);
// The client area's top-left corner on the screen and its size (also while minimised).
POINT ClientOrigin(HWND hwnd);
SIZE ClientWidgetSize(HWND hwnd);

void Show(HWND hwnd, int nCmdShow);
bool IsVisible(HWND hwnd);
bool IsHidden(HWND hwnd); // its own visibility flag, whatever its parent's
bool IsMinimized(HWND hwnd);
bool IsMaximized(HWND hwnd);
void Activate(HWND hwnd);
void Focus(HWND hwnd);
// The toolkit's active top-level window (NULL when it is none of ours) and whether the
// application is active.
void QueryActivation(HWND* active, bool* appActive);

// The client widget shows the changed part of the window's pixels.
void RepaintPixels(HWND hwnd, const RECT& changed);

// The mouse position on the screen.
POINT CursorPos();

// A modal message box; the core runs the message loop until it is answered.
using MessageBoxId = int;
MessageBoxId OpenMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
// True once answered, with the button's IDOK...; the box is then gone.
bool MessageBoxAnswered(MessageBoxId box, int* result);
void CloseMessageBox(MessageBoxId box);

} // namespace platform::backend
