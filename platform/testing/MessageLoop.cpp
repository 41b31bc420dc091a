#include "testing/MessageLoop.h"

#include "testing/TestApplication.h"
#include "win32/MessageQueue.h"
#include "win32/Window.h"

#include <windows.h>

namespace platform::testing {

bool DispatchOneMessage()
{
    MSG m;
    if (!PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE) || m.message == WM_QUIT)
        return false;
    PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
    TranslateMessage(&m);
    DispatchMessageA(&m);
    return true;
}

int DispatchPendingMessages(int limit)
{
    int n = 0;
    while (n < limit && DispatchOneMessage())
        ++n;
    return n;
}

void SetWaitHook(std::function<void()> hook) { TheTestApplication().waitHook = std::move(hook); }

bool TakeQuitMessage(int* exitCode) { return win32::TakeQuit(exitCode); }

void ClearMessageQueue()
{
    win32::DropMessagesFor(nullptr);
    for (HWND h : win32::AllWindows())
        win32::DropMessagesFor(h);
    win32::TakeQuit(nullptr);
}

} // namespace platform::testing
