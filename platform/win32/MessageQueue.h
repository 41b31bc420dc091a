// The thread's message queue, as the window core uses it inside.
#pragma once
#include <windows.h>

namespace platform::win32 {

// Lets the window system deliver its events, then sends the notices they caused.
void PumpWindowSystem();

// Sleeps until a message may be ready: an event of the window system or the next timer.
// A test's wait hook runs instead, when one is set.
void WaitForWork();

// Forgets the posted messages of a window that is gone.
void DropMessagesFor(HWND hwnd);

} // namespace platform::win32
