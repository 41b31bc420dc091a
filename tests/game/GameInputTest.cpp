// The main window passing the player's input to the game: mouse and timer messages,
// "S&tart" during a deal, the hidden command 40017, and the sounds the game asks for.
#include "GameModelFixture.h"

#include "game/Card.h"
#include "testing/MessageLoop.h"
#include "testing/WindowProbe.h"

#include <cstdlib>
#include <set>

namespace {

using gametest::Choose;
using gametest::GameModelTest;
using Strings = std::vector<std::string>;

using GameInputTest = GameModelTest;

// The middle of the card in slot k, in client coordinates of the window at its first size.
POINT SlotCentre(int k)
{
    return POINT{(k % 4) * g_nPitchX + g_nOriginX + 64, (k / 4) * g_nPitchY + g_nOriginY + 64};
}

void Mouse(MemWin* pWin, UINT message, POINT at, UINT keyState)
{
    platform::testing::SendMouse(pWin->m_hWnd, message, at.x, at.y, keyState);
    platform::testing::DispatchPendingMessages();
}

TEST_F(GameInputTest, MouseAndTimerMessagesReachTheGame)
{
    Deal();
    const POINT at = SlotCentre(5);

    Mouse(win, WM_MOUSEMOVE, at, 0);
    EXPECT_EQ(g_nMouseX, at.x);
    EXPECT_EQ(g_nMouseY, at.y);
    Mouse(win, WM_LBUTTONDOWN, at, MK_LBUTTON);
    EXPECT_EQ(g_nGameState, GS_ONE_UP);
    EXPECT_EQ(game->m_pFirst, CardAt(5));
    EXPECT_EQ(CardAt(5)->m_nState, CARD_TURN_UP_VERTICAL);
    Mouse(win, WM_LBUTTONUP, at, 0);

    g_nIdleTicks = 10;
    win->SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(g_nIdleTicks, 11);
}

TEST_F(GameInputTest, StartDuringADealIsRefusedButStillResetsTheIdleCounter)
{
    Choose(win, ID_GAME_START);
    ASSERT_EQ(g_nGameState, GS_DEALING);
    Frames(12);
    const int nNext = g_nNextDealCard;
    const int nMode = game->m_nDealMode;
    ASSERT_GT(nNext, 0);
    g_nIdleTicks = 42;

    Choose(win, ID_GAME_START);

    EXPECT_EQ(g_nIdleTicks, 0);
    EXPECT_EQ(g_nGameState, GS_DEALING);
    EXPECT_EQ(g_nNextDealCard, nNext);
    EXPECT_EQ(game->m_nDealMode, nMode);
    EXPECT_EQ(Clock(), " 0");
}

TEST_F(GameInputTest, Command40017ShowsThePartnerOfTheFirstCardUntilTheButtonGoesUp)
{
    EXPECT_FALSE(platform::testing::MenuBarItem(win->m_hWnd, ID_FIND_SECOND_CARD).found);
    Deal();
    ClickAt(2);
    ASSERT_EQ(g_nGameState, GS_ONE_UP);
    Card* pPartner = CardAt(PartnerOf(2));
    ASSERT_EQ(pPartner->m_nState, CARD_FACE_DOWN);

    win->PostMessage(WM_COMMAND, ID_FIND_SECOND_CARD, 0);
    platform::testing::DispatchPendingMessages();
    EXPECT_EQ(pPartner->m_nState, CARD_FACE_UP);
    EXPECT_EQ(game->m_pHintCard, pPartner);

    Mouse(win, WM_LBUTTONUP, SlotCentre(2), 0);
    EXPECT_EQ(pPartner->m_nState, CARD_FACE_DOWN);
    EXPECT_EQ(game->m_pHintCard, nullptr);
}

TEST_F(GameInputTest, TheSoundSwitchDecidesWhetherAClickBesideTheCardsIsHeard)
{
    const POINT beside{2, 200};
    Mouse(win, WM_MOUSEMOVE, beside, 0);
    Mouse(win, WM_LBUTTONDOWN, beside, MK_LBUTTON);
    EXPECT_EQ(sounds->Take(), Strings{});

    Choose(win, ID_GAME_SOUND);
    Mouse(win, WM_LBUTTONDOWN, beside, MK_LBUTTON);
    EXPECT_EQ(sounds->Take(), Strings{"Oop"});
}

// What the sound choice plays for each seed of the random numbers; r is the draw it makes.
template <class Play>
std::vector<std::pair<int, std::string>> PlayedPerSeed(gametest::SoundLog& log, int nModulo, Play play)
{
    std::vector<std::pair<int, std::string>> played;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        srand(seed);
        const int r = rand() % nModulo;
        srand(seed);
        play();
        Strings heard = log.Take();
        EXPECT_EQ(heard.size(), 1u) << "seed " << seed;
        played.emplace_back(r, heard.empty() ? "" : heard[0]);
    }
    return played;
}

TEST_F(GameInputTest, TheStartSoundIsGlassForEightAndOneOfTheFallsOtherwise)
{
    win->m_bSoundOn = 1;
    std::set<int> draws;
    for (const auto& [r, name] : PlayedPerSeed(*sounds, 9, [&] { win->PlayStartSound(); })) {
        draws.insert(r);
        EXPECT_EQ(name, r == 8 ? "Glass" : "Fall" + std::to_string(r + 1)) << "rand() % 9 = " << r;
    }
    EXPECT_EQ(draws.size(), 9u) << "not every draw was seen";
}

TEST_F(GameInputTest, TheWinSoundIsOneOfTheThreeDones)
{
    win->m_bSoundOn = 1;
    std::set<int> draws;
    for (const auto& [r, name] : PlayedPerSeed(*sounds, 3, [&] { win->PlayWinSound(); })) {
        draws.insert(r);
        EXPECT_EQ(name, "Done" + std::to_string(r + 1)) << "rand() % 3 = " << r;
    }
    EXPECT_EQ(draws.size(), 3u);
}

TEST_F(GameInputTest, WithoutTheSwitchOrTheBankNeitherSoundPlaysNorDrawsANumber)
{
    auto untouched = [&](const char* what) {
        srand(7);
        const int first = rand();
        srand(7);
        win->PlayStartSound();
        win->PlayWinSound();
        EXPECT_EQ(rand(), first) << what;
        EXPECT_EQ(sounds->Take(), Strings{}) << what;
    };
    untouched("switch off");
    win->m_bSoundOn = 1;
    win->m_bUseSound = 0;
    untouched("sound not wanted");
    win->m_bUseSound = 1;
    DSound* pBank = win->m_pDSound;
    win->m_pDSound = NULL;
    untouched("no bank");
    win->m_pDSound = pBank;
}

} // namespace
