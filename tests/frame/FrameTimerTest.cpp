// The frame timer keeps its state for the life of the process, so every scenario
// runs in a fresh child process whose first call chooses the path.
#include "frame/FrameTimer.h"
#include "testing/ManualClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

using platform::testing::AdvanceClock;

[[noreturn]] void Fail(const char* what, double got, double want)
{
    std::fprintf(stderr, "%s: got %.9g, want %.9g\n", what, got, want);
    std::_Exit(1);
}

void Near(const char* what, float got, double want, double tol = 1e-4)
{
    if (std::fabs(got - want) > tol)
        Fail(what, got, want);
}

void Fresh(bool counter, uint64_t startMs, const std::function<void()>& body)
{
    EXPECT_EXIT(
        {
            platform::testing::UseManualClock(true, startMs);
            platform::testing::SetPerformanceCounterAvailable(counter);
            body();
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

class FrameTimerPaths : public ::testing::TestWithParam<bool> {};

TEST_P(FrameTimerPaths, MeasuresFromZeroThenBetweenQueriesAndSinceReset)
{
    Fresh(GetParam(), 1000, [] {
        Near("elapsed before reset", FrameTimer(FT_ELAPSED_TIME), 1.0);
        AdvanceClock(250);
        Near("elapsed", FrameTimer(FT_ELAPSED_TIME), 0.25);
        Near("reset", FrameTimer(FT_RESET), 0.0);
        AdvanceClock(40);
        Near("elapsed after reset", FrameTimer(FT_ELAPSED_TIME), 0.04);
        AdvanceClock(60);
        Near("app time", FrameTimer(FT_APP_TIME), 0.1);
        Near("absolute", FrameTimer(FT_ABSOLUTE_TIME), 1.35);
    });
}

TEST_P(FrameTimerPaths, StopAndStartLeaveTheStoppedSpanOut)
{
    Fresh(GetParam(), 500, [] {
        FrameTimer(FT_RESET);
        AdvanceClock(300);
        FrameTimer(FT_STOP);
        float atStop = FrameTimer(FT_APP_TIME);
        Near("app time at stop", atStop, 0.3);
        AdvanceClock(2000);
        Near("app time while stopped", FrameTimer(FT_APP_TIME), 0.3);
        Near("absolute reads the live clock", FrameTimer(FT_ABSOLUTE_TIME), 2.8);
        FrameTimer(FT_STOP); // a second stop keeps the first stop time
        FrameTimer(FT_START);
        Near("app time right after start", FrameTimer(FT_APP_TIME), atStop);
        AdvanceClock(100);
        Near("elapsed after start", FrameTimer(FT_ELAPSED_TIME), 0.1);
    });
}

TEST_P(FrameTimerPaths, AdvanceMovesAStoppedClockByATenth)
{
    Fresh(GetParam(), 100, [] {
        FrameTimer(FT_RESET);
        FrameTimer(FT_STOP);
        FrameTimer(FT_ADVANCE);
        FrameTimer(FT_ADVANCE);
        Near("app time", FrameTimer(FT_APP_TIME), 0.2, 1e-6);
    });
}

TEST_P(FrameTimerPaths, StartAndAdvanceOnARunningClockChangeNothing)
{
    Fresh(GetParam(), 100, [] {
        FrameTimer(FT_RESET);
        AdvanceClock(500);
        FrameTimer(FT_START);
        FrameTimer(FT_ADVANCE);
        Near("app time", FrameTimer(FT_APP_TIME), 0.5);
        AdvanceClock(10);
        Near("still running", FrameTimer(FT_APP_TIME), 0.51);
    });
}

TEST_P(FrameTimerPaths, InvalidCommandsGiveMinusOneAndChangeNothing)
{
    Fresh(GetParam(), 100, [] {
        FrameTimer(FT_RESET);
        AdvanceClock(70);
        Near("7", FrameTimer(static_cast<FrameTimerCommand>(7)), -1.0, 0);
        Near("-1", FrameTimer(static_cast<FrameTimerCommand>(-1)), -1.0, 0);
        Near("elapsed", FrameTimer(FT_ELAPSED_TIME), 0.07);
    });
}

INSTANTIATE_TEST_SUITE_P(CounterAndFallback, FrameTimerPaths, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Counter" : "Fallback"; });

TEST(FrameTimerPathDifferences, StopSetsTheLastTimeOnlyOnTheCounterPath)
{
    Fresh(true, 100, [] {
        FrameTimer(FT_RESET);
        AdvanceClock(200);
        FrameTimer(FT_STOP);
        Near("counter: elapsed during stop", FrameTimer(FT_ELAPSED_TIME), 0.0, 0);
    });
    Fresh(false, 100, [] {
        FrameTimer(FT_RESET);
        AdvanceClock(200);
        FrameTimer(FT_STOP);
        Near("fallback: first elapsed during stop", FrameTimer(FT_ELAPSED_TIME), 0.2);
        Near("fallback: then nothing", FrameTimer(FT_ELAPSED_TIME), 0.0, 0);
    });
}

TEST(FrameTimerPathDifferences, FallbackAdvanceAddsTheWidenedSinglePrecisionTenth)
{
    Fresh(false, 0, [] {
        FrameTimer(FT_STOP); // stop time 0.0 means running: the clock is still running
        AdvanceClock(1000);
        FrameTimer(FT_RESET);
        FrameTimer(FT_STOP);
        FrameTimer(FT_ADVANCE);
        float t = FrameTimer(FT_APP_TIME);
        if (t != static_cast<float>(static_cast<double>(0.1f)))
            Fail("advance", t, 0.1f);
    });
}

TEST(FrameTimerPathDifferences, FallbackMillisecondsAreUnsigned)
{
    Fresh(false, (1ull << 31) + 500, [] {
        float t = FrameTimer(FT_ABSOLUTE_TIME);
        Near("absolute above 2^31 ms", t, ((1ull << 31) + 500) * 0.001, 1.0);
    });
}

} // namespace
