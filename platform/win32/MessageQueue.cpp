// The thread's message queue. Sent messages go straight to the window procedure; posted
// ones wait in the queue. As on the platform, WM_QUIT comes when no posted message is
// left, and WM_PAINT and WM_TIMER are made only when the queue is otherwise empty.
#include "base/Fence.h"
#include "win32/MessageQueue.h"

#include "win32/Backend.h"
#include "win32/Clock.h"
#include "win32/Timers.h"
#include "win32/Window.h"
#include "win32/WindowEvents.h"

#include <mmsystem.h>

#include <deque>

namespace platform::win32 {
namespace {

constexpr size_t kQueueLimit = 10000; // the platform's default quota of posted messages

struct Queue {
    std::deque<MSG> posted;
    bool quitPending = false;
    int quitCode = 0;
    DWORD lastTime = 0;
    POINT lastCursor{};
};

Queue& queue()
{
    static Queue q;
    return q;
}

bool InRange(UINT msg, UINT min, UINT max) { return (min == 0 && max == 0) || (msg >= min && msg <= max); }

bool ForWindow(HWND msgHwnd, HWND filter)
{
    if (!filter)
        return true;
    if (filter == reinterpret_cast<HWND>(-1))
        return msgHwnd == nullptr;
    return msgHwnd == filter || IsChild(filter, msgHwnd);
}

MSG Make(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return MSG{hwnd, msg, wParam, lParam, timeGetTime(), queue().lastCursor};
}

bool PaintMessage(HWND filter, MSG* out)
{
    for (HWND h : AllWindows()) {
        Window* w = FindWindowRecord(h);
        if (!w->updatePending || !ForWindow(h, filter) || !backend::Placement().IsVisible(h))
            continue;
        SIZE s = ClientSize(h);
        if (s.cx <= 0 || s.cy <= 0)
            continue;
        *out = Make(h, WM_PAINT, 0, 0);
        return true;
    }
    return false;
}

// Finds the next message for the filter, in the platform's order.
bool FindMessage(MSG* out, HWND filter, UINT min, UINT max, bool remove)
{
    Queue& q = queue();
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (ForWindow(it->hwnd, filter) && InRange(it->message, min, max)) {
            *out = *it;
            if (remove)
                q.posted.erase(it);
            return true;
        }
    }
    if (q.quitPending && (!filter || filter == reinterpret_cast<HWND>(-1))) {
        *out = Make(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
        if (remove)
            q.quitPending = false;
        return true;
    }
    if (InRange(WM_PAINT, min, max) && PaintMessage(filter, out))
        return true;
    DueTimer t;
    if (InRange(WM_TIMER, min, max) && FindDueTimer(filter, clock::NowNs(), remove, &t)) {
        *out = Make(t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc));
        return true;
    }
    return false;
}

bool Post(const MSG& m)
{
    Queue& q = queue();
    if (q.posted.size() >= kQueueLimit) {
        SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return false;
    }
    q.posted.push_back(m);
    return true;
}

} // namespace

void PumpWindowSystem()
{
    backend::App().Pump();
    DeliverWindowSystemNotices();
}

void WaitForWork()
{
    const uint64_t now = clock::NowNs();
    uint64_t due = 0;
    const bool timer = NextTimerDue(&due);
    backend::App().Wait(timer ? (due > now ? due - now : 0) : UINT64_MAX);
}

void DropMessagesFor(HWND hwnd)
{
    auto& posted = queue().posted;
    for (auto it = posted.begin(); it != posted.end();)
        it = it->hwnd == hwnd ? posted.erase(it) : std::next(it);
}

bool TakeQuit(int* exitCode)
{
    Queue& q = queue();
    if (!q.quitPending)
        return false;
    q.quitPending = false;
    if (exitCode)
        *exitCode = q.quitCode;
    return true;
}

void PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, POINT screen)
{
    Queue& q = queue();
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
        q.lastCursor = screen;
    // The platform keeps one mouse move: a newer one replaces a move still waiting.
    if (msg == WM_MOUSEMOVE && !q.posted.empty() && q.posted.back().message == WM_MOUSEMOVE &&
        q.posted.back().hwnd == hwnd) {
        q.posted.back() = Make(hwnd, msg, wParam, lParam);
        return;
    }
    Post(Make(hwnd, msg, wParam, lParam));
}

} // namespace platform::win32


using namespace platform::win32;

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        if (hwnd && !FindWindowRecord(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        return Post(Make(hwnd, msg, wParam, lParam)) ? TRUE : FALSE;
    });
}

namespace {

// Every top-level window hears the message, as long as it still exists when its turn comes.
LRESULT SendToTopLevelWindows(UINT msg, WPARAM wParam, LPARAM lParam)
{
    for (HWND h : TopLevelWindows())
        if (FindWindowRecord(h))
            CallProcedure(h, msg, wParam, lParam);
    return TRUE;
}

} // namespace

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return platform::Win32Call<LRESULT>(0, [&]() -> LRESULT {
        if (hwnd == HWND_BROADCAST)
            return SendToTopLevelWindows(msg, wParam, lParam);
        if (!FindWindowRecord(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        return CallProcedure(hwnd, msg, wParam, lParam);
    });
}

void PostQuitMessage(int exitCode)
{
    queue().quitPending = true;
    queue().quitCode = exitCode;
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT remove)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        if (!msg)
            return FALSE;
        PumpWindowSystem();
        if (!FindMessage(msg, hwnd, min, max, (remove & PM_REMOVE) != 0))
            return FALSE;
        if (remove & PM_REMOVE)
            queue().lastTime = msg->time;
        return TRUE;
    });
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max)
{
    return platform::Win32Call<BOOL>(-1, [&]() -> BOOL {
        if (!msg)
            return -1;
        if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !FindWindowRecord(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return -1;
        }
        for (;;) {
            if (PeekMessageA(msg, hwnd, min, max, PM_REMOVE))
                return msg->message == WM_QUIT ? FALSE : TRUE;
            WaitForWork();
        }
    });
}

BOOL WaitMessage()
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        MSG m;
        while (!PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE))
            WaitForWork();
        return TRUE;
    });
}

DWORD GetMessageTime() { return queue().lastTime; }

// Characters come from the window system as WM_CHAR already.
BOOL TranslateMessage(const MSG* msg) { return msg && msg->message == WM_CHAR; }

LRESULT DispatchMessageA(const MSG* msg)
{
    return platform::Win32Call<LRESULT>(0, [&]() -> LRESULT {
        if (!msg)
            return 0;
        if (msg->message == WM_TIMER && msg->lParam) {
            // A timer with its own procedure: call it, if that timer still exists.
            TIMERPROC proc = reinterpret_cast<TIMERPROC>(msg->lParam);
            if (TimerExists(msg->hwnd, msg->wParam, proc))
                platform::CallBack(proc, msg->hwnd, UINT{WM_TIMER}, msg->wParam, timeGetTime());
            return 0;
        }
        if (!msg->hwnd)
            return 0;
        return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    });
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? platform::CallBack(proc, hwnd, msg, wParam, lParam) : 0;
}
