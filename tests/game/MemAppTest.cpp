// The application object: the game-wide start values, the main window's construction,
// a creation refused for a command-line argument, and the menu's About and Exit.
#include "GameTestSupport.h"

#include "game/DlgOptions.h"
#include "game/GameGlobals.h"
#include "testing/MessageBoxRecorder.h"
#include "testing/MessageLoop.h"
#include "testing/WindowProbe.h"

#include <memory>

namespace {

using platform::testing::RecordedMessageBoxes;

TEST(GameStartValues, AreThoseOfAFreshProgram)
{
    EXPECT_EQ(g_nOriginX, 8);
    EXPECT_EQ(g_nOriginY, 5);
    EXPECT_EQ(g_nBaseOriginX, 8);
    EXPECT_EQ(g_nBaseOriginY, 5);
    EXPECT_EQ(g_nPitchX, 131);
    EXPECT_EQ(g_nPitchY, 131);
    EXPECT_EQ(g_nRecordMs, 100000u);
    EXPECT_STREQ(g_pszCaption, "Valdmark Software, KV Memory: ");
    const int anValues[12] = {0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(g_anSlotValue[i], anValues[i]) << i;
        EXPECT_EQ(g_abSlotFree[i], 1) << i;
    }
    EXPECT_EQ(g_nWaveDelay, 4);
    EXPECT_EQ(g_bWobble, 1);
    EXPECT_EQ(g_fRotateSpeed, 8.0f);
    EXPECT_EQ(g_nGameState, GS_ONE_UP);
    EXPECT_EQ(g_nGameState, 0);
    EXPECT_EQ(g_bClockRunning, 0);
    EXPECT_EQ(g_dwGameStart, 0u);
    EXPECT_EQ(g_nElapsedMs, 0u);
    EXPECT_EQ(g_nCardsFinished, 0);
    EXPECT_EQ(g_nNextDealCard, 0);
    EXPECT_EQ(g_fDealAccum, 0.0f);
    EXPECT_EQ(g_dwPairShownAt, 0u);
    EXPECT_EQ(g_nIdleTicks, 0);
    EXPECT_EQ(g_nShimmerCount, 0);
    EXPECT_EQ(g_nFaceCycleCount, 0);
}

TEST(MainWindowConstruction, SetsTheFieldsAndMakesNoWindow)
{
    auto pWin = std::make_unique<MemWin>();
    EXPECT_EQ(pWin->m_hWnd, nullptr);
    EXPECT_EQ(theApp.m_pDirectDrawWin, pWin.get());
    EXPECT_EQ(pWin->m_bUseSound, 1);
    EXPECT_EQ(pWin->m_bUseMusic, 0);
    EXPECT_EQ(pWin->m_pDSound, nullptr);
    EXPECT_EQ(pWin->m_pMidiPlayer, nullptr);
    EXPECT_EQ(pWin->m_bSoundOn, 0);
    EXPECT_EQ(pWin->m_bMusicOn, 0);
    EXPECT_EQ(CRect(pWin->m_rcDefaultWindow), CRect(0, 0, 0, 0));
    EXPECT_EQ(pWin->m_pGame, nullptr);
    EXPECT_EQ(pWin->m_pFacesSurface, nullptr);
    EXPECT_EQ(pWin->m_pBacksSurface, nullptr);
    EXPECT_EQ(pWin->m_pBackgroundSurface, nullptr);
    EXPECT_EQ(pWin->m_nRotateStyle, ROTATE_VERTICAL);
    EXPECT_EQ(pWin->m_pDirectDraw, nullptr);
    // The options dialog object is there, without its window; with no window to destroy,
    // nothing deletes it but the test.
    ASSERT_NE(pWin->m_pDlgOptions, nullptr);
    EXPECT_EQ(pWin->m_pDlgOptions->m_hWnd, nullptr);
    delete pWin->m_pDlgOptions;
    pWin.reset();
    theApp.m_pDirectDrawWin = NULL;
}

using MemAppTest = gametest::GameWindowTest;

// Refused in WM_CREATE: the message, no main window, and what the frame had made is released.
void ExpectRefusedWith(const gametest::GameWindowTest& test, const std::string& text)
{
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(FindWindowA(NULL, "Memory Game"), nullptr);
    EXPECT_EQ(FindWindowA(NULL, "Valdmark Software, KV Memory: "), nullptr); // as the game renamed it
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].text, text);
    EXPECT_EQ(RecordedMessageBoxes()[0].caption, AfxGetAppName());
    EXPECT_EQ(RecordedMessageBoxes()[0].type & MB_TYPEMASK, (UINT)MB_OK);
    EXPECT_TRUE(gametest::SameCounts(platform::testing::LiveDirectDrawObjects(), test.ddBefore));
}

TEST_F(MemAppTest, AnArgumentRefusesTheWindowAfterTheOneLineMessage)
{
    gametest::CommandLine args{"test_game", "cx"};
    ExpectRefusedWith(*this, "Can't create DirectPlay game");
}

TEST_F(MemAppTest, TheArgumentCInEitherCaseGivesTheTwoLineMessageNamingTheProgram)
{
    for (const char* arg : {"c", "C"}) {
        platform::testing::ClearRecordedMessageBoxes();
        gametest::CommandLine args{"test_game", arg, "E"};
        ExpectRefusedWith(*this, "Can't create DirectPlay game\nTry using R or E in 'test_game C E' ");
    }
}

TEST_F(MemAppTest, AboutFromTheMenuShowsTheMakersBoxOwnedByTheMainWindow)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    ASSERT_TRUE(platform::testing::ChooseMenuItem(pWin->m_hWnd, ID_HELP_ABOUT));
    platform::testing::DispatchPendingMessages();

    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    const platform::testing::RecordedMessageBox& box = RecordedMessageBoxes()[0];
    EXPECT_EQ(box.caption, "Valdmark Programs, Memory Game");
    EXPECT_EQ(box.type, (UINT)MB_OK);
    EXPECT_EQ(box.owner, pWin->m_hWnd);
    std::vector<std::string> paragraphs;
    for (size_t at = 0;;) {
        size_t next = box.text.find("\n\n", at);
        paragraphs.push_back(box.text.substr(at, next == std::string::npos ? next : next - at));
        if (next == std::string::npos)
            break;
        at = next + 2;
    }
    ASSERT_EQ(paragraphs.size(), 4u) << box.text;
    EXPECT_NE(paragraphs[0].find("Memory Game"), std::string::npos);
    EXPECT_NE(paragraphs[1].find("Valdmark Programs"), std::string::npos);
    EXPECT_EQ(paragraphs[2].back(), ',');
    EXPECT_EQ(paragraphs[2].find('\n'), std::string::npos);
    EXPECT_EQ(paragraphs[3].find('\n'), std::string::npos);
}

TEST_F(MemAppTest, ExitFromTheMenuDestroysTheWindowAndEndsTheProgram)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    HWND hwnd = pWin->m_hWnd;
    ASSERT_TRUE(platform::testing::ChooseMenuItem(hwnd, ID_APP_EXIT));
    platform::testing::DispatchPendingMessages();

    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_TRUE(platform::testing::TakeQuitMessage());
    EXPECT_TRUE(gametest::SameCounts(platform::testing::LiveDirectDrawObjects(), ddBefore));
}

} // namespace
