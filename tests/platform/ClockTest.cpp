#include "WindowTestSupport.h"
#include "testing/ManualClock.h"
#include "win32/Clock.h"
#include "win32/WindowEvents.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

namespace {

struct ManualClockTest : ::testing::Test {
    void TearDown() override
    {
        platform::testing::UseManualClock(false);
        platform::testing::SetPerformanceCounterAvailable(true);
    }
};

TEST_F(ManualClockTest, AllTimeSourcesFollowTheManualClock)
{
    platform::testing::UseManualClock(true, 5000);
    LARGE_INTEGER f{}, c0{}, c1{};
    ASSERT_TRUE(QueryPerformanceFrequency(&f));
    ASSERT_TRUE(QueryPerformanceCounter(&c0));
    EXPECT_EQ(timeGetTime(), 5000u);
    Sleep(250);
    ASSERT_TRUE(QueryPerformanceCounter(&c1));
    EXPECT_EQ(timeGetTime(), 5250u);
    EXPECT_EQ((c1.QuadPart - c0.QuadPart) * 1000 / f.QuadPart, 250);
}

TEST_F(ManualClockTest, MillisecondCountWrapsAt32Bits)
{
    platform::testing::UseManualClock(true, (1ull << 32) + 7);
    EXPECT_EQ(timeGetTime(), 7u);
}

TEST_F(ManualClockTest, CounterCanBeMadeUnavailable)
{
    platform::testing::SetPerformanceCounterAvailable(false);
    LARGE_INTEGER f{};
    f.QuadPart = 123;
    EXPECT_FALSE(QueryPerformanceFrequency(&f));
    EXPECT_EQ(f.QuadPart, 0);
}

// Sleep ends at a tick of the system timer: 1 ms ticks for the program in view, the
// default 15.625 ms tick otherwise.
struct SleepTickTest : test::PlatformTest {
    static constexpr uint64_t kTick = 15625000; // ns
    static constexpr uint64_t kMs = 1000000;

    void SetUp() override
    {
        PlatformTest::SetUp();
        hwnd = MakeWindow();
        ShowWindow(hwnd, SW_SHOWNORMAL);
        platform::testing::DispatchPendingMessages();
        platform::testing::UseManualClock(true, 0);
    }

    // How long Sleep(ms) lets pass, started `offset` ns after tick 320 (5 s).
    uint64_t Slept(DWORD ms, int64_t offset = 0)
    {
        platform::testing::UseManualClock(true, 0);
        platform::testing::AdvanceClockNs(static_cast<uint64_t>(320 * static_cast<int64_t>(kTick) + offset));
        const uint64_t before = platform::clock::NowNs();
        Sleep(ms);
        return platform::clock::NowNs() - before;
    }

    // The out-of-view rule, wherever the sleep starts.
    void ExpectDefaultTicks()
    {
        EXPECT_EQ(Slept(1), kTick);                     // at a tick: the next one
        EXPECT_EQ(Slept(1, -1), kTick + 1);             // a nanosecond short of one: that is too soon
        EXPECT_EQ(Slept(1, 10 * kMs), kTick - 10 * kMs); // between ticks: the next one
        EXPECT_EQ(Slept(20), 2 * kTick);
        EXPECT_EQ(Slept(0), 0u);
    }

    HWND hwnd = nullptr;
};

TEST_F(SleepTickTest, TheProgramInViewSleepsWhatItAsksToTheMillisecond)
{
    ASSERT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(Slept(1), kMs);
    EXPECT_EQ(Slept(1, -1), kMs);
    EXPECT_EQ(Slept(20, 3), 20 * kMs);
    EXPECT_EQ(Slept(0), 0u);
}

TEST_F(SleepTickTest, InactiveMinimisedOrHiddenItSleepsToTheDefaultTick)
{
    // Another application active, the window shown.
    platform::win32::SetActivation(nullptr, false);
    ASSERT_TRUE(IsWindowVisible(hwnd));
    ExpectDefaultTicks();

    SetActiveWindow(hwnd);
    ShowWindow(hwnd, SW_MINIMIZE);
    platform::testing::DispatchPendingMessages();
    ASSERT_TRUE(IsIconic(hwnd));
    ExpectDefaultTicks();

    ShowWindow(hwnd, SW_SHOWNORMAL);
    ShowWindow(hwnd, SW_HIDE);
    platform::testing::DispatchPendingMessages();
    ASSERT_FALSE(IsWindowVisible(hwnd));
    ExpectDefaultTicks();
}

TEST_F(SleepTickTest, AChangeOfStateTakesEffectAtTheNextSleep)
{
    EXPECT_EQ(Slept(1), kMs);
    ShowWindow(hwnd, SW_MINIMIZE);
    EXPECT_EQ(Slept(1), kTick);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    platform::testing::DispatchPendingMessages();
    ASSERT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(Slept(1), kMs);
    platform::win32::SetActivation(nullptr, false);
    EXPECT_EQ(Slept(1), kTick);
    SetActiveWindow(hwnd);
    EXPECT_EQ(Slept(1), kMs);
}

} // namespace
