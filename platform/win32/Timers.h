// Window timers, on the program's clock.
#pragma once
#include <windows.h>

#include <cstdint>

namespace platform::win32 {

struct DueTimer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    TIMERPROC proc = nullptr;
};

// The earliest timer due at `now` for the filter (NULL: any); with `take` it starts its
// next period (ticks missed in between are merged into this one).
bool FindDueTimer(HWND filter, uint64_t now, bool take, DueTimer* out);
// When the next timer falls due.
bool NextTimerDue(uint64_t* dueNs);
bool TimerExists(HWND hwnd, UINT_PTR id, TIMERPROC proc);
void KillTimersOf(HWND hwnd);

} // namespace platform::win32
