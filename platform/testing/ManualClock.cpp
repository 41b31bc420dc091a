#include "testing/ManualClock.h"

#include "testing/InstallOnce.h"
#include "testing/TestClock.h"

namespace platform::testing {

TestClock& TheTestClock() { return InstallOnce<TestClock>(clock::Current, clock::Install); }

void UseManualClock(bool on, uint64_t startMs) { TheTestClock().SetManual(on, startMs * 1000000ull); }

void AdvanceClock(uint64_t ms) { TheTestClock().Advance(ms * 1000000ull); }

void AdvanceClockNs(uint64_t ns) { TheTestClock().Advance(ns); }

void SetPerformanceCounterAvailable(bool available) { TheTestClock().SetCounter(available); }

} // namespace platform::testing
