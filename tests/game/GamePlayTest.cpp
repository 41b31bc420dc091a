// Play through the model: clicks in each state, the pair compared or turned back, the
// win with its sound, best time and box, and the clock in the title bar.
#include "GameModelFixture.h"

#include "testing/ManualClock.h"
#include "testing/MessageBoxRecorder.h"

#include <cstdlib>

namespace {

using platform::testing::AdvanceClock;
using platform::testing::RecordedMessageBoxes;
using Strings = std::vector<std::string>;

struct GamePlayTest : gametest::GameModelTest {
    void SetUp() override
    {
        GameModelTest::SetUp();
        Deal();
        win->m_bSoundOn = 1;
        sounds->Take();
    }
    // A slot whose value differs from the slot's.
    int OtherThan(int slot)
    {
        for (int k = 0; k < 12; ++k)
            if (CardAt(k)->m_nValue != CardAt(slot)->m_nValue)
                return k;
        return -1;
    }
    // A third slot, of neither value.
    int ThirdTo(int a, int b)
    {
        for (int k = 0; k < 12; ++k)
            if (CardAt(k)->m_nValue != CardAt(a)->m_nValue && CardAt(k)->m_nValue != CardAt(b)->m_nValue)
                return k;
        return -1;
    }
    // Wins the game dealt with the clock at ms: the win sound's effect is the one seeded.
    void WinAfter(DWORD ms)
    {
        MatchAllPairs();
        AdvanceClock(ms);
        Frame();
        sounds->Take();
        PointAtNothing();
        Tick();
        ASSERT_EQ(g_nGameState, GS_GAME_OVER);
    }
};

TEST_F(GamePlayTest, APairIsComparedByTheFirstTickAfterTheSecondCardIsUp)
{
    const int a = 0, b = PartnerOf(0);
    ClickAt(a);
    EXPECT_EQ(g_nGameState, GS_ONE_UP);
    EXPECT_EQ(game->m_pFirst, CardAt(a));
    EXPECT_EQ(CardAt(a)->m_nState, CARD_TURN_UP_VERTICAL);
    EXPECT_EQ(sounds->Take(), Strings{"Tsik"});
    ClickAt(a); // the first card itself is turning
    ClickAt(b);
    EXPECT_EQ(g_nGameState, GS_TWO_UP);
    EXPECT_EQ(game->m_pSecond, CardAt(b));
    EXPECT_EQ(sounds->Take(), Strings{});

    Tick();
    EXPECT_EQ(g_nGameState, GS_TWO_UP) << "the second card is still turning";
    Frames(20);
    AdvanceClock(70);
    Tick();
    EXPECT_EQ(g_nGameState, GS_NONE_UP);
    EXPECT_EQ(g_dwPairShownAt, timeGetTime());
    EXPECT_EQ(sounds->Take(), Strings{"Brim"});
    EXPECT_EQ(CardAt(a)->m_nState, CARD_FACE_UP);
    EXPECT_EQ(CardAt(b)->m_nState, CARD_FACE_UP);

    ClickAt(b); // a matched card: nothing, not even a sound
    EXPECT_EQ(g_nGameState, GS_NONE_UP);
    EXPECT_EQ(sounds->Take(), Strings{});
    PointAtNothing();
    game->OnLButtonDown();
    EXPECT_EQ(sounds->Take(), Strings{"Oop"});
    EXPECT_EQ(g_nGameState, GS_NONE_UP);
}

TEST_F(GamePlayTest, AMismatchTurnsBackOnTheFirstTickMoreThan800MsLaterAndMarksThePairSeen)
{
    // Across the wrap of the millisecond counter.
    platform::testing::UseManualClock(true, (1ull << 32) - 300);
    const int a = 0, c = OtherThan(0);
    ClickAt(a);
    TurnUpSecond(c);
    EXPECT_EQ(g_nGameState, GS_MISMATCH);
    EXPECT_EQ(sounds->Take(), Strings{"Tsik"});
    AdvanceClock(800);
    Tick();
    EXPECT_EQ(g_nGameState, GS_MISMATCH) << "exactly 800 ms";
    AdvanceClock(1);
    Tick();
    EXPECT_EQ(g_nGameState, GS_NONE_UP);
    EXPECT_EQ(CardAt(a)->m_nState, CARD_FACE_DOWN);
    EXPECT_EQ(CardAt(c)->m_nState, CARD_FACE_DOWN);
    EXPECT_TRUE(CardAt(a)->m_bSeen);
    EXPECT_TRUE(CardAt(c)->m_bSeen);

    // One card of the next mismatched pair already seen: neither flag changes.
    const int d = ThirdTo(a, c);
    ClickAt(d);
    TurnUpSecond(a);
    ASSERT_EQ(g_nGameState, GS_MISMATCH);
    AdvanceClock(801);
    Tick();
    EXPECT_EQ(g_nGameState, GS_NONE_UP);
    EXPECT_FALSE(CardAt(d)->m_bSeen);
    EXPECT_TRUE(CardAt(a)->m_bSeen);
}

TEST_F(GamePlayTest, AClickResolvesTheShownPairAtOnceAndTheClickedFaceDownCardStartsTheNext)
{
    const int a = 0, c = OtherThan(0), d = ThirdTo(a, c);
    // In GS_TWO_UP, a mismatch: both turn back and the clicked card of the pair is the next first card.
    ClickAt(a);
    ClickAt(c);
    sounds->Take();
    ClickAt(c);
    EXPECT_EQ(g_nGameState, GS_ONE_UP);
    EXPECT_EQ(CardAt(a)->m_nState, CARD_FACE_DOWN);
    EXPECT_EQ(game->m_pFirst, CardAt(c));
    EXPECT_EQ(CardAt(c)->m_nState, CARD_TURN_UP_VERTICAL);
    EXPECT_EQ(sounds->Take(), Strings{"Tsik"});

    // In GS_MISMATCH a click turns the pair back; the clicked card, a third one or one of
    // the pair, turns up again as the next first card.
    for (auto [second, clicked] : {std::pair{a, d}, std::pair{a, a}}) {
        int first = game->m_pFirst == CardAt(c) ? c : d;
        TurnUpSecond(second);
        ASSERT_EQ(g_nGameState, GS_MISMATCH);
        sounds->Take();
        ClickAt(clicked);
        EXPECT_EQ(g_nGameState, GS_ONE_UP);
        EXPECT_EQ(game->m_pFirst, CardAt(clicked));
        EXPECT_EQ(CardAt(clicked)->m_nState, CARD_TURN_UP_VERTICAL);
        for (int k : {first, second}) {
            if (k != clicked) {
                EXPECT_EQ(CardAt(k)->m_nState, CARD_FACE_DOWN) << "card " << k;
            }
        }
        EXPECT_EQ(sounds->Take(), Strings{"Tsik"});
    }

    // In GS_TWO_UP, a match: "Brim", and the third card clicked is the next first card.
    const int b = PartnerOf(a);
    ClickAt(b);
    ASSERT_EQ(g_nGameState, GS_TWO_UP);
    ClickAt(d);
    EXPECT_EQ(sounds->Take(), (Strings{"Brim", "Tsik"}));
    EXPECT_EQ(game->m_pFirst, CardAt(d));
    EXPECT_NE(CardAt(b)->m_nState, CARD_FACE_DOWN) << "a matched pair stays up";
}

TEST_F(GamePlayTest, SoundsPlayOnlyWhileTheSwitchIsOnAndTheBankExists)
{
    win->m_bSoundOn = 0;
    ClickAt(0);
    PointAtNothing();
    game->OnLButtonDown();
    EXPECT_EQ(sounds->Take(), Strings{});
    win->m_bSoundOn = 1;
    DSound* bank = win->m_pDSound;
    win->m_pDSound = nullptr;
    TurnUpSecond(PartnerOf(0));
    EXPECT_EQ(g_nGameState, GS_NONE_UP);
    PointAtNothing();
    game->OnLButtonDown();
    win->m_pDSound = bank;
    EXPECT_EQ(sounds->Take(), Strings{});
}

TEST_F(GamePlayTest, TheWinPlaysASoundAndABetterTimeIsAnnouncedAndKept)
{
    srand(3);
    const Strings done = {"Done1", "Done2", "Done3"};
    const std::string expected = done[rand() % 3];
    srand(3);
    WinAfter(12345);
    EXPECT_EQ(sounds->Take(), Strings{expected});
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].text, "You got it, dude!\n\nYour record is: 12 sec 345 ms");
    EXPECT_EQ(RecordedMessageBoxes()[0].caption, g_pszCaption);
    EXPECT_EQ(RecordedMessageBoxes()[0].type & MB_TYPEMASK, (UINT)MB_OK);
    EXPECT_EQ(RecordedMessageBoxes()[0].owner, win->m_hWnd);
    EXPECT_EQ(g_nRecordMs, 12345u);
    EXPECT_EQ(g_bClockRunning, 0);
    Frame();
    EXPECT_EQ(Clock(), " 12.3") << "the title keeps the last time written";

    // The next game shows the best time beside its own; a slower one sets nothing.
    Deal();
    EXPECT_EQ(Clock(), " 0.0 Record is: 12.3");
    AdvanceClock(5678);
    Frame();
    EXPECT_EQ(Clock(), " 5.6 Record is: 12.3");
    WinAfter(20000);
    EXPECT_EQ(sounds->Take().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(g_nRecordMs, 12345u);
}

TEST_F(GamePlayTest, AGameOf100SecondsOrMoreSetsNoBestTimeWhileOneOf99999MsDoes)
{
    WinAfter(100000);
    EXPECT_EQ(Clock(), " 100.0");
    EXPECT_EQ(sounds->Take().size(), 1u) << "the win sound still plays";
    EXPECT_TRUE(RecordedMessageBoxes().empty());
    EXPECT_EQ(g_nRecordMs, 100000u);

    Deal();
    EXPECT_EQ(Clock(), " 0.0");
    WinAfter(99999);
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].text, "You got it, dude!\n\nYour record is: 99 sec 999 ms");
    EXPECT_EQ(g_nRecordMs, 99999u);
}

TEST_F(GamePlayTest, OnlyTheLeftButtonAloneInTheLastMoveHoldsTheWinBack)
{
    MatchAllPairs();
    PointAtNothing(MK_LBUTTON);
    EXPECT_FALSE(game->IsGameWon());
    Tick(3);
    EXPECT_EQ(g_nGameState, GS_NONE_UP);
    PointAtNothing(MK_LBUTTON | MK_SHIFT);
    EXPECT_TRUE(game->IsGameWon());
    Tick();
    EXPECT_EQ(g_nGameState, GS_GAME_OVER);

    // Once over, clicks change nothing.
    ClickAt(0);
    EXPECT_EQ(g_nGameState, GS_GAME_OVER);
}

} // namespace
