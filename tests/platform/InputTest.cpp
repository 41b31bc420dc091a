#include "WindowTestSupport.h"

#include "testing/WindowProbe.h"

namespace {

using test::Log;
using test::LoggedMessages;
using test::LoggedOf;

struct InputTest : test::PlatformTest {
    void SetUp() override
    {
        PlatformTest::SetUp();
        hwnd = MakeWindow();
        ShowWindow(hwnd, SW_SHOWNORMAL);
        platform::testing::DispatchPendingMessages();
        Log().clear();
    }
    HWND hwnd = nullptr;
};

TEST_F(InputTest, MouseButtonsArriveWithKeyStateAndClientCoordinates)
{
    platform::testing::SendMouse(hwnd, WM_LBUTTONDOWN, 10, 20, MK_LBUTTON | MK_SHIFT);
    platform::testing::SendMouse(hwnd, WM_LBUTTONUP, 11, 21, MK_CONTROL);
    platform::testing::SendMouse(hwnd, WM_RBUTTONDOWN, 1, 2, MK_RBUTTON);
    EXPECT_TRUE(Log().empty()); // posted, not sent
    platform::testing::DispatchPendingMessages();
    auto down = LoggedOf(WM_LBUTTONDOWN);
    auto up = LoggedOf(WM_LBUTTONUP);
    ASSERT_EQ(down.size(), 1u);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(down[0].wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(down[0].lParam, MAKELPARAM(10, 20));
    EXPECT_EQ(up[0].wParam, static_cast<WPARAM>(MK_CONTROL));
    EXPECT_EQ(up[0].lParam, MAKELPARAM(11, 21));
    EXPECT_EQ(LoggedOf(WM_RBUTTONDOWN).size(), 1u);
}

TEST_F(InputTest, AWaitingMouseMoveIsReplacedByTheNewerOne)
{
    platform::testing::SendMouse(hwnd, WM_MOUSEMOVE, 5, 5, 0);
    platform::testing::SendMouse(hwnd, WM_MOUSEMOVE, 7, 9, MK_LBUTTON);
    platform::testing::DispatchPendingMessages();
    auto moves = LoggedOf(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(7, 9));
    EXPECT_EQ(moves[0].wParam, static_cast<WPARAM>(MK_LBUTTON));
}

TEST_F(InputTest, ADragOutsideGivesNegativeCoordinates)
{
    platform::testing::SendMouse(hwnd, WM_MOUSEMOVE, -3, -4, MK_LBUTTON);
    platform::testing::DispatchPendingMessages();
    auto moves = LoggedOf(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    CPoint p(moves[0].lParam);
    EXPECT_EQ(p, CPoint(-3, -4));
}

TEST_F(InputTest, ASecondClickIsAPressWithoutTheDoubleClickStyle)
{
    platform::testing::SendMouse(hwnd, WM_LBUTTONDBLCLK, 3, 3, MK_LBUTTON);
    platform::testing::DispatchPendingMessages();
    EXPECT_EQ(LoggedMessages({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}), std::vector<UINT>{WM_LBUTTONDOWN});
}

TEST_F(InputTest, TypedTextArrivesAsCharacters)
{
    platform::testing::SendText(hwnd, "Pp");
    platform::testing::DispatchPendingMessages();
    auto chars = LoggedOf(WM_CHAR);
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('P'));
    EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>('p'));
    EXPECT_EQ(LOWORD(chars[0].lParam), 1); // repeat count
}

TEST_F(InputTest, TheCloseButtonClosesThroughTheSystemCommand)
{
    platform::testing::PressCloseButton(hwnd);
    EXPECT_TRUE(IsWindow(hwnd));
    platform::testing::DispatchPendingMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(LoggedMessages({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}), (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_EQ(LoggedOf(WM_SYSCOMMAND)[0].wParam, static_cast<WPARAM>(SC_CLOSE));
}

TEST_F(InputTest, TheCloseButtonLeavesTheDecisionToTheWindow)
{
    test::Reactions()[WM_CLOSE] = [](HWND, WPARAM, LPARAM) -> LRESULT { return 0; };
    platform::testing::PressCloseButton(hwnd);
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(IsWindow(hwnd));
}

} // namespace
