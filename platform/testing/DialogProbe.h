// Test seam: look at the widgets that show a dialog's controls, and use them as the user
// would, with the mouse and the keyboard.
#pragma once
#include <windows.h>

#include <string>

namespace platform::testing {

struct ControlView {
    bool found = false;
    std::string widget; // "push button", "checkable push button", "radio button", "check box", "group box", "text", "trackbar"
    std::string text;
    bool shown = false;     // shown within its window
    bool checked = false;
    bool isDefault = false; // drawn as the default button
    RECT rect{};            // in the client coordinates of the control's parent
    bool titleCentred = false;
    bool vertical = false;
    bool lowestAtTop = false;
    bool ticks = false;
    int minimum = 0, maximum = 0, position = 0, lineStep = 0, pageStep = 0;
    std::string fontFamily; // as the system resolved it
    int fontPixelSize = 0;
};

ControlView ViewControl(HWND control);

// The family that the system's sans-serif font resolves to.
std::string SystemSansSerifFamily();

// The control whose widget has the keyboard focus of its dialog; NULL for none.
HWND FocusedControl(HWND dialog);

// A left click at the middle of the control's widget.
void ClickControl(HWND control);

// A key (VK_RETURN, VK_ESCAPE, VK_TAB, VK_SPACE, arrows, VK_PRIOR...) pressed and released
// where the dialog has its keyboard focus.
void PressKey(HWND dialog, int virtualKey, bool shift = false);

// Drags a trackbar's thumb with the left button, from its middle, by dy pixels in `steps`
// equal moves, and releases it.
void DragThumb(HWND trackbar, int dy, int steps);

// A left click on the trackbar's channel, `dy` pixels below the middle of the thumb (above for a negative dy).
void ClickChannel(HWND trackbar, int dy);

} // namespace platform::testing
