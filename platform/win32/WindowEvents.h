// What the core does with the window backend's reports (backend::Events) about the user
// and the window system. Input becomes posted messages; geometry and activation changes
// are collected and sent to the windows when the message loop next pumps (never from
// inside a toolkit event handler).
#pragma once
#include <windows.h>

namespace platform::win32 {

// Posts an input message (mouse, keyboard, menu command, close button); a mouse message's
// screen point becomes the point of the messages after it. Mouse moves are merged with a
// move still waiting in the queue.
void PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, POINT screen);

// The window's size, state or position changed in the window system.
void GeometryChanged(HWND hwnd);
// The active window or the application's activity changed in the window system.
void ActivationChanged();

// Sends what GeometryChanged and ActivationChanged collected.
void DeliverWindowSystemNotices();

// The activation model: the active top-level window and whether the application is
// active. Sends WM_ACTIVATEAPP and WM_ACTIVATE for what changes.
void SetActivation(HWND active, bool appActive);
HWND ActiveWindow();
bool ApplicationActive();

// The program is in view: it is the active application and one of its top-level windows
// is shown and not minimised. Only such a program gets the fine system timer.
bool ProgramInView();

// A window that is hidden, minimised or destroyed gives up the activation: to another of
// our visible windows, or the application becomes inactive.
void PassActivationOn(HWND leaving);

} // namespace platform::win32
