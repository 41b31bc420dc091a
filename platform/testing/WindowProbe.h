// Test seam: look at what the window backend shows, and give it input as the window
// system would.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace platform::testing {

struct MenuItemView {
    bool found = false;
    std::string text;
    bool checkable = false;
    bool checked = false;
    bool enabled = false;
};

// The entries of the window's menu bar as shown ('&' marks kept).
std::vector<std::string> MenuBarTexts(HWND hwnd);
// The shown item of the menu bar (or its popups) with this command id.
MenuItemView MenuBarItem(HWND hwnd, UINT commandId);
// Chooses that item as the user would; false when there is none.
bool ChooseMenuItem(HWND hwnd, UINT commandId);
// Height of the shown menu bar (0 without one).
int MenuBarWidgetHeight(HWND hwnd);
// Size of the widget that shows the client area.
SIZE ClientWidgetSize(HWND hwnd);

// A mouse event on the client widget: message WM_MOUSEMOVE or a button's down/up, client
// coordinates, key state MK_* (the buttons held after the event, and Shift / Control).
void SendMouse(HWND hwnd, UINT message, int x, int y, UINT keyState);
// Typing text into the window.
void SendText(HWND hwnd, const std::string& text);
// The close button of the window's caption.
void PressCloseButton(HWND hwnd);

} // namespace platform::testing
