// The program's one clock: timeGetTime, the performance counter, Sleep, timers and
// the vertical blank all read it, so tests can drive them together by hand.
#pragma once
#include <cstdint>

namespace platform::clock {

// Nanoseconds since the clock's zero (process start, or the manual clock's value).
uint64_t NowNs();

// Sleeps for the span; on the manual clock the time moves on instead.
void SleepNs(uint64_t ns);

// True while a test drives the clock by hand.
bool IsManual();

// False when a test made the performance counter unavailable.
bool PerformanceCounterAvailable();

} // namespace platform::clock
