#include "win32/Clock.h"

#include "testing/ManualClock.h"

#include <windows.h>
#include <mmsystem.h>

#include <chrono>
#include <thread>

namespace platform::clock {
namespace {

struct State {
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    bool manual = false;
    uint64_t manualNs = 0;
    bool counterAvailable = true;
};

State& state()
{
    static State s;
    return s;
}

} // namespace

uint64_t NowNs()
{
    State& s = state();
    if (s.manual)
        return s.manualNs;
    auto d = std::chrono::steady_clock::now() - s.start;
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count());
}

void SleepNs(uint64_t ns)
{
    State& s = state();
    if (s.manual) {
        s.manualNs += ns;
        return;
    }
    std::this_thread::sleep_for(std::chrono::nanoseconds(ns));
}

bool IsManual() { return state().manual; }

bool PerformanceCounterAvailable() { return state().counterAvailable; }

} // namespace platform::clock

namespace platform::testing {

void UseManualClock(bool on, uint64_t startMs)
{
    auto& s = clock::state();
    s.manual = on;
    s.manualNs = startMs * 1000000ull;
}

void AdvanceClock(uint64_t ms) { clock::state().manualNs += ms * 1000000ull; }

void AdvanceClockNs(uint64_t ns) { clock::state().manualNs += ns; }

void SetPerformanceCounterAvailable(bool available) { clock::state().counterAvailable = available; }

} // namespace platform::testing

// The performance counter ticks in 100 ns units, as on current versions of the platform.
static constexpr LONGLONG kCounterFrequency = 10000000;

DWORD timeGetTime()
{
    // Milliseconds, wrapping at 2^32 like the platform's count.
    return static_cast<DWORD>(platform::clock::NowNs() / 1000000ull);
}

DWORD GetTickCount() { return timeGetTime(); }

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency)
        return FALSE;
    if (!platform::clock::PerformanceCounterAvailable()) {
        frequency->QuadPart = 0;
        return FALSE;
    }
    frequency->QuadPart = kCounterFrequency;
    return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (!count)
        return FALSE;
    if (!platform::clock::PerformanceCounterAvailable()) {
        count->QuadPart = 0;
        return FALSE;
    }
    count->QuadPart = static_cast<LONGLONG>(platform::clock::NowNs() / 100);
    return TRUE;
}

void Sleep(DWORD ms) { platform::clock::SleepNs(static_cast<uint64_t>(ms) * 1000000ull); }
