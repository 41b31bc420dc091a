// What a frame puts in the back buffer for a card in each part of a turn, compared
// pixel by pixel with the sheets as the committed bitmaps hold them.
#include "CardTestSupport.h"

namespace {

using gametest::CardTest;
using gametest::ExpectBackgroundIn;
using gametest::ExpectSheetIn;
using gametest::ReadPixels;

struct CardPixelTest : CardTest {
    // A card of value 3 at (kX, kY) in `nState`, one frame that brings its time to t.
    gametest::Pixels FrameAt(int nState, float t)
    {
        Card card(pWin);
        card.m_nValue = 3;
        card.m_nState = nState;
        card.m_fTime = 0.0f;
        // Times chosen as sums of powers of two, so that t / 8 x 8 lands on t exactly.
        Frame(card, t / 8.0f, kX, kY);
        EXPECT_EQ(card.m_fTime, card.m_nState == nState ? t : 0.0f);
        return ReadPixels(pWin->m_pBackBuffer);
    }
    // The card's rectangle offset from its corner.
    static CRect At(int l, int t, int r, int b) { return CRect(kX + l, kY + t, kX + r, kY + b); }
    static inline const CRect kBack{0, 128, 128, 256};
    static inline const CRect kFace3{0, 384, 128, 512};
};

TEST_F(CardPixelTest, AClosingBackIsTheHighlightedBackSqueezedIntoItsBand)
{
    gametest::Pixels p = FrameAt(CARD_TURN_UP_VERTICAL, 0.5f);
    ExpectSheetIn(p, At(30, 0, 98, 128), "STOVE2", kBack);
    ExpectBackgroundIn(p, At(0, 0, 30, 128));
    ExpectBackgroundIn(p, At(98, 0, 128, 128));

    p = FrameAt(CARD_TURN_UP_HORIZONTAL, 0.75f);
    ExpectSheetIn(p, At(0, 45, 128, 83), "STOVE2", kBack);
    ExpectBackgroundIn(p, At(0, 0, 128, 45));
    ExpectBackgroundIn(p, At(0, 83, 128, 128));
}

TEST_F(CardPixelTest, TheEdgeStripsLieInColumnsOrRows60To68AtTheirOwnSize)
{
    gametest::Pixels p = FrameAt(CARD_TURN_UP_VERTICAL, 1.125f);
    ExpectSheetIn(p, At(60, 0, 68, 128), "STOVE2", CRect(0, 384, 8, 512));
    ExpectBackgroundIn(p, At(0, 0, 60, 128));
    ExpectBackgroundIn(p, At(68, 0, 128, 128));

    // HV: the horizontal strip first, then the vertical one.
    p = FrameAt(CARD_TURN_DOWN_HV, 1.125f);
    ExpectSheetIn(p, At(0, 60, 128, 68), "STOVE2", CRect(0, 384, 128, 392));
    ExpectBackgroundIn(p, At(0, 0, 128, 60));
    ExpectBackgroundIn(p, At(0, 68, 128, 128));
    p = FrameAt(CARD_TURN_DOWN_HV, 1.375f);
    ExpectSheetIn(p, At(60, 0, 68, 128), "STOVE2", CRect(0, 384, 8, 512));
    ExpectBackgroundIn(p, At(0, 0, 60, 128));
}

TEST_F(CardPixelTest, TheOtherSideOpensOutOfTheBandAndTheFaceStandsAfterTheTurn)
{
    // u = 0.5: the band 30 to 98.
    gametest::Pixels p = FrameAt(CARD_TURN_UP_VH, 2.0f);
    ExpectSheetIn(p, At(0, 30, 128, 98), "LEVEL0", kFace3);
    ExpectBackgroundIn(p, At(0, 0, 128, 30));
    ExpectBackgroundIn(p, At(0, 98, 128, 128));

    p = FrameAt(CARD_TURN_DOWN_SQUARE, 2.25f);
    ExpectSheetIn(p, At(15, 15, 113, 113), "STOVE2", kBack);
    ExpectBackgroundIn(p, At(0, 0, 128, 15));
    ExpectBackgroundIn(p, At(0, 113, 15, 128));

    p = FrameAt(CARD_TURN_UP_SQUARE, 3.0f);
    ExpectSheetIn(p, At(0, 0, 128, 128), "LEVEL0", kFace3);
    p = FrameAt(CARD_APPEAR, 3.0f);
    ExpectSheetIn(p, At(0, 0, 128, 128), "STOVE2", CRect(0, 0, 128, 128));
}

TEST_F(CardPixelTest, ASquareFaceClosesOnBothAxes)
{
    gametest::Pixels p = FrameAt(CARD_TURN_DOWN_SQUARE, 0.5f);
    ExpectSheetIn(p, At(30, 30, 98, 98), "LEVEL0", kFace3);
    ExpectBackgroundIn(p, At(0, 0, 30, 128));
    ExpectBackgroundIn(p, At(30, 0, 98, 30));
}

} // namespace
