#include "WindowTestSupport.h"

#include <mmsystem.h>

namespace {

using test::Log;
using test::LoggedMessages;
using test::LoggedOf;

struct TimerTest : test::PlatformTest {
    void SetUp() override
    {
        PlatformTest::SetUp();
        platform::testing::UseManualClock(true, 1000);
        window = MakeWindow();
        platform::testing::DispatchPendingMessages();
        Log().clear();
    }
    // Moves the clock on and dispatches what is waiting; the WM_TIMER ids seen.
    std::vector<WPARAM> After(uint64_t ms)
    {
        platform::testing::AdvanceClock(ms);
        Log().clear();
        platform::testing::DispatchPendingMessages();
        std::vector<WPARAM> ids;
        for (const auto& l : LoggedOf(WM_TIMER))
            ids.push_back(l.wParam);
        return ids;
    }
    HWND window = nullptr;
};

TEST_F(TimerTest, TicksEveryHundredMillisecondsAndMergesMissedTicks)
{
    EXPECT_EQ(SetTimer(window, 1, 100, nullptr), 1u);
    EXPECT_TRUE(After(99).empty());
    EXPECT_EQ(After(1), std::vector<WPARAM>{1});
    EXPECT_EQ(After(100), std::vector<WPARAM>{1});
    // A busy spell of 350 ms gives one tick; the next keeps the 100 ms rhythm.
    EXPECT_EQ(After(350), std::vector<WPARAM>{1});
    EXPECT_TRUE(After(49).empty());
    EXPECT_EQ(After(1), std::vector<WPARAM>{1});
}

TEST_F(TimerTest, NoTicksAfterKillTimerWhichFailsForAnUnknownTimer)
{
    SetTimer(window, 1, 100, nullptr);
    EXPECT_EQ(After(100), std::vector<WPARAM>{1});
    EXPECT_TRUE(KillTimer(window, 1));
    EXPECT_TRUE(After(1000).empty());
    EXPECT_FALSE(KillTimer(window, 1));
    EXPECT_FALSE(KillTimer(window, 2));
    EXPECT_FALSE(KillTimer(nullptr, 1));
}

TEST_F(TimerTest, SettingATimerAgainRestartsItsPeriod)
{
    SetTimer(window, 1, 100, nullptr);
    EXPECT_TRUE(After(70).empty());
    EXPECT_EQ(SetTimer(window, 1, 100, nullptr), 1u);
    EXPECT_TRUE(After(70).empty());
    EXPECT_EQ(After(30), std::vector<WPARAM>{1});
}

TEST_F(TimerTest, TimerMessagesWaitForPostedOnes)
{
    SetTimer(window, 1, 100, nullptr);
    platform::testing::AdvanceClock(100);
    PostMessageA(window, WM_USER, 0, 0);
    platform::testing::DispatchPendingMessages();
    EXPECT_EQ(LoggedMessages({WM_USER, WM_TIMER}), (std::vector<UINT>{WM_USER, WM_TIMER}));
}

TEST_F(TimerTest, WaitingOnTheManualClockJumpsToTheNextTimer)
{
    SetTimer(window, 3, 250, nullptr);
    MSG m;
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_EQ(timeGetTime(), 1250u);
}


int g_procTicks = 0;
void CALLBACK Tick(HWND hwnd, UINT msg, UINT_PTR id, DWORD)
{
    EXPECT_NE(hwnd, nullptr);
    EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(id, 9u);
    ++g_procTicks;
}

TEST_F(TimerTest, ATimerProcedureIsCalledInsteadOfTheWindow)
{
    g_procTicks = 0;
    SetTimer(window, 9, 100, &Tick);
    After(100);
    EXPECT_EQ(g_procTicks, 1);
    EXPECT_TRUE(LoggedOf(WM_TIMER).empty());
}

TEST_F(TimerTest, DestroyingTheWindowEndsItsTimers)
{
    SetTimer(window, 1, 100, nullptr);
    DestroyWindow(window);
    EXPECT_EQ(SetTimer(window, 1, 100, nullptr), 0u);
    EXPECT_TRUE(After(500).empty());
}

} // namespace
