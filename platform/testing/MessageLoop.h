// Test seam: run the message loop step by step, and decide what happens where it would
// otherwise sleep.
#pragma once
#include <functional>

namespace platform::testing {

// Lets the window system deliver its events, then dispatches one waiting message
// (WM_QUIT excluded); false when none was waiting.
bool DispatchOneMessage();

// Dispatches waiting messages until none is left, at most `limit`; the number dispatched.
int DispatchPendingMessages(int limit = 1000);

// Runs `hook` wherever the message loop would sleep (GetMessage, WaitMessage, a modal
// message box) instead of sleeping; the hook should post a message, move the manual
// clock on or quit. nullptr: sleep as usual. With the manual clock and no hook, a wait
// moves the clock on to the next timer.
void SetWaitHook(std::function<void()> hook);

// Whether a WM_QUIT is waiting; takes it and gives its exit code.
bool TakeQuitMessage(int* exitCode = nullptr);

// Drops every posted message and a waiting WM_QUIT.
void ClearMessageQueue();

} // namespace platform::testing
