// The seam between the window core (portable) and the toolkit that shows windows, reads
// input and runs the event dispatcher (Qt, in platform/qt/). It is a few small interfaces,
// narrow both ways: the core calls nothing of the toolkit but these and tells it what to
// show; the toolkit reads nothing of the core and reports through Events.
//
// A window record has widgets of a kind: a top-level window (a frame with caption, menu
// bar and client area; a dialog is one as well) or a child window inside its parent's
// client area. Dialog controls are child windows of kinds of their own, which come with a
// Controls interface of their own (dialogs are top-level windows).
#pragma once
#include "win32/Display.h"

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform::backend {

// What the window system reports to the core. Input becomes posted messages; geometry and
// activation changes are collected and sent to the windows when the message loop next
// pumps (never from inside a toolkit event handler).
class Events {
public:
    virtual ~Events() = default;
    // Input for a window (mouse, keyboard, menu command, close button); `screen` is where
    // the mouse was on the screen, as the window system had it (read for mouse messages).
    virtual void Input(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, POINT screen) = 0;
    // The window's size, state or position changed in the window system.
    virtual void GeometryChanged(HWND hwnd) = 0;
    // The active window or the application's activity changed in the window system.
    virtual void ActivationChanged() = 0;
};

// The toolkit as a whole: starting it, its events, the screen, the mouse and the bell.
class Application {
public:
    virtual ~Application() = default;
    // Starts the toolkit for the program under its name; false when no display can be opened
    // (found out late, it writes noDisplayLine to stderr and ends the process with exit code 1).
    virtual bool Open(const char* programName, const char* noDisplayLine) = 0;
    // Ends what Open started, once the program's windows are gone.
    virtual void Close() = 0;
    // Open has succeeded and not been closed: windows can be shown.
    virtual bool IsOpen() = 0;
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
    // Dialog controls: a child window whose widgets draw the control (its style and text
    // from the window record) and take its input.
    PushButton,
    DefaultPushButton,
    RadioButton,
    PushLikeRadio,
    CheckBox,
    GroupBox,
    Static,
    Trackbar,
};

// What a new window is, as its widgets show it.
struct NewWindow {
    WindowKind kind = WindowKind::TopLevel;
    HWND parent = nullptr; // a child's parent, whose client area holds it
    std::string text;      // a control's text
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT classStyle = 0; // CS_DBLCLKS: double clicks are reported as such
};

// The widgets that show the window records.
class WindowWidgets {
public:
    virtual ~WindowWidgets() = default;
    // Makes the widgets of a new window (hidden).
    virtual void Create(HWND hwnd, const NewWindow& window) = 0;
    // Takes them away; only ever called from the message loop, never inside their own events.
    virtual void Destroy(HWND hwnd) = 0;
    // A top-level window's caption, a control's text.
    virtual void SetText(HWND hwnd, const std::string& text) = 0;
    // The window's styles changed.
    virtual void SetStyle(HWND hwnd, DWORD style, DWORD exStyle) = 0;
    // A top-level window's icon as an .ico file image (empty: the toolkit's own).
    virtual void SetIcon(HWND hwnd, const std::vector<uint8_t>& icoFile) = 0;
    // The cursor shown over the client area: a standard cursor's IDC_ number (0: the arrow).
    virtual void SetCursor(HWND hwnd, int standardCursorId) = 0;
    // Whether the window takes input.
    virtual void SetEnabled(HWND hwnd, bool enabled) = 0;
    // The pixels the client area shows: 32-bit XRGB rows of `width`, valid until the next
    // call or the window's end (nullptr: none yet; what they do not cover is black).
    virtual void SetPixels(HWND hwnd, const uint32_t* pixels, int width, int height) = 0;
    // The client area shows the changed parts (client coordinates) of the window's pixels.
    virtual void Repaint(HWND hwnd, std::span<const RECT> changed) = 0;
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

// A menu as a menu bar shows it: its items in order, popups with theirs.
struct MenuItemShown;
struct MenuShown {
    HMENU handle = nullptr;
    std::vector<MenuItemShown> items;
};
struct MenuItemShown {
    UINT flags = 0; // MF_CHECKED, MF_GRAYED, MF_DISABLED, MF_SEPARATOR, MF_POPUP
    UINT id = 0;    // a command item's id
    std::string text; // '&' marks kept
    MenuShown popup;
};

// The menu bars of top-level windows.
class MenuBars {
public:
    virtual ~MenuBars() = default;
    // Builds the window's bar from its menu (none for nullptr).
    virtual void SetMenu(HWND hwnd, const MenuShown* menu) = 0;
    // The item at a position of a menu changed (check mark, state, text).
    virtual void ItemChanged(HMENU menu, int position, const MenuItemShown& item) = 0;
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

struct DialogFont {
    std::string face;    // as the template names it; a face the system lacks becomes its sans-serif
    int pixelHeight = 0; // character height (the em) in pixels
    int weight = 0;      // 0: normal
    bool italic = false;
};

struct FontMeasure {
    int alphabetWidth = 0; // width of "A".."Z" followed by "a".."z"
    int height = 0;        // character cell height
};

struct TrackbarShown {
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    int lineSize = 1;
    int pageSize = 20;
};

// Dialogs and the state their controls show beyond their windows. What the user does with
// a control comes back as posted messages: a button's click as BM_CLICK, the dialog's keys
// as WM_KEYDOWN / WM_KEYUP, a trackbar's thumb moved with the mouse as kTrackbarMouseAction.
class Controls {
public:
    virtual ~Controls() = default;
    // The font a dialog with this template font shows, measured.
    virtual FontMeasure MeasureFont(const DialogFont& font) = 0;
    // The dialog's window and every control in it show this font; the window stays above its owner.
    virtual void PrepareDialog(HWND dialog, const DialogFont& font, HWND owner) = 0;
    // The face colour of dialogs (COLORREF, 0x00BBGGRR).
    virtual COLORREF FaceColour() = 0;
    // A button's check mark (or pushed state) as the window says.
    virtual void SetChecked(HWND control, bool checked) = 0;
    // A trackbar's range, steps and thumb.
    virtual void SetTrackbar(HWND control, const TrackbarShown& state) = 0;
    // Whether the key (VK_SHIFT, VK_CONTROL, VK_MENU) was down at the user's last key press.
    virtual bool KeyWasDown(int virtualKey) = 0;
};

// Posted to a trackbar when the user moves its thumb with the mouse: wParam the TB_ code,
// lParam the position the thumb now shows (for TB_ENDTRACK, 0).
constexpr UINT kTrackbarMouseAction = WM_USER + 0x3F00;

// A toolkit's implementations of the interfaces.
struct Toolkit {
    Application* application = nullptr;
    WindowWidgets* widgets = nullptr;
    WindowPlacement* placement = nullptr;
    MenuBars* menuBars = nullptr;
    MessageBoxes* messageBoxes = nullptr;
    Controls* controls = nullptr;
};

// What the core does with the toolkit's reports; a toolkit is made to report there.
Events& CoreEvents();

// Puts the toolkit in place: whoever starts the program does so (its start-up, a test's
// main), before the first call of the window core.
void InstallToolkit(const Toolkit& toolkit);

// The implementations in use: the toolkit's, unless a test put its own in place of the
// application or the message boxes (nullptr: the toolkit's again).
Application& App();
void InstallApplication(Application* app);
WindowWidgets& Widgets();
WindowPlacement& Placement();
MenuBars& Menus();
MessageBoxes& Boxes();
void InstallMessageBoxes(MessageBoxes* boxes);
Controls& DialogControls();

} // namespace platform::backend
