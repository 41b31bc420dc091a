// A card and the mouse: entering and leaving, browsing the faces, and the operations
// that turn it: face up, face down and the start of a turn by rotate style.
#include "CardTestSupport.h"

#include "game/MemWin.h"

#include <cstdlib>
#include <set>

namespace {

using gametest::CardTest;
using gametest::kFrame60;

struct CardMouseTest : CardTest {
    // A card drawn once at (kX, kY) in the given state, the mouse off it.
    void Place(Card& card, int nState)
    {
        card.m_nValue = 2;
        if (nState == CARD_FACE_UP)
            card.SetFaceUp();
        else
            card.SetFaceDown();
        Frame(card, 0.0f, kX, kY);
        card.m_nState = nState;
    }
    void MouseOn() { MouseAt(kX + 64, kY + 64); }
    void MouseOff() { MouseAt(kX - 20, kY + 64); }
};

TEST_F(CardMouseTest, EnteringAFaceDownCardHighlightsItAndClearsItsShimmerAndTheIdleTicks)
{
    Card card(pWin);
    Place(card, CARD_FACE_DOWN);
    card.m_nShimmerTicks = 77;
    card.m_bShimmer = true;
    card.m_ppSheet = card.m_ppFaces;
    g_nIdleTicks = 9;
    MouseOn();
    Frame(card, kFrame60, kX, kY);
    EXPECT_TRUE(card.m_bMouseInside);
    EXPECT_EQ(card.m_nFrame, 1);
    EXPECT_EQ(card.m_ppSheet, card.m_ppBacks);
    EXPECT_FALSE(card.m_bShimmer);
    EXPECT_EQ(card.m_nShimmerTicks, 1); // the entry frame is the first hovered frame
    EXPECT_EQ(g_nIdleTicks, 0);
    gametest::ExpectSheetIn(gametest::ReadPixels(pWin->m_pBackBuffer), CRect(kX, kY, kX + 128, kY + 128), "STOVE2",
                            CRect(0, 128, 128, 256));

    // Leaving shows the plain back again and keeps the shimmer's count.
    card.m_bShimmer = true;
    MouseOff();
    Frame(card, kFrame60, kX, kY);
    EXPECT_FALSE(card.m_bMouseInside);
    EXPECT_EQ(card.m_nFrame, 0);
    EXPECT_EQ(card.m_nState, CARD_FACE_DOWN);
    EXPECT_EQ(card.m_nShimmerTicks, 1);
    EXPECT_TRUE(card.m_bShimmer);
    gametest::ExpectSheetIn(gametest::ReadPixels(pWin->m_pBackBuffer), CRect(kX, kY, kX + 128, kY + 128), "STOVE2",
                            CRect(0, 0, 128, 128));
}

TEST_F(CardMouseTest, EnteringOrLeavingACardThatIsNotFaceDownChangesNothingButTheFlag)
{
    for (int nState : {CARD_FACE_UP, CARD_TURN_UP_VERTICAL, CARD_HIDDEN}) {
        Card card(pWin);
        Place(card, nState);
        card.m_nShimmerTicks = 5;
        const int nFrame = card.m_nFrame;
        LPDIRECTDRAWSURFACE* ppSheet = card.m_ppSheet;
        g_nIdleTicks = 9;
        MouseOn();
        card.UpdateHover();
        EXPECT_TRUE(card.m_bMouseInside) << nState;
        EXPECT_EQ(g_nIdleTicks, 9) << nState;
        MouseOff();
        card.UpdateHover();
        EXPECT_FALSE(card.m_bMouseInside) << nState;
        EXPECT_EQ(card.m_nState, nState);
        EXPECT_EQ(card.m_nFrame, nFrame) << nState;
        EXPECT_EQ(card.m_ppSheet, ppSheet) << nState;
        EXPECT_EQ(card.m_nShimmerTicks, 5) << nState;
    }
}

TEST_F(CardMouseTest, BrowsingShowsTheNextFaceOnEverySixthMessageWithOneCountForAllCards)
{
    Card card(pWin), other(pWin);
    Place(card, CARD_FACE_UP);
    other.m_nValue = 1;
    other.SetFaceUp();
    other.SetPos(kX + 131, kY);
    other.Draw();
    g_nGameState = GS_BROWSE;
    g_nFaceCycleCount = 0;
    MouseOn();
    for (int i = 1; i <= 5; ++i)
        card.OnMouseMove();
    EXPECT_EQ(card.m_nFrame, 2);
    EXPECT_EQ(g_nFaceCycleCount, 5);
    card.OnMouseMove();
    EXPECT_EQ(card.m_nFrame, 3);
    EXPECT_EQ(g_nFaceCycleCount, 0);

    // Messages that do not qualify leave the count alone: off the card, not face up, not browsing.
    MouseOff();
    card.OnMouseMove();
    MouseOn();
    card.m_nState = CARD_FACE_DOWN;
    card.OnMouseMove();
    card.m_nState = CARD_FACE_UP;
    for (int nState : {GS_ONE_UP, GS_TWO_UP, GS_DEALING, GS_NONE_UP, GS_LEVEL_CHANGED, GS_MISMATCH, GS_GAME_OVER}) {
        g_nGameState = nState;
        card.OnMouseMove();
    }
    g_nGameState = GS_BROWSE;
    EXPECT_EQ(g_nFaceCycleCount, 0);
    EXPECT_EQ(card.m_nFrame, 3);

    // Five on one card and the sixth on the other: the other shows its next face.
    for (int i = 0; i < 5; ++i)
        card.OnMouseMove();
    MouseAt(kX + 131 + 64, kY + 64);
    // Face 5 is followed by face 0.
    other.m_nFrame = 5;
    other.OnMouseMove();
    EXPECT_EQ(other.m_nFrame, 0);
    EXPECT_EQ(card.m_nFrame, 3);

    // The step keeps the browsed face while the mouse is on the card in browsing, and
    // shows the card's own face otherwise.
    float fElapsed = kFrame60;
    other.Animate(&fElapsed);
    EXPECT_EQ(other.m_nFrame, 0);
    g_nGameState = GS_NONE_UP;
    other.Animate(&fElapsed);
    EXPECT_EQ(other.m_nFrame, other.m_nValue);
    EXPECT_EQ(other.m_ppSheet, other.m_ppFaces);
    g_nGameState = GS_BROWSE;
    other.m_nFrame = 4;
    MouseOff();
    other.Animate(&fElapsed);
    EXPECT_EQ(other.m_nFrame, other.m_nValue);
}

TEST_F(CardMouseTest, FaceUpAndFaceDownSetSheetFrameStateAndTimeOnly)
{
    Card card(pWin);
    card.m_nValue = 5;
    card.m_nShimmerTicks = 12;
    card.m_bShimmer = true;
    card.m_bMouseInside = true;
    card.m_nState = CARD_TURN_DOWN_SQUARE;
    card.m_fTime = 1.75f;
    card.SetFaceUp();
    EXPECT_EQ(card.m_ppSheet, card.m_ppFaces);
    EXPECT_EQ(card.m_nFrame, 5);
    EXPECT_EQ(card.m_nState, CARD_FACE_UP);
    EXPECT_EQ(card.m_fTime, 0.0f);
    card.m_fTime = 0.5f;
    card.SetFaceDown();
    EXPECT_EQ(card.m_ppSheet, card.m_ppBacks);
    EXPECT_EQ(card.m_nFrame, 0);
    EXPECT_EQ(card.m_nState, CARD_FACE_DOWN);
    EXPECT_EQ(card.m_fTime, 0.0f);
    EXPECT_EQ(card.m_nShimmerTicks, 12);
    EXPECT_TRUE(card.m_bShimmer);
    EXPECT_TRUE(card.m_bMouseInside);
}

TEST_F(CardMouseTest, ATurnStartsByStyleAndAnyUnknownStyleIsImmediate)
{
    const std::pair<int, int> aTable[] = {
        {ROTATE_VERTICAL, CARD_TURN_UP_VERTICAL}, {ROTATE_HORIZONTAL, CARD_TURN_UP_HORIZONTAL},
        {ROTATE_SQUARE, CARD_TURN_UP_SQUARE},     {ROTATE_VH, CARD_TURN_UP_VH},
        {ROTATE_HV, CARD_TURN_UP_HV},             {ROTATE_IMMEDIATE, CARD_FACE_UP},
        {7, CARD_FACE_UP},                        {-1, CARD_FACE_UP},
    };
    for (const auto& [nStyle, nState] : aTable) {
        Card card(pWin);
        card.m_nValue = 3;
        card.SetFaceDown();
        card.m_fTime = 0.7f;
        card.StartTurnUp(nStyle);
        EXPECT_EQ(card.m_nState, nState) << nStyle;
        EXPECT_EQ(card.m_fTime, 0.0f) << nStyle;
        // Only the state changes; the face shows from the next step on.
        EXPECT_EQ(card.m_ppSheet, card.m_ppBacks) << nStyle;
        EXPECT_EQ(card.m_nFrame, 0) << nStyle;
    }

    Card card(pWin);
    card.m_nValue = 3;
    card.SetFaceDown();
    card.StartTurnUp(ROTATE_IMMEDIATE);
    Frame(card, kFrame60, kX, kY);
    EXPECT_EQ(card.m_ppSheet, card.m_ppFaces);
    EXPECT_EQ(card.m_nFrame, 3);
    gametest::ExpectSheetIn(gametest::ReadPixels(pWin->m_pBackBuffer), CRect(kX, kY, kX + 128, kY + 128), "LEVEL0",
                            CRect(0, 384, 128, 512));
}

TEST_F(CardMouseTest, RandomStatesAreTheRuntimesRandomNumberModuloFive)
{
    std::set<int> up, down;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        srand(seed);
        const int r = rand();
        srand(seed);
        const int nUp = Card::RandomTurnUpState();
        EXPECT_EQ(nUp, r % 5 + 3);
        srand(seed);
        const int nDown = Card::RandomTurnDownState();
        EXPECT_EQ(nDown, r % 5 + 8);
        up.insert(nUp);
        down.insert(nDown);
        srand(seed);
        Card card(pWin);
        card.StartTurnUp(ROTATE_RANDOM);
        EXPECT_EQ(card.m_nState, r % 5 + 3);
    }
    EXPECT_EQ(up, (std::set<int>{3, 4, 5, 6, 7}));
    EXPECT_EQ(down, (std::set<int>{8, 9, 10, 11, 12}));
}

} // namespace
