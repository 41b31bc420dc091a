// Window timers. A timer falls due every period on the program's clock; ticks that are
// missed while the queue is busy are merged into one WM_TIMER, as on the platform.
#include "base/Fence.h"
#include "win32/Timers.h"

#include "win32/Clock.h"
#include "win32/Window.h"

#include <algorithm>
#include <vector>

namespace platform::win32 {
namespace {

constexpr UINT kMinimumPeriodMs = 10;    // USER_TIMER_MINIMUM
constexpr UINT kMaximumPeriodMs = 0x7FFFFFFF;
constexpr UINT_PTR kFirstThreadTimerId = 0x7FF0;

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    uint64_t periodNs;
    uint64_t dueNs;
    TIMERPROC proc;
};

struct Timers {
    std::vector<Timer> list;
    UINT_PTR nextThreadId = kFirstThreadTimerId;
};

Timers& timers()
{
    static Timers t;
    return t;
}

std::vector<Timer>::iterator Find(HWND hwnd, UINT_PTR id)
{
    auto& list = timers().list;
    return std::find_if(list.begin(), list.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
}

} // namespace

bool FindDueTimer(HWND filter, uint64_t now, bool take, DueTimer* out)
{
    Timer* best = nullptr;
    for (Timer& t : timers().list) {
        bool mine = !filter || t.hwnd == filter || (t.hwnd && IsChild(filter, t.hwnd));
        if (mine && t.dueNs <= now && (!best || t.dueNs < best->dueNs))
            best = &t;
    }
    if (!best)
        return false;
    *out = DueTimer{best->hwnd, best->id, best->proc};
    if (take)
        best->dueNs += ((now - best->dueNs) / best->periodNs + 1) * best->periodNs;
    return true;
}

bool NextTimerDue(uint64_t* dueNs)
{
    auto& list = timers().list;
    if (list.empty())
        return false;
    *dueNs = std::min_element(list.begin(), list.end(), [](const Timer& a, const Timer& b) {
                 return a.dueNs < b.dueNs;
             })->dueNs;
    return true;
}

bool TimerExists(HWND hwnd, UINT_PTR id, TIMERPROC proc)
{
    auto it = Find(hwnd, id);
    return it != timers().list.end() && it->proc == proc;
}

void KillTimersOf(HWND hwnd)
{
    auto& list = timers().list;
    list.erase(std::remove_if(list.begin(), list.end(), [&](const Timer& t) { return t.hwnd == hwnd; }), list.end());
}

} // namespace platform::win32

using namespace platform::win32;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    return platform::Win32Call<UINT_PTR>(0, [&]() -> UINT_PTR {
        if (hwnd && !FindWindowRecord(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        elapse = std::clamp(elapse, kMinimumPeriodMs, kMaximumPeriodMs);
        const uint64_t period = static_cast<uint64_t>(elapse) * 1000000ull;
        const uint64_t now = platform::clock::NowNs();
        Timers& t = timers();
        // A timer of the same window and id is replaced; its period starts again now.
        auto it = (hwnd || id) ? Find(hwnd, id) : t.list.end();
        if (it != t.list.end()) {
            it->periodNs = period;
            it->dueNs = now + period;
            it->proc = proc;
        } else {
            if (!hwnd)
                id = t.nextThreadId++;
            t.list.push_back(Timer{hwnd, id, period, now + period, proc});
        }
        return hwnd && id == 0 ? 1 : id;
    });
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    auto it = Find(hwnd, id);
    if (it == timers().list.end())
        return FALSE;
    timers().list.erase(it);
    return TRUE;
}
