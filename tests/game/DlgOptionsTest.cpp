// The options dialog in the running game: opened from the menu, used with the mouse and
// the keyboard, closed with OK, Cancel or the close button, and opened again.
#include "GameTestSupport.h"

#include "game/DlgOptions.h"
#include "game/GameGlobals.h"
#include "testing/DialogProbe.h"
#include "testing/WindowProbe.h"

#include <commctrl.h>

#include <functional>
#include <string>

namespace {

using platform::testing::ViewControl;

const int kStyleIds[] = {IDC_VERTICAL, IDC_HORIZONTAL, IDC_SQUARE, IDC_VH, IDC_HV, IDC_RANDOM, IDC_IMMEDIATE};

struct OptionsDialogTest : gametest::GameWindowTest {
    void SetUp() override
    {
        GameWindowTest::SetUp();
        g_fRotateSpeed = 8.0f;
        g_nWaveDelay = 4;
        g_nGameState = GS_ONE_UP;
        win = Open();
        ASSERT_NE(win, nullptr);
        Pump();
    }
    void TearDown() override
    {
        GameWindowTest::TearDown();
        g_fRotateSpeed = 8.0f;
        g_nWaveDelay = 4;
        g_nGameState = GS_ONE_UP;
    }

    // The application's own loop, one message.
    bool PumpOne()
    {
        MSG m;
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE) || m.message == WM_QUIT)
            return false;
        theApp.PumpMessage();
        return true;
    }
    void Pump()
    {
        for (int n = 0; n < 1000 && PumpOne(); ++n) {
        }
    }

    // "&Options..." from the menu, as the player chooses it.
    HWND ChooseOptions()
    {
        EXPECT_TRUE(platform::testing::ChooseMenuItem(win->m_hWnd, ID_GAME_OPTIONS));
        Pump();
        return dialog()->m_hWnd;
    }

    CDlgOptions* dialog() { return win->m_pDlgOptions; }
    HWND Item(int id) { return GetDlgItem(dialog()->m_hWnd, id); }
    int Position(int id) { return static_cast<int>(SendMessageA(Item(id), TBM_GETPOS, 0, 0)); }
    int Checked()
    {
        for (int i = 0; i < 7; ++i)
            if (SendMessageA(Item(kStyleIds[i]), BM_GETCHECK, 0, 0) == BST_CHECKED)
                return i;
        return -1;
    }

    int OptionsWindows()
    {
        int n = 0;
        for (HWND h = GetWindow(win->m_hWnd, GW_HWNDFIRST); h; h = GetWindow(h, GW_HWNDNEXT)) {
            char title[32] = "";
            GetWindowTextA(h, title, sizeof title);
            n += std::string(title) == "Options";
        }
        return n;
    }

    // Closes the open dialog one way, and checks that the window waits for the posted
    // message while the dialog already counts as closed.
    void CloseBy(const std::function<void(HWND)>& how)
    {
        HWND h = dialog()->m_hWnd;
        how(h);
        for (int n = 0; n < 10 && dialog()->m_bShown && PumpOne(); ++n) {
        }
        EXPECT_FALSE(dialog()->m_bShown);
        EXPECT_TRUE(IsWindow(h));
        MSG m;
        EXPECT_TRUE(PeekMessageA(&m, win->m_hWnd, WM_OPTIONS_CLOSED, WM_OPTIONS_CLOSED, PM_NOREMOVE));
        Pump();
        EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(dialog()->m_hWnd, nullptr);
    }

    MemWin* win = nullptr;
};

TEST_F(OptionsDialogTest, TheDialogObjectIsMadeWithTheWindowWithoutItsWindow)
{
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->m_hWnd, nullptr);
    EXPECT_FALSE(dialog()->m_bShown);
    EXPECT_EQ(dialog()->m_nRotateStyle, -1);
    EXPECT_EQ(dialog()->m_nRotateSpeed, 0);
    EXPECT_EQ(dialog()->m_nWaveSpeed, 0);
    EXPECT_EQ(dialog()->m_pOwnerWin, win);
    EXPECT_EQ(FindWindowA(nullptr, "Options"), nullptr);
}

TEST_F(OptionsDialogTest, TheFirstOpeningShowsNoStyleRotateAt8AndWaveAt17)
{
    HWND h = ChooseOptions();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(dialog()->m_bShown);
    EXPECT_EQ(FindWindowA(nullptr, "Options"), h);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(GetWindow(h, GW_OWNER), win->m_hWnd);
    EXPECT_EQ(GetActiveWindow(), h);

    EXPECT_EQ(Checked(), -1);
    for (int id : kStyleIds)
        EXPECT_FALSE(ViewControl(Item(id)).checked) << id;
    EXPECT_EQ(Position(IDC_ROTATE_SPEED), 8);
    EXPECT_EQ(Position(IDC_WAVE_SPEED), 17);
    for (int id : {IDC_ROTATE_SPEED, IDC_WAVE_SPEED}) {
        platform::testing::ControlView v = ViewControl(Item(id));
        EXPECT_EQ(v.minimum, 1);
        EXPECT_EQ(v.maximum, 20);
        EXPECT_TRUE(v.lowestAtTop);
    }
    EXPECT_EQ(ViewControl(Item(IDC_ROTATE_SPEED)).position, 8);
    EXPECT_EQ(ViewControl(Item(IDC_WAVE_SPEED)).position, 17);
    EXPECT_FALSE(ViewControl(Item(IDOK)).shown);
    EXPECT_FALSE(ViewControl(Item(IDCANCEL)).shown);
    // Nothing changed by opening.
    EXPECT_EQ(g_fRotateSpeed, 8.0f);
    EXPECT_EQ(g_nWaveDelay, 4);
}

TEST_F(OptionsDialogTest, TheSettingsFollowTheTrackbarsWhileTheyMove)
{
    ASSERT_NE(ChooseOptions(), nullptr);
    platform::testing::DragThumb(Item(IDC_WAVE_SPEED), -400, 5);
    Pump();
    EXPECT_EQ(Position(IDC_WAVE_SPEED), 1);
    EXPECT_EQ(g_nWaveDelay, 20); // the top: the longest delay
    platform::testing::DragThumb(Item(IDC_WAVE_SPEED), 400, 5);
    Pump();
    EXPECT_EQ(g_nWaveDelay, 1);

    // Every step of a drag applies, not only its end.
    HWND rotate = Item(IDC_ROTATE_SPEED);
    std::vector<float> seen;
    platform::testing::DragThumb(rotate, 30, 3);
    while (PumpOne())
        if (seen.empty() || seen.back() != g_fRotateSpeed)
            seen.push_back(g_fRotateSpeed);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_GT(seen.back(), 8.0f);
    EXPECT_EQ(seen.back(), static_cast<float>(Position(IDC_ROTATE_SPEED)));

    // The keys: Home takes the speed to 1, Page Down by the page (a fifth of the range).
    SetFocus(rotate);
    platform::testing::PressKey(dialog()->m_hWnd, VK_HOME);
    Pump();
    EXPECT_EQ(g_fRotateSpeed, 1.0f);
    platform::testing::PressKey(dialog()->m_hWnd, VK_NEXT);
    Pump();
    EXPECT_EQ(g_fRotateSpeed, 4.0f);
    EXPECT_EQ(win->m_nRotateStyle, ROTATE_VERTICAL); // the style is not touched
}

TEST_F(OptionsDialogTest, AStyleButtonStoresItsPlaceInTheTemplateNotItsId)
{
    ASSERT_NE(ChooseOptions(), nullptr);
    const struct {
        int id;
        int style;
    } buttons[] = {{IDC_VH, ROTATE_VH}, {IDC_HV, ROTATE_HV}, {IDC_IMMEDIATE, ROTATE_IMMEDIATE},
                   {IDC_VERTICAL, ROTATE_VERTICAL}, {IDC_RANDOM, ROTATE_RANDOM}};
    for (const auto& b : buttons) {
        platform::testing::ClickControl(Item(b.id));
        Pump();
        EXPECT_EQ(win->m_nRotateStyle, b.style) << b.id;
        EXPECT_EQ(dialog()->m_nRotateStyle, b.style) << b.id;
        EXPECT_EQ(Checked(), b.style) << b.id;
        EXPECT_TRUE(ViewControl(Item(b.id)).checked) << b.id;
    }
    // The speeds are not written by a style button.
    EXPECT_EQ(g_fRotateSpeed, 8.0f);
    EXPECT_EQ(g_nWaveDelay, 4);
}

TEST_F(OptionsDialogTest, AStyleButtonStartsANewGameEvenWhenItIsAlreadySelected)
{
    ASSERT_NE(win->m_pGame, nullptr);
    ASSERT_NE(ChooseOptions(), nullptr);
    const std::string fresh = std::string(g_pszCaption) + " 0";
    for (int click = 0; click < 2; ++click) {
        g_nGameState = GS_NONE_UP;
        win->SetWindowText("before");
        platform::testing::ClickControl(Item(IDC_SQUARE));
        Pump();
        EXPECT_EQ(g_nGameState, GS_DEALING) << click;
        CString title;
        win->GetWindowText(title);
        EXPECT_EQ(std::string(title), fresh) << click;
    }
    // A start refused during a deal still leaves the new style.
    platform::testing::ClickControl(Item(IDC_HV));
    Pump();
    EXPECT_EQ(win->m_nRotateStyle, ROTATE_HV);
    EXPECT_EQ(g_nGameState, GS_DEALING);
}

TEST_F(OptionsDialogTest, ResetRestoresBothSpeedsAtOnceAndKeepsTheStyle)
{
    ASSERT_NE(ChooseOptions(), nullptr);
    platform::testing::ClickControl(Item(IDC_HV));
    platform::testing::DragThumb(Item(IDC_ROTATE_SPEED), 60, 2);
    platform::testing::DragThumb(Item(IDC_WAVE_SPEED), -60, 2);
    Pump();
    ASSERT_NE(g_fRotateSpeed, 8.0f);
    ASSERT_NE(g_nWaveDelay, 4);
    g_nGameState = GS_NONE_UP;

    platform::testing::ClickControl(Item(IDC_RESET));
    ASSERT_TRUE(PumpOne()); // one click, one message
    EXPECT_EQ(g_fRotateSpeed, 8.0f);
    EXPECT_EQ(g_nWaveDelay, 4);
    EXPECT_EQ(Position(IDC_ROTATE_SPEED), 8);
    EXPECT_EQ(Position(IDC_WAVE_SPEED), 17);
    EXPECT_EQ(ViewControl(Item(IDC_ROTATE_SPEED)).position, 8);
    EXPECT_EQ(ViewControl(Item(IDC_WAVE_SPEED)).position, 17);
    EXPECT_EQ(Checked(), ROTATE_HV);
    EXPECT_TRUE(ViewControl(Item(IDC_HV)).checked);
    EXPECT_EQ(win->m_nRotateStyle, ROTATE_HV);
    EXPECT_EQ(g_nGameState, GS_NONE_UP); // no new game
}

TEST_F(OptionsDialogTest, OkCancelAndTheCloseButtonCloseTheSameWayAndKeepTheSettings)
{
    const std::function<void(HWND)> ways[] = {
        [](HWND h) { platform::testing::PressKey(h, VK_RETURN); },
        [](HWND h) { platform::testing::PressKey(h, VK_ESCAPE); },
        [](HWND h) { platform::testing::PressCloseButton(h); },
    };
    int rotate = 8;
    for (const auto& way : ways) {
        ASSERT_NE(ChooseOptions(), nullptr);
        platform::testing::PressKey(dialog()->m_hWnd, VK_UP); // the focus is on "Rotate"
        Pump();
        --rotate;
        ASSERT_EQ(g_fRotateSpeed, static_cast<float>(rotate));
        CloseBy(way);
        EXPECT_EQ(g_fRotateSpeed, static_cast<float>(rotate));
        EXPECT_EQ(g_nWaveDelay, 4);
    }
}

TEST_F(OptionsDialogTest, OptionsWhileOpenActivatesTheOpenWindowInsteadOfASecond)
{
    HWND h = ChooseOptions();
    ASSERT_NE(h, nullptr);
    SetActiveWindow(win->m_hWnd);
    ASSERT_EQ(GetActiveWindow(), win->m_hWnd);
    EXPECT_EQ(ChooseOptions(), h);
    EXPECT_EQ(OptionsWindows(), 1);
    EXPECT_EQ(GetActiveWindow(), h);
    EXPECT_TRUE(dialog()->m_bShown);
}

TEST_F(OptionsDialogTest, ReopeningUsesTheSameObjectAndShowsTheLastChoices)
{
    CDlgOptions* first = dialog();
    HWND h = ChooseOptions();
    ASSERT_NE(h, nullptr);
    platform::testing::ClickControl(Item(IDC_RANDOM));
    platform::testing::DragThumb(Item(IDC_WAVE_SPEED), -50, 2);
    Pump();
    const int wave = Position(IDC_WAVE_SPEED);
    CloseBy([](HWND d) { platform::testing::PressKey(d, VK_ESCAPE); });

    // The main window's style changes elsewhere; the dialog shows its own last choice.
    win->m_nRotateStyle = ROTATE_SQUARE;
    g_fRotateSpeed = 13.0f;
    HWND again = ChooseOptions();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(dialog(), first);
    EXPECT_TRUE(dialog()->m_bShown);
    EXPECT_EQ(Checked(), ROTATE_RANDOM);
    EXPECT_TRUE(ViewControl(Item(IDC_RANDOM)).checked);
    EXPECT_EQ(Position(IDC_WAVE_SPEED), wave);
    EXPECT_EQ(Position(IDC_ROTATE_SPEED), 13);
    EXPECT_EQ(OptionsWindows(), 1);
}

TEST_F(OptionsDialogTest, AMonitorPowerRequestIsAnsweredAndGoesNoFurther)
{
    HWND h = ChooseOptions();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(SendMessageA(h, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 1);
    EXPECT_EQ(SendMessageA(h, WM_SYSCOMMAND, SC_MONITORPOWER | 0x10000, 2), 1); // only the low word counts
    Pump();
    EXPECT_TRUE(dialog()->m_bShown);
    // Other system commands get the default handling: SC_CLOSE is Cancel.
    EXPECT_EQ(SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    Pump();
    EXPECT_FALSE(dialog()->m_bShown);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(OptionsDialogTest, ClosingTheGameWithTheDialogOpenTakesTheDialogWithIt)
{
    HWND h = ChooseOptions();
    ASSERT_NE(h, nullptr);
    Close();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(FindWindowA(nullptr, "Options"), nullptr);
}

} // namespace
