// The seam between the window core (portable) and the toolkit that shows windows, reads
// input and runs the event dispatcher (Qt, in platform/win32/Qt*.cpp). It is a few small
// interfaces; the core calls nothing of the toolkit but these.
//
// A window record has widgets of a kind: a top-level window (a frame with caption, menu
// bar and client area; a dialog is one as well) or a child window inside its parent's
// client area. Dialog controls are child windows of kinds of their own, which come with a
// Controls interface of their own.
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

// What kind of widgets show a window.
enum class WindowKind {
    TopLevel, // a frame: caption, menu bar and client area
    Child,    // a plain child window in its parent's client area
};

// The widgets that show the window records.
class WindowWidgets {
public:
    virtual ~WindowWidgets() = default;
    // Makes the widgets of a new window record (hidden).
    virtual void Create(HWND hwnd, WindowKind kind) = 0;
    // Takes them away; only ever called from the message loop, never inside their own events.
    virtual void Destroy(HWND hwnd) = 0;
    // A top-level window's caption.
    virtual void SetText(HWND hwnd, const std::string& text) = 0;
    // A top-level window's icon.
    virtual void SetIcon(HWND hwnd, HICON icon) = 0;
    // The cursor shown over the client area.
    virtual void SetCursor(HWND hwnd, HCURSOR cursor) = 0;
    // Whether the window takes input.
    virtual void SetEnabled(HWND hwnd, bool enabled) = 0;
    // The client area shows the changed part (client coordinates) of the window's pixels.
    virtual void Repaint(HWND hwnd, const RECT& changed) = 0;
};

// Where windows are and how they are shown. A window's contents rectangle is, for a
// top-level window, what its toolkit window covers (menu bar and client area) in screen
// coordinates; for a child window, its client area in screen coordinates.
class WindowPlacement {
public:
    virtual ~WindowPlacement() = default;
    // The contents rectangle as it is.
    virtual RECT ContentsRect(HWND hwnd) = 0;
    // Moves and sizes the window so that its contents cover the rectangle.
    virtual void SetContentsRect(HWND hwnd, const RECT& screenRect) = 0;
    // The client area's top-left corner on the screen.
    virtual POINT ClientOrigin(HWND hwnd) = 0;
    // The client area's size, also while minimised.
    virtual SIZE ClientSize(HWND hwnd) = 0;
    // Shows, hides, minimises, maximises or restores it as ShowWindow's command says.
    virtual void Show(HWND hwnd, int nCmdShow) = 0;
    // Shown on the screen, its parents too.
    virtual bool IsVisible(HWND hwnd) = 0;
    // Its own visibility flag is off, whatever its parent's.
    virtual bool IsHidden(HWND hwnd) = 0;
    // A top-level window's state.
    virtual bool IsMinimized(HWND hwnd) = 0;
    virtual bool IsMaximized(HWND hwnd) = 0;
    // Raises and activates a top-level window.
    virtual void Activate(HWND hwnd) = 0;
    // Gives the window's client area the keyboard focus.
    virtual void Focus(HWND hwnd) = 0;
    // The toolkit's active top-level window (NULL when it is none of ours) and whether the
    // application is active.
    virtual void QueryActivation(HWND* active, bool* appActive) = 0;
};

// The menu bars of top-level windows.
class MenuBars {
public:
    virtual ~MenuBars() = default;
    // Builds the window's bar from its menu (none for NULL).
    virtual void SetMenu(HWND hwnd, HMENU menu) = 0;
    // The item at a position of a menu changed (check mark, state, text); -1: its items did.
    virtual void ItemChanged(HMENU menu, int position) = 0;
    // The height of a one-line bar.
    virtual int Height() = 0;
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
WindowWidgets& Widgets();
void InstallWidgets(WindowWidgets* widgets);
WindowPlacement& Placement();
void InstallPlacement(WindowPlacement* placement);
MenuBars& Menus();
void InstallMenus(MenuBars* menus);
MessageBoxes& Boxes();
void InstallMessageBoxes(MessageBoxes* boxes);

inline bool EnsureApplication() { return App().Start(); }

} // namespace platform::backend
