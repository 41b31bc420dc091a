// The game at program start: the reveal of the twelve faces, the first tick that ends
// the start-up game, the wobble, the frames the window draws, and a first card chosen
// in the start-up state.
#include "GameModelFixture.h"

#include "game/AGame.h"
#include "testing/MessageBoxRecorder.h"

#include <algorithm>
#include <cstdlib>

namespace {

using gametest::BitmapPixel;
using gametest::WindowPixel;
using platform::testing::RecordedMessageBoxes;
using Strings = std::vector<std::string>;

using GameStartTest = gametest::GameModelTest;

void ExpectEveryValueTwice(AGame* game)
{
    int counts[6] = {};
    for (Card* card : game->m_apCards) {
        ASSERT_GE(card->m_nValue, 0);
        ASSERT_LT(card->m_nValue, 6);
        ++counts[card->m_nValue];
    }
    for (int v = 0; v < 6; ++v)
        EXPECT_EQ(counts[v], 2) << "value " << v;
}

TEST_F(GameStartTest, EveryCardTurnsUpAndTheFirstTickEndsTheStartUpGameWithoutSoundOrBox)
{
    EXPECT_EQ(g_nGameState, GS_ONE_UP);
    EXPECT_EQ(game->m_nDealMode, DEAL_REVEAL);
    EXPECT_EQ(game->m_pFirst, nullptr);
    EXPECT_EQ(States(), std::vector<int>(12, CARD_TURN_UP_VERTICAL));
    ExpectEveryValueTwice(game);
    EXPECT_EQ(Clock(), "");
    EXPECT_EQ(game->m_nLevels, 1);
    EXPECT_STREQ(game->GetLevelName(), "LEVEL0");
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(game->GetCardAt(k), CardAt(k)) << "the list and the array hold the same cards";
        EXPECT_EQ(CardAt(k)->m_x, (k % 4) * 131 + 8);
        EXPECT_EQ(CardAt(k)->m_y, (k / 4) * 131 + 5);
    }

    win->m_bSoundOn = 1;
    Frames(20); // the vertical turn takes 2.5 / 8 s
    EXPECT_EQ(States(), std::vector<int>(12, CARD_FACE_UP));
    EXPECT_EQ(g_nCardsFinished, 12);
    EXPECT_EQ(game->m_nDealMode, DEAL_REVEAL) << "no deal runs until the first Start";

    PointAtNothing();
    Tick();
    EXPECT_EQ(g_nGameState, GS_GAME_OVER);
    EXPECT_EQ(g_bClockRunning, 0);
    EXPECT_EQ(sounds->Take(), Strings{});
    EXPECT_TRUE(RecordedMessageBoxes().empty());
    EXPECT_EQ(g_nRecordMs, 100000u);
    EXPECT_EQ(g_nOriginX, 8) << "the winning tick does not wobble yet";

    // The wobble: the shifted layout first, then the normal one; the cards follow in the next frame.
    for (auto [origin, pitch] : {std::pair{std::pair{10, 7}, 130}, std::pair{std::pair{8, 5}, 131}}) {
        Tick();
        EXPECT_EQ(g_nOriginX, origin.first);
        EXPECT_EQ(g_nOriginY, origin.second);
        EXPECT_EQ(g_nPitchX, pitch);
        EXPECT_EQ(g_nPitchY, pitch);
        Frame();
        for (int k = 0; k < 12; ++k) {
            EXPECT_EQ(CardAt(k)->m_x, (k % 4) * pitch + origin.first) << "card " << k;
            EXPECT_EQ(CardAt(k)->m_y, (k / 4) * pitch + origin.second) << "card " << k;
        }
    }
    EXPECT_EQ(Clock(), "");
}

TEST_F(GameStartTest, TheWindowsFramesShowEveryCardWithItsFaceOnceTheRevealHasEnded)
{
    for (int i = 0; i < 30; ++i)
        win->DrawFrame(); // each waits for the next vertical blank of the manual clock
    ASSERT_EQ(States(), std::vector<int>(12, CARD_FACE_UP));

    for (int k = 0; k < 12; ++k) {
        int value = CardAt(k)->m_nValue;
        for (const auto& p : {std::pair{1, 1}, std::pair{64, 64}, std::pair{120, 30}}) {
            int x = (k % 4) * 131 + 8 + p.first;
            int y = (k / 4) * 131 + 5 + p.second;
            EXPECT_EQ(WindowPixel(win->m_hWnd, x, y), BitmapPixel("LEVEL0", p.first, value * 128 + p.second).value())
                << "card " << k << " at " << p.first << ", " << p.second;
        }
    }
}

TEST_F(GameStartTest, AClickInTheStartUpStateWithNoFirstCardMakesTheClickedCardTheFirst)
{
    // The left button held while moving keeps the start-up game from ending; the idle
    // flash turns a random pair face down before the reveal has shown any face.
    srand(5);
    const int flashed = rand() % 12;
    const int partner = PartnerOf(flashed);
    srand(5);
    PointAtNothing(MK_LBUTTON);
    Tick(81);
    EXPECT_EQ(g_nIdleTicks, 0);
    EXPECT_EQ(CardAt(flashed)->m_nState, CARD_TURN_DOWN_VERTICAL);
    EXPECT_EQ(CardAt(partner)->m_nState, CARD_TURN_DOWN_VERTICAL);
    Frames(30);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(CardAt(k)->m_nState, k == flashed || k == partner ? CARD_FACE_DOWN : CARD_FACE_UP) << "card " << k;
    Tick();
    ASSERT_EQ(g_nGameState, GS_ONE_UP);
    ASSERT_EQ(game->m_pFirst, nullptr);

    win->m_bSoundOn = 1;
    PointAt(flashed, MK_LBUTTON);
    game->OnLButtonDown();
    EXPECT_EQ(game->m_pFirst, CardAt(flashed));
    EXPECT_EQ(game->m_pSecond, nullptr);
    EXPECT_EQ(g_nGameState, GS_ONE_UP);
    EXPECT_EQ(CardAt(flashed)->m_nState, CARD_TURN_UP_VERTICAL);
    EXPECT_EQ(sounds->Take(), Strings{"Tsik"});

    Tick(); // no pair to compare
    EXPECT_EQ(g_nGameState, GS_ONE_UP);
    // From here the start-up game goes on as any game: the partner is the second card.
    PointAt(partner, MK_LBUTTON);
    game->OnLButtonDown();
    EXPECT_EQ(game->m_pSecond, CardAt(partner));
    EXPECT_EQ(g_nGameState, GS_TWO_UP);
    Frames(30);
    Tick();
    EXPECT_EQ(g_nGameState, GS_NONE_UP);
    EXPECT_EQ(sounds->Take(), Strings{"Brim"});
    PointAt(partner);
    Tick();
    EXPECT_EQ(g_nGameState, GS_GAME_OVER);
    EXPECT_EQ(sounds->Take(), Strings{});
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(GameStartTest, TheWinAndStartSoundsDrawTheirEffectFromRandOnlyWhenSoundIsWantedOnAndThere)
{
    srand(11);
    int first = rand();
    auto nextRandIsFirst = [&] {
        bool same = rand() == first;
        srand(11);
        return same;
    };

    srand(11);
    win->PlayWinSound();
    win->PlayStartSound();
    EXPECT_TRUE(nextRandIsFirst()) << "sound off: nothing drawn";
    win->m_bSoundOn = 1;
    win->m_bUseSound = 0;
    win->PlayWinSound();
    win->PlayStartSound();
    EXPECT_TRUE(nextRandIsFirst()) << "sound not wanted: nothing drawn";
    win->m_bUseSound = 1;
    DSound* bank = win->m_pDSound;
    win->m_pDSound = nullptr;
    win->PlayWinSound();
    win->PlayStartSound();
    win->m_pDSound = bank;
    EXPECT_TRUE(nextRandIsFirst()) << "no bank: nothing drawn";
    EXPECT_EQ(sounds->Take(), Strings{});

    const Strings done = {"Done1", "Done2", "Done3"};
    const Strings start = {"Fall1", "Fall2", "Fall3", "Fall4", "Fall5", "Fall6", "Fall7", "Fall8", "Glass"};
    Strings heardWin, heardStart;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        srand(seed);
        int r1 = rand() % 3;
        int r2 = rand() % 9;
        srand(seed);
        win->PlayWinSound();
        win->PlayStartSound();
        ASSERT_EQ(sounds->Take(), (Strings{done[r1], start[r2]})) << "seed " << seed;
        heardWin.push_back(done[r1]);
        heardStart.push_back(start[r2]);
    }
    for (const std::string& name : start)
        EXPECT_NE(std::find(heardStart.begin(), heardStart.end(), name), heardStart.end()) << name;
    for (const std::string& name : done)
        EXPECT_NE(std::find(heardWin.begin(), heardWin.end(), name), heardWin.end()) << name;
}

} // namespace
