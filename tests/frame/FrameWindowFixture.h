// A real frame window, made the way the game makes its own, in an application on the frame;
// message boxes are recorded and everything is put back afterwards.
#pragma once
#include "FrameTestSupport.h"
#include "testing/DirectDrawSeams.h"
#include "testing/ManualClock.h"
#include "testing/MessageBoxRecorder.h"
#include "testing/MessageLoop.h"

#include <gtest/gtest.h>

struct FrameWindowFixture : ::testing::Test {
    void SetUp() override
    {
        platform::testing::ClearMessageQueue();
        platform::testing::RecordMessageBoxes(IDOK);
        platform::testing::ClearRecordedMessageBoxes();
        win = new TestFrameWin; // deleted by the class library with its window
    }
    void TearDown() override
    {
        // Still recording: a deactivation on the way out may report.
        if (hwnd && IsWindow(hwnd))
            DestroyWindow(hwnd);
        else if (!hwnd)
            delete win;
        platform::testing::SetWaitHook(nullptr);
        platform::testing::StopRecordingMessageBoxes();
        platform::testing::ClearRecordedMessageBoxes();
        platform::testing::ClearMessageQueue();
        platform::testing::ResetDirectDrawSeams();
        platform::testing::UseManualClock(false);
    }

    // Creates the window (the DirectDraw set-up runs inside) and makes it the main window.
    void Open()
    {
        ASSERT_TRUE(win->Create("Test", 101, 102));
        hwnd = win->m_hWnd;
        app.m_pMainWnd = win;
        platform::testing::DispatchPendingMessages();
    }

    RECT ClientOnScreen() const
    {
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        POINT origin{0, 0};
        ::ClientToScreen(hwnd, &origin);
        OffsetRect(&rc, origin.x, origin.y);
        return rc;
    }

    // Resizes the window so that its client area would be cx by cy (with the menu on one line).
    void ResizeClient(int cx, int cy)
    {
        RECT rc{0, 0, cx, cy};
        AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, TRUE);
        SetWindowPos(hwnd, NULL, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        platform::testing::DispatchPendingMessages();
    }

    TestFrameApp app; // before the window object, which registers with it
    TestFrameWin* win = nullptr;
    HWND hwnd = NULL;
};
