#include "WindowTestSupport.h"

namespace {

using test::Log;
using test::LoggedMessages;
using test::LoggedOf;
using test::PlatformTest;
using MessageQueueTest = PlatformTest;

TEST_F(MessageQueueTest, SentMessagesAreHandledAtOncePostedOnesInOrderFromTheQueue)
{
    HWND h = MakeWindow();
    Log().clear();
    PostMessageA(h, WM_USER + 1, 0, 0);
    PostMessageA(h, WM_USER + 2, 0, 0);
    SendMessageA(h, WM_USER + 3, 0, 0);
    EXPECT_EQ(LoggedMessages({WM_USER + 1, WM_USER + 2, WM_USER + 3}), std::vector<UINT>{WM_USER + 3});
    platform::testing::DispatchPendingMessages();
    EXPECT_EQ(LoggedMessages({WM_USER + 1, WM_USER + 2, WM_USER + 3}),
              (std::vector<UINT>{WM_USER + 3, WM_USER + 1, WM_USER + 2}));
}

TEST_F(MessageQueueTest, QuitComesAfterThePostedMessagesAndEndsGetMessage)
{
    HWND h = MakeWindow();
    PostQuitMessage(7);
    PostMessageA(h, WM_USER, 0, 0);
    MSG m;
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(m.wParam, 7u);
}

TEST_F(MessageQueueTest, PaintIsMadeOnlyWhenNothingIsPostedAndUntilValidated)
{
    HWND h = MakeWindow();
    ShowWindow(h, SW_SHOWNA);
    platform::testing::DispatchPendingMessages();
    Log().clear();
    InvalidateRect(h, nullptr, TRUE);
    PostMessageA(h, WM_USER, 0, 0);
    platform::testing::DispatchPendingMessages();
    // The default procedure's BeginPaint validates the window and asks for the erase.
    EXPECT_EQ(LoggedMessages({WM_USER, WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_USER, WM_PAINT, WM_ERASEBKGND}));
}

TEST_F(MessageQueueTest, PaintWithoutEraseAndUpdateWindowSendsPaintAtOnce)
{
    HWND h = MakeWindow();
    ShowWindow(h, SW_SHOWNA);
    platform::testing::DispatchPendingMessages();
    Log().clear();
    RECT part{10, 10, 20, 20};
    InvalidateRect(h, &part, FALSE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(h, &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &part));
    UpdateWindow(h);
    EXPECT_EQ(LoggedMessages({WM_PAINT, WM_ERASEBKGND}), std::vector<UINT>{WM_PAINT});
    EXPECT_FALSE(GetUpdateRect(h, &update, FALSE));
}

TEST_F(MessageQueueTest, HiddenWindowsGetNoPaint)
{
    HWND h = MakeWindow();
    InvalidateRect(h, nullptr, TRUE);
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(LoggedOf(WM_PAINT).empty());
}

TEST_F(MessageQueueTest, MessagesOfADestroyedWindowAreDroppedAndPostingToItFails)
{
    HWND h = MakeWindow();
    PostMessageA(h, WM_USER, 0, 0);
    DestroyWindow(h);
    Log().clear();
    EXPECT_EQ(platform::testing::DispatchPendingMessages(), 0);
    EXPECT_FALSE(PostMessageA(h, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(SendMessageA(h, WM_USER, 0, 0), 0);
    EXPECT_TRUE(Log().empty());
}

TEST_F(MessageQueueTest, GetMessageWaitsWhenTheQueueIsEmpty)
{
    HWND h = MakeWindow();
    platform::testing::DispatchPendingMessages();
    int waits = 0;
    platform::testing::SetWaitHook([&] {
        ++waits;
        PostMessageA(h, WM_USER + 5, 1, 2);
    });
    MSG m;
    ASSERT_TRUE(GetMessageA(&m, nullptr, 0, 0));
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 5));
    EXPECT_EQ(m.hwnd, h);
}

TEST_F(MessageQueueTest, FiltersTakeOnlyTheirWindowAndRange)
{
    HWND a = MakeWindow("A");
    HWND b = MakeWindow("B");
    platform::testing::DispatchPendingMessages();
    PostMessageA(a, WM_USER + 1, 0, 0);
    PostMessageA(b, WM_USER + 2, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_USER + 2, WM_USER + 3, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 1));
}

TEST_F(MessageQueueTest, DefaultProcedureClosesAndKeepsTheText)
{
    HWND h = MakeWindow("Memory Game");
    char text[64];
    EXPECT_EQ(GetWindowTextA(h, text, sizeof text), 11);
    EXPECT_STREQ(text, "Memory Game");
    EXPECT_EQ(GetWindowTextA(h, text, 5), 4);
    EXPECT_STREQ(text, "Memo");
    SetWindowTextA(h, "Valdmark Software, KV Memory: ");
    EXPECT_EQ(GetWindowTextLengthA(h), 30);
    EXPECT_EQ(FindWindowA(nullptr, "valdmark software, kv memory: "), h);
    EXPECT_EQ(SendMessageA(h, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
    EXPECT_TRUE(IsWindow(h));
    SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(LoggedMessages({WM_CLOSE, WM_DESTROY, WM_NCDESTROY}), (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
}

TEST_F(MessageQueueTest, CreationRefusedByWmCreateDestroysTheWindow)
{
    test::Reactions()[WM_CREATE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return -1; };
    HWND h = MakeWindow();
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(LoggedMessages({WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY, WM_SIZE}),
              (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
    HWND gone = Log().front().hwnd;
    EXPECT_FALSE(IsWindow(gone));
}

TEST_F(MessageQueueTest, CreationSendsCreateThenSizeAndMove)
{
    HWND h = MakeWindow();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(LoggedMessages({WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
    auto size = LoggedOf(WM_SIZE).front();
    EXPECT_EQ(size.wParam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(LOWORD(size.lParam), 544);
    EXPECT_EQ(HIWORD(size.lParam), 404 + GetSystemMetrics(SM_CYMENU)); // made for a menu, created without
}

} // namespace
