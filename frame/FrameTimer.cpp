#include "frame/FrameTimer.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

struct FrameTimerState {
    BOOL bInitialised = FALSE;
    BOOL bCounterAvailable = FALSE;
    LONGLONG nTicksPerSec = 0;
    // Counter path, in counter ticks.
    LONGLONG nStopTime = 0;
    LONGLONG nLastTime = 0;
    LONGLONG nBaseTime = 0;
    // Fallback path, in seconds.
    double dStopTime = 0.0;
    double dLastTime = 0.0;
    double dBaseTime = 0.0;
};

FrameTimerState s_timer;

bool ReadsLiveClock(FrameTimerCommand command)
{
    return command == FT_START || command == FT_ABSOLUTE_TIME;
}

float CounterPath(FrameTimerState& t, FrameTimerCommand command)
{
    LONGLONG now;
    if (t.nStopTime != 0 && !ReadsLiveClock(command)) {
        now = t.nStopTime;
    } else {
        LARGE_INTEGER qwTime;
        qwTime.QuadPart = 0;
        QueryPerformanceCounter(&qwTime);
        now = qwTime.QuadPart;
    }
    const double dTicks = static_cast<double>(t.nTicksPerSec);

    switch (command) {
    case FT_ELAPSED_TIME: {
        double dElapsed = static_cast<double>(now - t.nLastTime) / dTicks;
        t.nLastTime = now;
        return static_cast<float>(dElapsed);
    }
    case FT_APP_TIME:
        return static_cast<float>(static_cast<double>(now - t.nBaseTime) / dTicks);
    case FT_RESET:
        t.nBaseTime = now;
        t.nLastTime = now;
        return 0.0f;
    case FT_START:
        // Only a stopped clock has a span to leave out; a running one goes on as it is.
        if (t.nStopTime != 0) {
            t.nBaseTime += now - t.nStopTime;
            t.nStopTime = 0;
            t.nLastTime = now;
        }
        return 0.0f;
    case FT_STOP:
        t.nStopTime = now;
        t.nLastTime = now;
        return 0.0f;
    case FT_ADVANCE:
        if (t.nStopTime != 0)
            t.nStopTime += t.nTicksPerSec / 10;
        return 0.0f;
    case FT_ABSOLUTE_TIME:
        return static_cast<float>(static_cast<double>(now) / dTicks);
    }
    return -1.0f;
}

float FallbackPath(FrameTimerState& t, FrameTimerCommand command)
{
    double now;
    if (t.dStopTime != 0.0 && !ReadsLiveClock(command))
        now = t.dStopTime;
    else
        now = static_cast<double>(static_cast<DWORD>(timeGetTime())) * 0.001;

    switch (command) {
    case FT_ELAPSED_TIME: {
        double dElapsed = now - t.dLastTime;
        t.dLastTime = now;
        return static_cast<float>(dElapsed);
    }
    case FT_APP_TIME:
        return static_cast<float>(now - t.dBaseTime);
    case FT_RESET:
        t.dBaseTime = now;
        t.dLastTime = now;
        return 0.0f;
    case FT_START:
        if (t.dStopTime != 0.0) {
            t.dBaseTime += now - t.dStopTime;
            t.dStopTime = 0.0;
            t.dLastTime = now;
        }
        return 0.0f;
    case FT_STOP:
        t.dStopTime = now;
        return 0.0f;
    case FT_ADVANCE:
        if (t.dStopTime != 0.0)
            t.dStopTime += static_cast<double>(0.1f);
        return 0.0f;
    case FT_ABSOLUTE_TIME:
        return static_cast<float>(now);
    }
    return -1.0f;
}

} // namespace

float FrameTimer(FrameTimerCommand command)
{
    FrameTimerState& t = s_timer;
    if (!t.bInitialised) {
        t.bInitialised = TRUE;
        LARGE_INTEGER qwFreq;
        qwFreq.QuadPart = 0;
        t.bCounterAvailable = QueryPerformanceFrequency(&qwFreq) != 0;
        if (t.bCounterAvailable)
            t.nTicksPerSec = qwFreq.QuadPart;
    }
    // Commands outside the enumeration change nothing.
    if (static_cast<int>(command) < FT_RESET || static_cast<int>(command) > FT_ELAPSED_TIME)
        return -1.0f;
    return t.bCounterAvailable ? CounterPath(t, command) : FallbackPath(t, command);
}
