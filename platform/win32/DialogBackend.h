// The seam between the dialog manager and its controls (portable) and the toolkit that
// shows them (Qt, in platform/win32/QtDialog*.cpp). A control is a child window like any
// other; the toolkit puts the widget that draws it and takes its mouse input inside the
// window's own widget. What the user does comes back as posted messages (below).
#pragma once
#include <windows.h>

#include <string>

namespace platform::backend {

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

enum class ControlKind { PushButton, DefaultPushButton, RadioButton, PushLikeRadio, CheckBox, GroupBox, Static, Trackbar };

struct TrackbarShown {
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    int lineSize = 1;
    int pageSize = 20;
};

class DialogBackend {
public:
    virtual ~DialogBackend() = default;

    // The font a dialog with this template font shows, measured.
    virtual FontMeasure MeasureFont(const DialogFont& font) = 0;
    // The dialog's window and every control in it show this font; the window stays above its owner.
    virtual void PrepareDialog(HWND dialog, const DialogFont& font, HWND owner) = 0;
    // The face colour of dialogs (COLORREF, 0x00BBGGRR).
    virtual COLORREF FaceColour() = 0;

    // Builds the widget of a control inside its (already made) window widget.
    virtual void CreateControl(HWND control, ControlKind kind, const std::string& text, DWORD style) = 0;
    // The control window is about to go; its widget goes with the window's widget.
    virtual void ForgetControl(HWND control) = 0;
    virtual void SetControlText(HWND control, const std::string& text) = 0;
    virtual void SetChecked(HWND control, bool checked) = 0;
    virtual void SetTrackbar(HWND control, const TrackbarShown& state) = 0;

    // Whether the key (VK_SHIFT, VK_CONTROL) was down at the user's last key press.
    virtual bool KeyWasDown(int virtualKey) = 0;
};

DialogBackend& Dialogs();

// Posted to a trackbar when the user moves its thumb with the mouse: wParam the TB_ code,
// lParam the position the thumb now shows (for TB_ENDTRACK, 0). Keys reach the
// trackbar as WM_KEYDOWN and WM_KEYUP; a button's click arrives as BM_CLICK.
constexpr UINT kTrackbarMouseAction = WM_USER + 0x3F00;

} // namespace platform::backend
