// The application on the frame: the idle loop's frames and sleeps, and the window timer
// that follows the application's activation.
#include "FrameWindowFixture.h"

#include <limits>
#include <mmsystem.h>

namespace {

using Ticks = std::vector<UINT_PTR>;

struct FrameLoopTest : FrameWindowFixture {
    void SetUp() override
    {
        FrameWindowFixture::SetUp();
        platform::testing::UseManualClock(true, 1000);
        Open();
    }
    // Moves the clock on and dispatches what is waiting; the timer ticks that came.
    Ticks After(DWORD ms)
    {
        platform::testing::AdvanceClock(ms);
        win->timerTicks.clear();
        platform::testing::DispatchPendingMessages();
        return win->timerTicks;
    }
};

TEST_F(FrameLoopTest, EachIdlePassDrawsWhileActiveAndAlwaysSleepsOneMillisecond)
{
    app.InitInstance();
    platform::testing::DispatchPendingMessages();
    const DWORD start = timeGetTime();
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_TRUE(app.OnIdle(std::numeric_limits<LONG>::max()));
    EXPECT_EQ(win->nDrawFrames, 2);
    EXPECT_EQ(timeGetTime() - start, 2u);

    SendMessage(hwnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_TRUE(app.OnIdle(std::numeric_limits<LONG>::max()));
    EXPECT_EQ(win->nDrawFrames, 2);
    EXPECT_EQ(timeGetTime() - start, 4u);

    SendMessage(hwnd, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(app.OnIdle(1));
    EXPECT_EQ(win->nDrawFrames, 3);
}

TEST_F(FrameLoopTest, RunDrawsOnEveryPassWhileActiveAndNeverWaits)
{
    app.InitInstance();
    platform::testing::DispatchPendingMessages();
    platform::testing::SetWaitHook([] {
        ADD_FAILURE() << "the loop waited";
        PostQuitMessage(1);
    });
    // Deactivated after the third pass, active again after the sixth, ended after the ninth.
    app.afterPass = [this](int pass) {
        if (pass == 3)
            PostMessage(hwnd, WM_ACTIVATEAPP, FALSE, 0);
        if (pass == 6)
            PostMessage(hwnd, WM_ACTIVATEAPP, TRUE, 0);
        if (pass == 9)
            PostQuitMessage(0);
    };
    const DWORD start = timeGetTime();
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.nPasses, 9);
    EXPECT_EQ(win->nDrawFrames, 6);
    EXPECT_EQ(timeGetTime() - start, 9u);
    EXPECT_EQ(app.results, std::vector<BOOL>(9, TRUE));
}

TEST_F(FrameLoopTest, ALostPrimaryIsRestoredBeforeThatPassDraws)
{
    HRESULT primaryAtDraw = DD_OK, backAtDraw = DD_OK;
    win->onDrawFrame = [&] {
        primaryAtDraw = win->m_pPrimary->IsLost();
        backAtDraw = win->m_pBackBuffer->IsLost();
    };
    platform::testing::MarkSurfaceLost(win->m_pPrimary);
    platform::testing::MarkSurfaceLost(win->m_pBackBuffer);
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_EQ(win->nDrawFrames, 1);
    EXPECT_EQ(win->nRestores, 1);
    EXPECT_EQ(primaryAtDraw, DD_OK);
    EXPECT_EQ(backAtDraw, DD_OK);

    // Inactive passes leave the loss for the first active one.
    app.InitInstance();
    SendMessage(hwnd, WM_ACTIVATEAPP, FALSE, 0);
    platform::testing::MarkSurfaceLost(win->m_pPrimary);
    platform::testing::MarkSurfaceLost(win->m_pBackBuffer);
    app.OnIdle(0);
    EXPECT_EQ(win->nRestores, 1);
    EXPECT_NE(win->m_pPrimary->IsLost(), DD_OK);
    SendMessage(hwnd, WM_ACTIVATEAPP, TRUE, 0);
    app.OnIdle(0);
    EXPECT_EQ(win->nRestores, 2);
    EXPECT_EQ(win->nDrawFrames, 2);
    EXPECT_EQ(primaryAtDraw, DD_OK);
}

TEST_F(FrameLoopTest, TheTimerTicksEveryHundredMillisecondsWhileTheApplicationIsActive)
{
    SendMessage(hwnd, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(win->m_bActive);
    EXPECT_EQ(win->m_nTimerId, 1u);
    EXPECT_TRUE(After(99).empty());
    EXPECT_EQ(After(1), Ticks{1});
    EXPECT_EQ(After(100), Ticks{1});

    SendMessage(hwnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(win->m_bActive);
    EXPECT_TRUE(After(1000).empty());

    // Reactivation starts the period afresh.
    SendMessage(hwnd, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(win->m_bActive);
    EXPECT_TRUE(After(99).empty());
    EXPECT_EQ(After(1), Ticks{1});
    EXPECT_TRUE(RecordedBoxTexts().empty());
}

TEST_F(FrameLoopTest, DeactivationWithoutARunningTimerIsReported)
{
    SendMessage(hwnd, WM_ACTIVATEAPP, FALSE, 0);
    platform::testing::ClearRecordedMessageBoxes();
    SendMessage(hwnd, WM_ACTIVATEAPP, FALSE, 0); // the timer is surely gone now
    EXPECT_FALSE(win->m_bActive);
    EXPECT_EQ(RecordedBoxTexts(), std::vector<std::string>{"Cann't KillTimer"});
    ASSERT_EQ(platform::testing::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::testing::RecordedMessageBoxes()[0].owner, hwnd);
}

} // namespace
