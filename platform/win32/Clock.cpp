#include "win32/Clock.h"

#include "base/Seam.h"
#include "win32/WindowEvents.h"

#include <mmsystem.h>

#include <chrono>
#include <thread>

namespace platform::clock {
namespace {

constexpr uint64_t kNsPerSecond = 1000000000ull;
constexpr uint64_t kNsPerMs = 1000000ull;
// The system timer's default rate: a tick every 15.625 ms.
constexpr int kDefaultTimerHz = 64;

class SystemClock final : public Clock {
public:
    uint64_t NowNs() override
    {
        auto d = std::chrono::steady_clock::now() - m_start;
        return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count());
    }
    void SleepNs(uint64_t ns) override { std::this_thread::sleep_for(std::chrono::nanoseconds(ns)); }
    bool HasPerformanceCounter() override { return true; }
    HRESULT WaitForVerticalBlank(int refreshHz) override
    {
        SleepNs(NsToNextRefresh(NowNs(), refreshHz));
        return S_OK;
    }

private:
    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

} // namespace

Clock& Current() { return Seam<Clock, SystemClock>::Current(); }

void Install(Clock* clock) { Seam<Clock, SystemClock>::Install(clock); }

uint64_t NsToNextRefresh(uint64_t nowNs, int hz)
{
    const uint64_t rate = hz > 0 ? static_cast<uint64_t>(hz) : 60;
    const unsigned __int128 next = static_cast<unsigned __int128>(nowNs) * rate / kNsPerSecond + 1;
    const uint64_t at = static_cast<uint64_t>((next * kNsPerSecond + rate - 1) / rate);
    return at - nowNs;
}

} // namespace platform::clock

// The performance counter ticks in 100 ns units, as on current versions of the platform.
static constexpr LONGLONG kCounterFrequency = 10000000;

DWORD timeGetTime()
{
    // Milliseconds, wrapping at 2^32 like the platform's count.
    return static_cast<DWORD>(platform::clock::NowNs() / platform::clock::kNsPerMs);
}

DWORD GetTickCount() { return timeGetTime(); }

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency)
        return FALSE;
    if (!platform::clock::Current().HasPerformanceCounter()) {
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
    if (!platform::clock::Current().HasPerformanceCounter()) {
        count->QuadPart = 0;
        return FALSE;
    }
    count->QuadPart = static_cast<LONGLONG>(platform::clock::NowNs() / 100);
    return TRUE;
}

void Sleep(DWORD ms)
{
    using namespace platform::clock;
    if (ms == 0)
        return;
    const uint64_t ns = static_cast<uint64_t>(ms) * kNsPerMs;
    // A sleep ends at a tick of the system timer. The program in view has asked for 1 ms
    // ticks (its frame loop paces on them); otherwise the default tick holds, and an idle
    // loop out of sight wakes 64 times a second rather than 1000.
    if (platform::win32::ProgramInView()) {
        SleepNs(ns);
        return;
    }
    // The first tick at or after now + ns is the next one after a nanosecond less.
    const uint64_t almost = NowNs() + ns - 1;
    SleepNs(ns - 1 + NsToNextRefresh(almost, kDefaultTimerHz));
}
