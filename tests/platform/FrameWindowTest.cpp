#include "WindowTestSupport.h"

#include "testing/WindowProbe.h"
#include "testing/DisplayOverride.h"
#include "win32/WindowPixels.h"

namespace {

using test::Log;
using test::LoggedMessages;
using test::LoggedOf;

struct FrameWindowTest : test::PlatformTest {
    void SetUp() override
    {
        PlatformTest::SetUp();
        CRect r = test::GameWindowRect();
        // As the game makes its window: the adjusted size at the default place.
        hwnd = CreateWindowExA(0, test::LoggingClass(), "Memory Game", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, r.Width(), r.Height(), nullptr, test::GameMenu(), nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        windows.push_back(hwnd);
    }
    SIZE Client()
    {
        RECT r;
        GetClientRect(hwnd, &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }
    HWND hwnd = nullptr;
};

void ExpectSize(SIZE s, int cx, int cy)
{
    EXPECT_EQ(s.cx, cx);
    EXPECT_EQ(s.cy, cy);
}

TEST_F(FrameWindowTest, AFrameMadeFor544By404WithItsMenuHasExactlyThatClientArea)
{
    ExpectSize(Client(), 544, 404);
    ExpectSize(platform::testing::ClientWidgetSize(hwnd), 544, 404);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    platform::testing::DispatchPendingMessages();
    ExpectSize(Client(), 544, 404);
    ExpectSize(platform::testing::ClientWidgetSize(hwnd), 544, 404);
    EXPECT_EQ(platform::testing::MenuBarWidgetHeight(hwnd), GetSystemMetrics(SM_CYMENU));
    EXPECT_GT(GetSystemMetrics(SM_CYMENU), 0);
    CRect window;
    GetWindowRect(hwnd, window);
    EXPECT_EQ(window.Width(), test::GameWindowRect().Width());
    EXPECT_EQ(window.Height(), test::GameWindowRect().Height());
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_FALSE(IsZoomed(hwnd));
}

TEST_F(FrameWindowTest, ClientAndWindowRectanglesUseTheSameFrame)
{
    CRect window;
    GetWindowRect(hwnd, window);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    CRect adjusted = test::GameWindowRect(); // (0,0,544,404) widened: left and top are minus the frame
    EXPECT_EQ(origin.x - window.left, -adjusted.left);
    EXPECT_EQ(origin.y - window.top, -adjusted.top);
    POINT back = origin;
    ScreenToClient(hwnd, &back);
    EXPECT_EQ(back.x, 0);
    EXPECT_EQ(back.y, 0);
    // The default place lies on the screen.
    EXPECT_GE(window.left, 0);
    EXPECT_GE(window.top, 0);
}

TEST_F(FrameWindowTest, TheMenuBarShowsTheMenuWithTheCommandOnTheBar)
{
    EXPECT_EQ(platform::testing::MenuBarTexts(hwnd), (std::vector<std::string>{"&Game", "S&tart", "&Help"}));
    auto start = platform::testing::MenuBarItem(hwnd, 40015);
    EXPECT_TRUE(start.found);
    EXPECT_EQ(start.text, "S&tart");
    EXPECT_EQ(platform::testing::MenuBarItem(hwnd, ID_APP_EXIT).text, "E&xit");
    EXPECT_FALSE(platform::testing::MenuBarItem(hwnd, 40017).found);
    HMENU menu = GetMenu(hwnd);
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 0)), 6);
    EXPECT_EQ(GetMenuItemID(menu, 1), 40015u);
    EXPECT_EQ(GetMenuState(GetSubMenu(menu, 0), 3, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
}

TEST_F(FrameWindowTest, ACheckMarkSetByCheckMenuItemShowsOnTheItem)
{
    HMENU menu = GetMenu(hwnd);
    EXPECT_FALSE(platform::testing::MenuBarItem(hwnd, 40021).checked);
    EXPECT_EQ(CheckMenuItem(menu, 40021, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_TRUE(platform::testing::MenuBarItem(hwnd, 40021).checked);
    EXPECT_EQ(GetMenuState(menu, 40021, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    // Choosing the item leaves the mark to the program.
    platform::testing::ChooseMenuItem(hwnd, 40021);
    EXPECT_TRUE(platform::testing::MenuBarItem(hwnd, 40021).checked);
    EXPECT_EQ(CWnd::FromHandle(hwnd)->GetMenu()->CheckMenuItem(40021, MF_UNCHECKED), static_cast<UINT>(MF_CHECKED));
    EXPECT_FALSE(platform::testing::MenuBarItem(hwnd, 40021).checked);
    EXPECT_EQ(CheckMenuItem(menu, 40018, MF_CHECKED), static_cast<DWORD>(-1));
}

TEST_F(FrameWindowTest, GreyedItemsAreDisabled)
{
    EXPECT_EQ(EnableMenuItem(GetMenu(hwnd), 40024, MF_GRAYED), MF_ENABLED);
    EXPECT_FALSE(platform::testing::MenuBarItem(hwnd, 40024).enabled);
    EXPECT_EQ(EnableMenuItem(GetMenu(hwnd), 40024, MF_ENABLED), MF_GRAYED);
    EXPECT_TRUE(platform::testing::MenuBarItem(hwnd, 40024).enabled);
}

TEST_F(FrameWindowTest, ChoosingAnItemPostsItsCommand)
{
    platform::testing::DispatchPendingMessages();
    Log().clear();
    platform::testing::ChooseMenuItem(hwnd, 40023);
    EXPECT_TRUE(LoggedOf(WM_COMMAND).empty());
    platform::testing::DispatchPendingMessages();
    auto commands = LoggedOf(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 40023u);
    EXPECT_EQ(commands[0].lParam, 0);
}

TEST_F(FrameWindowTest, SetWindowPosResizesAtOnceAndKeepsThePlace)
{
    CRect before;
    GetWindowRect(hwnd, before);
    Log().clear();
    SetWindowPos(hwnd, nullptr, 0, 0, before.Width() + 100, before.Height() + 50, SWP_NOMOVE | SWP_NOZORDER);
    ExpectSize(Client(), 644, 454);
    CRect after;
    GetWindowRect(hwnd, after);
    EXPECT_EQ(after.TopLeft(), before.TopLeft());
    auto sizes = LoggedOf(WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].wParam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(sizes[0].lParam, MAKELPARAM(644, 454));
    EXPECT_TRUE(LoggedOf(WM_MOVE).empty());

    MoveWindow(hwnd, 30, 40, before.Width(), before.Height(), TRUE);
    GetWindowRect(hwnd, after);
    EXPECT_EQ(after, CRect(30, 40, 30 + before.Width(), 40 + before.Height()));
    ExpectSize(Client(), 544, 404);
    auto moves = LoggedOf(WM_MOVE);
    ASSERT_EQ(moves.size(), 1u);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(origin.x, origin.y));
}

TEST_F(FrameWindowTest, MinimisingAndMaximisingAreReportedBySize)
{
    ShowWindow(hwnd, SW_SHOWNORMAL);
    platform::testing::DispatchPendingMessages();
    Log().clear();
    ShowWindow(hwnd, SW_MINIMIZE);
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(IsIconic(hwnd));
    ExpectSize(Client(), 0, 0);
    auto sizes = LoggedOf(WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().wParam, static_cast<WPARAM>(SIZE_MINIMIZED));
    EXPECT_EQ(sizes.back().lParam, 0);

    Log().clear();
    ShowWindow(hwnd, SW_SHOWNORMAL);
    platform::testing::DispatchPendingMessages();
    EXPECT_FALSE(IsIconic(hwnd));
    ExpectSize(Client(), 544, 404);
    sizes = LoggedOf(WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().wParam, static_cast<WPARAM>(SIZE_RESTORED));

    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(IsZoomed(hwnd));
    sizes = LoggedOf(WM_SIZE);
    EXPECT_EQ(sizes.back().wParam, static_cast<WPARAM>(SIZE_MAXIMIZED));
}

TEST_F(FrameWindowTest, LeavingTheMaximisedStateGivesTheNormalRectangleBackAtOnce)
{
    ShowWindow(hwnd, SW_SHOWNORMAL);
    MoveWindow(hwnd, 70, 60, 700, 500, TRUE);
    platform::testing::DispatchPendingMessages();
    for (int cmd : {SW_SHOWNORMAL, SW_RESTORE}) {
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        platform::testing::DispatchPendingMessages();
        ASSERT_TRUE(IsZoomed(hwnd));
        Log().clear();

        ShowWindow(hwnd, cmd);
        EXPECT_FALSE(IsZoomed(hwnd)) << cmd;
        CRect rect;
        GetWindowRect(hwnd, rect);
        EXPECT_EQ(rect, CRect(70, 60, 770, 560)) << cmd;
        auto sizes = LoggedOf(WM_SIZE);
        ASSERT_FALSE(sizes.empty()) << cmd;
        EXPECT_EQ(sizes.back().wParam, static_cast<WPARAM>(SIZE_RESTORED));
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(sizes.back().lParam, MAKELPARAM(client.right, client.bottom));
        // The window system agreeing later moves nothing.
        platform::testing::DispatchPendingMessages();
        GetWindowRect(hwnd, rect);
        EXPECT_EQ(rect, CRect(70, 60, 770, 560)) << cmd;
    }
}

TEST_F(FrameWindowTest, ShowingTheWindowActivatesTheApplicationAndTheWindow)
{
    Log().clear();
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNORMAL));
    EXPECT_EQ(LoggedMessages({WM_SHOWWINDOW, WM_ACTIVATEAPP, WM_ACTIVATE}),
              (std::vector<UINT>{WM_SHOWWINDOW, WM_ACTIVATEAPP, WM_ACTIVATE}));
    EXPECT_EQ(LoggedOf(WM_ACTIVATEAPP)[0].wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(LOWORD(LoggedOf(WM_ACTIVATE)[0].wParam), WA_ACTIVE);
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(ShowWindow(hwnd, SW_SHOWNORMAL));
    // The window system agreeing changes nothing.
    platform::testing::DispatchPendingMessages();
    EXPECT_EQ(LoggedOf(WM_ACTIVATEAPP).size(), 1u);
}

// A window still inside its WM_CREATE, where a message box's modal loop may pass on the
// activation of another window, hears of the application's activity once it is made.
TEST_F(FrameWindowTest, AWindowBeingMadeHearsOfTheApplicationsActivityOnlyOnceMade)
{
    HWND made = nullptr;
    std::vector<test::Logged> heardInCreation;
    test::Reactions()[WM_CREATE] = [&](HWND h, WPARAM, LPARAM) -> LRESULT {
        made = h;
        ShowWindow(hwnd, SW_SHOWNORMAL);
        for (const auto& l : LoggedOf(WM_ACTIVATEAPP))
            if (l.hwnd == h)
                heardInCreation.push_back(l);
        return 0;
    };
    Log().clear();
    HWND second = MakeWindow("Second");
    test::Reactions().erase(WM_CREATE);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(made, second);
    EXPECT_TRUE(heardInCreation.empty());
    auto heard = LoggedOf(WM_ACTIVATEAPP);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].hwnd, hwnd);

    // Activated, it hears that the application is active, though that is no news to the others.
    Log().clear();
    ShowWindow(second, SW_SHOWNORMAL);
    heard = LoggedOf(WM_ACTIVATEAPP);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].hwnd, second);
    EXPECT_EQ(heard[0].wParam, static_cast<WPARAM>(TRUE));
}

TEST_F(FrameWindowTest, ActivationMovesToAnotherWindowFoundByItsTitle)
{
    ShowWindow(hwnd, SW_SHOWNORMAL);
    HWND options = MakeWindow("Options", nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    ShowWindow(options, SW_SHOWNA);
    SetActiveWindow(hwnd);
    platform::testing::DispatchPendingMessages();
    ASSERT_EQ(GetActiveWindow(), hwnd);
    Log().clear();
    ASSERT_EQ(FindWindowA(nullptr, "Options"), options);
    EXPECT_EQ(SetActiveWindow(options), hwnd);
    EXPECT_EQ(GetActiveWindow(), options);
    auto activations = LoggedOf(WM_ACTIVATE);
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_EQ(activations[0].hwnd, hwnd);
    EXPECT_EQ(LOWORD(activations[0].wParam), WA_INACTIVE);
    EXPECT_EQ(activations[1].hwnd, options);
    EXPECT_EQ(LOWORD(activations[1].wParam), WA_ACTIVE);
    EXPECT_TRUE(LoggedOf(WM_ACTIVATEAPP).empty());
    EXPECT_EQ(FindWindowA(nullptr, "Nothing"), nullptr);
}

TEST_F(FrameWindowTest, DestroyingTheLastActiveWindowDeactivatesTheApplication)
{
    ShowWindow(hwnd, SW_SHOWNORMAL);
    platform::testing::DispatchPendingMessages();
    Log().clear();
    DestroyWindow(hwnd);
    EXPECT_EQ(LoggedMessages({WM_ACTIVATE, WM_ACTIVATEAPP, WM_DESTROY, WM_NCDESTROY}),
              (std::vector<UINT>{WM_ACTIVATE, WM_ACTIVATEAPP, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(LoggedOf(WM_ACTIVATEAPP)[0].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(FrameWindowTest, ClientPixelsFollowTheClientSize)
{
    platform::PixelView view;
    ASSERT_TRUE(platform::LockWindowPixels(hwnd, &view));
    EXPECT_EQ(view.width, 544);
    EXPECT_EQ(view.height, 404);
    EXPECT_EQ(view.stride, 544);
    view.pixels[0] = 0x00FF0000;
    view.pixels[3 * view.stride + 5] = 0x0000FF00;
    platform::UnlockWindowPixels(hwnd, RECT{0, 0, 6, 4});
    SetWindowPos(hwnd, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(platform::LockWindowPixels(hwnd, &view));
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(view.width, client.right);
    EXPECT_EQ(view.height, client.bottom);
    EXPECT_EQ(view.pixels[0], 0x00FF0000u);
    EXPECT_EQ(view.pixels[3 * view.stride + 5], 0x0000FF00u);
    platform::UnlockWindowPixels(hwnd, RECT{-10, -10, 10000, 10000});
    ShowWindow(hwnd, SW_MINIMIZE);
    EXPECT_FALSE(platform::LockWindowPixels(hwnd, &view));
    EXPECT_FALSE(platform::LockWindowPixels(nullptr, &view));
}

TEST_F(FrameWindowTest, AdjustWindowRectCountsFrameCaptionAndMenu)
{
    RECT plain{0, 0, 544, 404};
    AdjustWindowRect(&plain, WS_OVERLAPPEDWINDOW, FALSE);
    RECT menu{0, 0, 544, 404};
    AdjustWindowRect(&menu, WS_OVERLAPPEDWINDOW, TRUE);
    EXPECT_EQ(plain.top - menu.top, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(plain.left, -GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(plain.top, -GetSystemMetrics(SM_CYFRAME) - GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(plain.bottom, 404 + GetSystemMetrics(SM_CYFRAME));
}

TEST_F(FrameWindowTest, IconsFromMissingResourcesAreNullTheArrowIsStandard)
{
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr) ? GetModuleHandleA(nullptr) : reinterpret_cast<HINSTANCE>(1),
                        MAKEINTRESOURCE(999)),
              nullptr);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCE(5)), nullptr);
    EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
}

} // namespace

namespace {

using ChildWindowTest = test::PlatformTest;

TEST_F(ChildWindowTest, ChildrenLieInTheirParentsClientAreaAndGoWithIt)
{
    HWND parent = MakeWindow("Parent");
    HWND child = CreateWindowExA(0, test::LoggingClass(), "", WS_CHILD | WS_VISIBLE, 10, 20, 100, 50, parent,
                                 reinterpret_cast<HMENU>(1009), nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(IsChild(parent, child));
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_EQ(GetWindowLongA(child, GWL_ID), 1009);
    RECT client;
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 100);
    EXPECT_EQ(client.bottom, 50);
    POINT inParent{0, 0}, inChild{0, 0};
    ClientToScreen(parent, &inParent);
    ClientToScreen(child, &inChild);
    EXPECT_EQ(inChild.x - inParent.x, 10);
    EXPECT_EQ(inChild.y - inParent.y, 20);
    EXPECT_EQ(CreateWindowExA(0, test::LoggingClass(), "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);

    test::Log().clear();
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(child));
    std::vector<std::pair<HWND, UINT>> order;
    for (const auto& l : test::Log())
        if (l.msg == WM_DESTROY || l.msg == WM_NCDESTROY)
            order.push_back({l.hwnd, l.msg});
    // WM_DESTROY parent first, WM_NCDESTROY child first.
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{
                         {parent, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}}));
}

TEST_F(ChildWindowTest, OwnedWindowsAreDestroyedBeforeTheirOwner)
{
    HWND owner = MakeWindow("Owner");
    HWND owned = CreateWindowExA(0, test::LoggingClass(), "Options", WS_POPUP | WS_CAPTION, 0, 0, 50, 50, owner,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(owned, nullptr);
    test::Log().clear();
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
    ASSERT_FALSE(test::LoggedOf(WM_DESTROY).empty());
    EXPECT_EQ(test::LoggedOf(WM_DESTROY).front().hwnd, owned);
}

TEST_F(ChildWindowTest, ScreenMetricsFollowTheDisplayMode)
{
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_GT(GetSystemMetrics(SM_CYSCREEN), 0);
    platform::testing::OverrideDisplayMode(640, 480, 8);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
    platform::testing::ClearDisplayModeOverride();
}

} // namespace
