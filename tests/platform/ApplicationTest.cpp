#include "WindowTestSupport.h"

#include "testing/WindowProbe.h"

#include <string>

namespace {

std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

class MainFrame : public CFrameWnd {
public:
    ~MainFrame() override { Calls().push_back("frame deleted"); }

protected:
    afx_msg void OnStart() { Calls().push_back("frame OnStart"); }
    afx_msg LRESULT OnWork(WPARAM, LPARAM)
    {
        MSG m;
        Calls().push_back(std::string("work") + (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE) ? " (more waiting)" : ""));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MainFrame, CFrameWnd)
    ON_COMMAND(40015, &MainFrame::OnStart)
    ON_MESSAGE(WM_USER, &MainFrame::OnWork)
END_MESSAGE_MAP()

class TestApp : public CWinApp {
public:
    LONG busyUntil = 3; // OnIdle asks for more idle time for these counts
    std::vector<LONG> idleCounts;
    bool messageWaitingAtIdle = false;
    LONG quitAt = -1;

    BOOL OnIdle(LONG count) override
    {
        if (count == quitAt)
            PostQuitMessage(0);
        MSG m;
        if (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE))
            messageWaitingAtIdle = true;
        idleCounts.push_back(count);
        return count < busyUntil;
    }

protected:
    afx_msg void OnAbout() { Calls().push_back("app OnAbout"); }
    afx_msg void OnStart() { Calls().push_back("app OnStart"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(40020, &TestApp::OnAbout)
    ON_COMMAND(40015, &TestApp::OnStart)
END_MESSAGE_MAP()

struct ApplicationTest : test::PlatformTest {
    void SetUp() override
    {
        PlatformTest::SetUp();
        Calls().clear();
        frame = new MainFrame;
        CRect r = test::GameWindowRect();
        ASSERT_TRUE(frame->CreateEx(0, AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW), "Memory Game", WS_OVERLAPPEDWINDOW,
                                    CW_USEDEFAULT, CW_USEDEFAULT, r.Width(), r.Height(), nullptr, test::GameMenu()));
        hwnd = frame->m_hWnd;
        windows.push_back(hwnd);
        app.m_pMainWnd = frame;
        platform::testing::DispatchPendingMessages();
    }
    TestApp app;
    MainFrame* frame = nullptr;
    HWND hwnd = nullptr;
};

TEST_F(ApplicationTest, TheApplicationIsTheCurrentOne)
{
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxGetMainWnd(), frame);
    EXPECT_EQ(AfxGetThread(), &app);
}

TEST_F(ApplicationTest, IdleRunsWhileTheQueueIsEmptyAndWaitsOnceItAsksForNoMore)
{
    PostMessageA(hwnd, WM_USER, 0, 0);
    PostMessageA(hwnd, WM_USER, 0, 0);
    int waits = 0;
    platform::testing::SetWaitHook([&] {
        ++waits;
        Calls().push_back("wait after " + std::to_string(app.idleCounts.size()) + " idle passes");
        if (waits == 1)
            PostMessageA(hwnd, WM_USER, 0, 0);
        else
            PostQuitMessage(5);
    });
    EXPECT_EQ(app.Run(), 5);
    EXPECT_EQ(waits, 2);
    EXPECT_FALSE(app.messageWaitingAtIdle);
    // Both waiting messages first, idle passes 0 to 3, a wait; after the next message the
    // count starts again at 0.
    EXPECT_EQ(Calls(), (std::vector<std::string>{"work (more waiting)", "work", "wait after 4 idle passes", "work",
                                                 "wait after 8 idle passes"}));
    EXPECT_EQ(app.idleCounts, (std::vector<LONG>{0, 1, 2, 3, 0, 1, 2, 3}));
}

TEST_F(ApplicationTest, AnApplicationThatAlwaysWantsIdleTimeNeverWaits)
{
    app.busyUntil = 1000000;
    app.quitAt = 500;
    platform::testing::SetWaitHook([] {
        ADD_FAILURE() << "the loop waited";
        PostQuitMessage(1);
    });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.idleCounts.size(), 501u);
}

TEST_F(ApplicationTest, MenuCommandsReachTheWindowFirstThenTheApplication)
{
    ASSERT_TRUE(platform::testing::ChooseMenuItem(hwnd, 40015));
    ASSERT_TRUE(platform::testing::ChooseMenuItem(hwnd, 40020));
    platform::testing::DispatchPendingMessages();
    EXPECT_EQ(Calls(), (std::vector<std::string>{"frame OnStart", "app OnAbout"}));
}

TEST_F(ApplicationTest, TheExitCommandClosesTheMainWindowAndEndsTheLoop)
{
    platform::testing::SetWaitHook([] { ADD_FAILURE() << "the loop waited"; PostQuitMessage(99); });
    ASSERT_TRUE(platform::testing::ChooseMenuItem(hwnd, ID_APP_EXIT));
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(Calls(), std::vector<std::string>{"frame deleted"});
}

TEST_F(ApplicationTest, DestroyingTheMainWindowPostsQuit)
{
    frame->DestroyWindow();
    int code = -1;
    EXPECT_TRUE(platform::testing::TakeQuitMessage(&code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

} // namespace
