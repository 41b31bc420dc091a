// The deal: its order, its effects for each rotate style, its pace, its end, and
// what Start does while it runs and after it.
#include "GameModelFixture.h"

#include "game/AGame.h"
#include "game/MemWin.h"
#include "testing/ManualClock.h"

#include <mmsystem.h>

#include <cstdlib>

namespace {

using GameDealTest = gametest::GameModelTest;

// Card state given to every dealt card, by rotate style; 0 for the random draw.
const int kDealtState[7] = {CARD_TURN_DOWN_VERTICAL, CARD_TURN_DOWN_HORIZONTAL, CARD_TURN_DOWN_SQUARE,
                            CARD_TURN_DOWN_VH,       CARD_TURN_DOWN_HV,         0,
                            CARD_TURN_DOWN_SQUARE};
const int kDealMode[7] = {DEAL_VERTICAL, DEAL_HORIZONTAL, DEAL_SQUARE, DEAL_VH, DEAL_HV, DEAL_RANDOM, DEAL_SQUARE};

TEST_F(GameDealTest, EachStyleDealsInCreationOrderOneCardATickAndEndsOnlyAfterTwelveEffectsEnded)
{
    for (int style = ROTATE_VERTICAL; style <= ROTATE_IMMEDIATE; ++style) {
        SCOPED_TRACE("style " + std::to_string(style));
        win->m_nRotateStyle = style;
        game->Start();
        ASSERT_EQ(g_nGameState, GS_DEALING);
        EXPECT_EQ(game->m_nDealMode, kDealMode[style]);

        srand(100 + style);
        std::vector<int> expected(12, kDealtState[style]);
        if (style == ROTATE_RANDOM) {
            for (int& state : expected)
                state = 8 + rand() % 5; // one draw per frame of the deal, and each frame deals a card
            srand(100 + style);
        }
        for (int k = 0; k < 12; ++k) {
            Frame(0.05f); // every frame is a deal tick
            EXPECT_EQ(CardAt(k)->m_nState, expected[k]) << "card " << k;
            EXPECT_EQ(CardAt(k)->m_fTime, 0.0f);
            EXPECT_EQ(g_nNextDealCard, k + 1);
        }
        if (style == ROTATE_RANDOM) {
            EXPECT_NE(expected, std::vector<int>(12, expected[0])) << "a seed that draws more than one effect";
        }

        // Every frame ticks: the deal ends at the first tick after the twelfth card that finds twelve ends.
        for (int frames = 1; g_nGameState == GS_DEALING && frames < 100; ++frames) {
            int finishedBefore = g_nCardsFinished;
            Frame(0.05f);
            if (g_nGameState == GS_DEALING) {
                EXPECT_LT(g_nCardsFinished, 12);
            } else if (frames > 1) {
                EXPECT_LT(finishedBefore, 12);
            }
        }
        ASSERT_EQ(g_nGameState, GS_NONE_UP);
        EXPECT_EQ(States(), std::vector<int>(12, CARD_FACE_DOWN));
        for (int k = 0; k < 12; ++k) {
            EXPECT_FALSE(CardAt(k)->m_bSeen);
            EXPECT_EQ(g_abSlotFree[k], 0);
        }
        EXPECT_EQ(g_nNextDealCard, 0);
        EXPECT_EQ(game->m_nDealMode, DEAL_NONE);
        EXPECT_EQ(g_bClockRunning, 1);
        EXPECT_EQ(g_dwGameStart, timeGetTime());
        EXPECT_EQ(Clock(), " 0.0") << "the frame that ends the deal writes the clock";
    }
}

TEST_F(GameDealTest, ADealTickNeedsMoreThanTheDelayAndStartsOneCardAtMost)
{
    game->Start();
    EXPECT_EQ(Clock(), " 0");
    Frame(0.02f);
    Frame(0.02f); // the sum is exactly 4 x 0.01 in single precision
    EXPECT_EQ(g_nNextDealCard, 0);
    EXPECT_EQ(g_fDealAccum, 4.0f * 0.01f);
    Frame(1e-6f);
    EXPECT_EQ(g_nNextDealCard, 1);
    EXPECT_EQ(g_fDealAccum, 0.0f) << "the time beyond the delay is dropped";

    Frame(5.0f);
    EXPECT_EQ(g_nNextDealCard, 2) << "one card per frame, however long the frame";

    g_nWaveDelay = 20;
    Frame(20.0f * 0.01f);
    EXPECT_EQ(g_nNextDealCard, 2);
    Frame(0.001f);
    EXPECT_EQ(g_nNextDealCard, 3);
    EXPECT_EQ(Clock(), " 0") << "nothing rewrites the title while dealing";
}

TEST_F(GameDealTest, TheEndOfTheDealPlaysGlassAndThenTheWindowsStartSound)
{
    const std::vector<std::string> start = {"Fall1", "Fall2", "Fall3", "Fall4", "Fall5",
                                            "Fall6", "Fall7", "Fall8", "Glass"};
    win->m_bSoundOn = 1;
    game->Start();
    srand(21);
    const std::string expected = start[rand() % 9];
    while (g_nGameState == GS_DEALING) {
        EXPECT_EQ(sounds->Take(), std::vector<std::string>{});
        srand(21); // the frame that ends the deal draws first for the start sound
        Frame(0.05f);
    }
    EXPECT_EQ(sounds->Take(), (std::vector<std::string>{"Glass", expected}));
}

TEST_F(GameDealTest, StartDuringADealChangesNothingAndDuringPlayOrAfterAWinBeginsAgain)
{
    game->Start();
    Frames(5, 0.05f);
    std::vector<int> states = States();
    int next = g_nNextDealCard;
    float accum = g_fDealAccum;
    int finished = g_nCardsFinished;
    win->m_nRotateStyle = ROTATE_HV;
    game->Start();
    EXPECT_EQ(g_nGameState, GS_DEALING);
    EXPECT_EQ(game->m_nDealMode, DEAL_VERTICAL);
    EXPECT_EQ(States(), states);
    EXPECT_EQ(g_nNextDealCard, next);
    EXPECT_EQ(g_fDealAccum, accum);
    EXPECT_EQ(g_nCardsFinished, finished);
    EXPECT_EQ(Clock(), " 0");
    Frames(100, 0.05f);
    ASSERT_EQ(g_nGameState, GS_NONE_UP);

    // In play: the clock stops, no time is kept, the title starts again.
    platform::testing::AdvanceClock(3000);
    Frame();
    EXPECT_EQ(Clock(), " 3.0");
    ClickAt(0);
    game->Start();
    EXPECT_EQ(g_nGameState, GS_DEALING);
    EXPECT_EQ(game->m_nDealMode, DEAL_HV);
    EXPECT_EQ(g_bClockRunning, 0);
    EXPECT_EQ(g_nElapsedMs, 0u);
    EXPECT_EQ(g_nCardsFinished, 0);
    EXPECT_EQ(Clock(), " 0");
    Frames(100, 0.05f);
    ASSERT_EQ(g_nGameState, GS_NONE_UP);

    // After a win, in the wobble's shifted layout: the normal layout returns at once.
    MatchAllPairs();
    Tick();
    ASSERT_EQ(g_nGameState, GS_GAME_OVER);
    Tick();
    ASSERT_EQ(g_nOriginX, 10);
    game->Start();
    EXPECT_EQ(g_nGameState, GS_DEALING);
    EXPECT_EQ(g_nOriginX, 8);
    EXPECT_EQ(g_nOriginY, 5);
    EXPECT_EQ(g_nPitchX, 131);
    EXPECT_EQ(g_nPitchY, 131);
    EXPECT_EQ(g_nRecordMs, 0u) << "the won game of no time set the best time";
}

TEST_F(GameDealTest, EveryShuffleGivesEachValueTwoSlotsAndTakesARandForEveryDraw)
{
    LPDIRECTDRAWSURFACE* sheet = CardAt(3)->m_ppSheet;
    int frame = CardAt(3)->m_nFrame;
    for (unsigned seed = 1; seed <= 500; ++seed) {
        // The same draws done here: refused ones included, free flags kept between the passes.
        srand(seed);
        int free[12], values[12];
        for (int& f : free)
            f = 1;
        for (int pass = 0; pass < 2; ++pass)
            for (int v = 0; v < 6; ++v) {
                int i;
                do
                    i = rand() % 12;
                while (!free[i]);
                values[i] = v;
                free[i] = 0;
            }
        int next = rand();

        srand(seed);
        game->Shuffle();
        ASSERT_EQ(rand(), next) << "seed " << seed;
        int counts[6] = {};
        for (int k = 0; k < 12; ++k) {
            ASSERT_EQ(CardAt(k)->m_nValue, values[k]) << "seed " << seed << ", slot " << k;
            ASSERT_EQ(g_anSlotValue[k], values[k]);
            ASSERT_EQ(g_abSlotFree[k], 1);
            ASSERT_EQ(CardAt(k)->m_nState, CARD_FACE_UP);
            ASSERT_EQ(CardAt(k)->m_fTime, 0.0f);
            ++counts[values[k]];
        }
        for (int v = 0; v < 6; ++v)
            ASSERT_EQ(counts[v], 2) << "seed " << seed;
    }
    EXPECT_EQ(CardAt(3)->m_ppSheet, sheet) << "the state is written, not set through the card";
    EXPECT_EQ(CardAt(3)->m_nFrame, frame);
}

TEST_F(GameDealTest, TheModesThatSetEveryCardAndTheOnesThatAreOnlyStored)
{
    const std::pair<int, int> setting[] = {{DEAL_NONE, CARD_HIDDEN},
                                           {DEAL_COVER_ALL, CARD_TURN_DOWN_VERTICAL},
                                           {DEAL_REVEAL, CARD_TURN_UP_VERTICAL},
                                           {DEAL_VANISH, CARD_VANISH},
                                           {DEAL_APPEAR, CARD_APPEAR}};
    for (auto [mode, state] : setting) {
        Frames(3);
        g_nCardsFinished = 7;
        game->SetDealMode(mode);
        EXPECT_EQ(game->m_nDealMode, mode);
        EXPECT_EQ(g_nCardsFinished, 0) << "mode " << mode;
        for (int k = 0; k < 12; ++k) {
            EXPECT_EQ(CardAt(k)->m_nState, state) << "mode " << mode;
            EXPECT_EQ(CardAt(k)->m_fTime, 0.0f);
        }
    }
    for (int mode : {(int)DEAL_VERTICAL, (int)DEAL_RANDOM, (int)DEAL_LEVEL_CHANGED, 12}) {
        std::vector<int> states = States();
        g_nCardsFinished = 7;
        game->SetDealMode(mode);
        EXPECT_EQ(game->m_nDealMode, mode);
        EXPECT_EQ(g_nCardsFinished, 7) << "mode " << mode;
        EXPECT_EQ(States(), states);
    }
}

} // namespace
