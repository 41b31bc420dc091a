// Test seam: drive the program's clock by hand.
#pragma once
#include <cstdint>

namespace platform::testing {

// Switches the manual clock on (starting at startMs) or back to real time.
void UseManualClock(bool on, uint64_t startMs = 0);
void AdvanceClock(uint64_t ms);
void AdvanceClockNs(uint64_t ns);

// Makes QueryPerformanceFrequency/QueryPerformanceCounter fail, as on a machine without the counter.
void SetPerformanceCounterAvailable(bool available);

} // namespace platform::testing
