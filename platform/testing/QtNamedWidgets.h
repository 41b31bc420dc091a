// The widgets that show a window, found in Qt's object tree by the name and the window
// handle that the window backend gives them (see qt/QtWindows.h).
#pragma once
#include <windows.h>

class QWidget;

namespace platform::testing {

// "frame", "client", "menuBar" or "control" of the window; nullptr when it has none.
QWidget* NamedWidget(HWND hwnd, const char* name);

} // namespace platform::testing
