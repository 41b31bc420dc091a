// The seam between the window core (portable) and the toolkit that shows windows, reads
// input and runs the event dispatcher (Qt, in platform/win32/Qt*.cpp).
#pragma once
#include "win32/Display.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace platform::backend {

// The toolkit as a whole: starting it, its events, the screen, the mouse and the bell.
class Application {
public:
    virtual ~Application() = default;
    // Starts the toolkit for the program under its name; false when no display can be opened
    // (found out late, it writes noDisplayLine to stderr and ends the process with exit code 1).
    virtual bool Open(const char* programName, const char* noDisplayLine) = 0;
    // Ends what Open started, once the program's windows are gone.
    virtual void Close() = 0;
    // Makes sure the toolkit runs (tests and tools start it here); false when windows cannot be shown.
    virtual bool Start() = 0;
    // Delivers pending toolkit events without waiting.
    virtual void Pump() = 0;
    // Sleeps until a toolkit event arrives or timeoutNs passes (UINT64_MAX: no time limit).
    virtual void Wait(uint64_t timeoutNs) = 0;
    // The primary screen's size, depth and refresh rate (a default mode without a screen).
    virtual DisplayMode Screen() = 0;
    // The mouse position on the screen.
    virtual POINT CursorPos() = 0;
    // Rings the desktop's bell.
    virtual void Beep() = 0;
};

// Modal message boxes: the core runs the message loop until one is answered.
class MessageBoxes {
public:
    using Id = int;
    virtual ~MessageBoxes() = default;
    // Shows a box with the platform's buttons and icon for `type`.
    virtual Id Open(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;
    // True once answered, with the button's IDOK...; the box is then gone.
    virtual bool Answered(Id box, int* result) = 0;
    // Takes the box away unanswered.
    virtual void Close(Id box) = 0;
};

// The implementations in use: the toolkit's unless a test installed its own (nullptr: the toolkit's again).
Application& App();
void InstallApplication(Application* app);
MessageBoxes& Boxes();
void InstallMessageBoxes(MessageBoxes* boxes);

inline bool EnsureApplication() { return App().Start(); }

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

} // namespace platform::backend
