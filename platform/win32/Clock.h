// The program's one clock: timeGetTime, the performance counter, Sleep, timers and
// the vertical blank all read it, so a test can put a clock of its own in its place.
#pragma once
#include <windows.h>

#include <cstdint>

namespace platform::clock {

class Clock {
public:
    virtual ~Clock() = default;
    // Nanoseconds since the clock's zero.
    virtual uint64_t NowNs() = 0;
    // Lets the span pass (the system clock sleeps).
    virtual void SleepNs(uint64_t ns) = 0;
    // Whether QueryPerformanceFrequency and QueryPerformanceCounter work.
    virtual bool HasPerformanceCounter() = 0;
    // Waits for the screen's next refresh at refreshHz; DD_OK, or why it cannot.
    virtual HRESULT WaitForVerticalBlank(int refreshHz) = 0;
};

// The clock in use: the system's steady clock unless a test installed another.
Clock& Current();
// nullptr goes back to the system clock.
void Install(Clock* clock);

// How long from nowNs to the next tick of a clock ticking at hz (tick k lies at k / hz
// seconds): the screen's refresh, the system timer.
uint64_t NsToNextRefresh(uint64_t nowNs, int hz);

inline uint64_t NowNs() { return Current().NowNs(); }
inline void SleepNs(uint64_t ns) { Current().SleepNs(ns); }

} // namespace platform::clock
