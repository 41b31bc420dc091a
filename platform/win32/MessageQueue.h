// The thread's message queue, as the window core uses it inside.
#pragma once
#include <windows.h>

namespace platform::win32 {

// Lets the window system deliver its events, then sends the notices they caused.
void PumpWindowSystem();

// Sleeps until a message may be ready: an event of the window system or the next timer.
void WaitForWork();

// Forgets the posted messages of a window that is gone (NULL: the thread's own messages).
void DropMessagesFor(HWND hwnd);

// Whether a WM_QUIT is waiting; takes it, with its exit code.
bool TakeQuit(int* exitCode);

} // namespace platform::win32
