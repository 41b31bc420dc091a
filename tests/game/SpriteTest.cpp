// The sprite base: hit tests against the last drawn place, enter and leave, and the
// sprite draw with and without clipping; a card's construction and its draw by state.
#include "CardTestSupport.h"

#include "testing/DirectDrawSeams.h"

namespace {

using gametest::CardTest;
using gametest::EffectOf;
using gametest::ReadPixels;
using platform::testing::BlitRecord;
using platform::testing::RecordBlits;

// The blits recorded since RecordBlits(true); recording stops (which clears the record).
std::vector<BlitRecord> TakeBlits()
{
    std::vector<BlitRecord> blits = platform::testing::RecordedBlits();
    RecordBlits(false);
    return blits;
}

// A sprite that records its enter and leave calls and what it saw then.
struct ProbeSprite : AThing<MemWin*> {
    ProbeSprite(MemWin* pOwner, int nSize, int nFrame, LPDIRECTDRAWSURFACE* ppSheet) : AThing<MemWin*>(pOwner)
    {
        m_nWidth = m_nHeight = nSize;
        m_nFrame = nFrame;
        m_ppSheet = ppSheet;
    }
    void OnMouseEnter() override { calls.push_back(m_bMouseInside ? "enter(inside)" : "enter"); }
    void OnMouseLeave() override { calls.push_back(m_bMouseInside ? "leave(inside)" : "leave"); }
    std::vector<std::string> calls;
};

using SpriteTest = CardTest;

TEST_F(SpriteTest, ANewCardIsFaceDownOnTheFacesSheetWithNothingToDraw)
{
    Card card(pWin);
    EXPECT_EQ(card.m_nWidth, 128);
    EXPECT_EQ(card.m_nHeight, 128);
    EXPECT_EQ(card.m_nFrame, 0);
    EXPECT_EQ(card.m_pOwner, pWin);
    EXPECT_FALSE(card.m_bClip);
    EXPECT_EQ(card.m_dwBltFlags, 0u);
    EXPECT_FALSE(card.m_bMouseInside);
    EXPECT_EQ(card.m_ppFaces, &pWin->m_pFacesSurface);
    EXPECT_EQ(card.m_ppBacks, &pWin->m_pBacksSurface);
    EXPECT_EQ(card.m_ppSheet, card.m_ppFaces);
    EXPECT_EQ(card.m_nEdge, 8);
    EXPECT_EQ(card.m_nStripTop, 60);
    EXPECT_EQ(card.m_nStripBottom, 68);
    EXPECT_EQ(card.m_nState, CARD_FACE_DOWN);
    EXPECT_EQ(card.m_nShimmerTicks, 0);
    EXPECT_FALSE(card.m_bShimmer);
    EXPECT_EQ(card.m_fTime, 0.0f);
    EXPECT_EQ(CRect(card.m_rcSrc), CRect(0, 0, 0, 0));
    EXPECT_EQ(CRect(card.m_rcDst), CRect(0, 0, 0, 0));

    // Never drawn: no place on the board or around it hits the card.
    for (int y = -600; y <= 1000; y += 4)
        for (int x = -600; x <= 1000; x += 4) {
            MouseAt(x, y);
            ASSERT_FALSE(card.HitTest()) << x << ", " << y;
        }

    // An effect drawn before any builder ran blits the empty rectangles: nothing changes.
    card.m_nState = CARD_TURN_UP_SQUARE;
    DrawOverBackground(card);
    gametest::ExpectBackgroundIn(ReadPixels(pWin->m_pBackBuffer), CRect(0, 0, 540, 400));
}

TEST_F(SpriteTest, HitTestIsStrictOnAllFourSidesOfTheDrawnPlace)
{
    Card card(pWin);
    card.SetFaceUp();
    card.SetPos(8, 8);
    card.Draw();
    const int anOutside[] = {8, 136}, anInside[] = {9, 72, 135};
    for (int a : anInside)
        for (int b : anInside) {
            MouseAt(a, b);
            EXPECT_TRUE(card.HitTest()) << a << ", " << b;
        }
    for (int a : anOutside)
        for (int b : anInside) {
            MouseAt(a, b);
            EXPECT_FALSE(card.HitTest()) << a << ", " << b;
            MouseAt(b, a);
            EXPECT_FALSE(card.HitTest()) << b << ", " << a;
        }
    int nHits = 0;
    for (int y = 0; y < 404; ++y)
        for (int x = 0; x < 544; ++x) {
            MouseAt(x, y);
            nHits += card.HitTest();
        }
    EXPECT_EQ(nHits, 127 * 127);
}

TEST_F(SpriteTest, HitTestAnswersAtTheLastSpriteDrawUntilTheNextOne)
{
    Card card(pWin);
    card.SetFaceDown();
    card.SetPos(8, 5);
    card.Draw();
    card.SetPos(300, 200);
    EXPECT_EQ(card.m_xDrawn, 8);
    EXPECT_EQ(card.m_yDrawn, 5);
    MouseAt(70, 70);
    EXPECT_TRUE(card.HitTest());
    MouseAt(350, 250);
    EXPECT_FALSE(card.HitTest());

    // Effects, and a hidden card, draw without moving the place.
    card.m_nState = CARD_TURN_DOWN_HV;
    card.Draw();
    card.m_nState = CARD_HIDDEN;
    card.Draw();
    EXPECT_FALSE(card.HitTest());

    card.m_nState = CARD_FACE_UP;
    card.Draw();
    EXPECT_TRUE(card.HitTest());
    MouseAt(70, 70);
    EXPECT_FALSE(card.HitTest());
}

TEST_F(SpriteTest, HoverCallsEnterAndLeaveOnceEachBeforeChangingTheFlag)
{
    ProbeSprite sprite(pWin, 50, 0, &pWin->m_pBacksSurface);
    sprite.m_nHeight = 40;
    sprite.SetPos(100, 100);
    sprite.Draw();

    sprite.UpdateHover();
    MouseAt(120, 120);
    sprite.UpdateHover();
    sprite.UpdateHover();
    EXPECT_TRUE(sprite.m_bMouseInside);
    MouseAt(150, 120); // the right edge is outside
    sprite.UpdateHover();
    sprite.UpdateHover();
    EXPECT_FALSE(sprite.m_bMouseInside);
    EXPECT_EQ(sprite.calls, (std::vector<std::string>{"enter", "leave(inside)"}));
}

TEST_F(SpriteTest, TheSpriteDrawCopiesTheFrameUnscaledWithTheWaitFlagAdded)
{
    ProbeSprite sprite(pWin, 128, 2, &pWin->m_pBacksSurface);
    sprite.m_dwBltFlags = DDBLTFAST_SRCCOLORKEY;
    sprite.SetPos(-5, 30);
    RecordBlits(true);
    sprite.Draw();
    sprite.m_dwBltFlags = 0;
    sprite.SetPos(270, 136);
    sprite.Draw();
    const std::vector<BlitRecord> blits = TakeBlits();

    // Unclipped, a sprite off the buffer's edge is asked for all the same; the blit refuses it.
    ASSERT_EQ(blits.size(), 2u);
    const BlitRecord& off = blits[0];
    EXPECT_TRUE(off.fast);
    EXPECT_EQ(off.flags, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
    EXPECT_EQ(CRect(off.srcRect), CRect(0, 256, 128, 384));
    EXPECT_NE(off.result, DD_OK);
    EXPECT_EQ(sprite.m_xDrawn, 270);
    EXPECT_EQ(sprite.m_yDrawn, 136);

    const BlitRecord& on = blits[1];
    EXPECT_EQ(on.dest, pWin->m_pBackBuffer);
    EXPECT_EQ(on.src, pWin->m_pBacksSurface);
    EXPECT_EQ(on.flags, static_cast<DWORD>(DDBLTFAST_WAIT));
    EXPECT_EQ(CRect(on.destRect), CRect(270, 136, 398, 264));
    EXPECT_EQ(on.result, DD_OK);
    gametest::ExpectSheetIn(ReadPixels(pWin->m_pBackBuffer), CRect(270, 136, 398, 264), "STOVE2",
                            CRect(0, 256, 128, 384));
}

TEST_F(SpriteTest, TheClippedDrawCutsAtTheDisplayBoundsAndRecordsTheUnclippedPlace)
{
    ProbeSprite sprite(pWin, 128, 1, &pWin->m_pFacesSurface);
    sprite.m_bClip = true;
    const int nRight = pWin->m_rcDisplay.right, nBottom = pWin->m_rcDisplay.bottom;
    // The display rectangle's own left and top are not read.
    pWin->m_rcDisplay.left = 50;
    pWin->m_rcDisplay.top = 50;

    struct Case {
        int x, y;
        bool bDrawn;
        CRect rcDest, rcSrc;
    };
    const Case aCases[] = {
        {-20, 10, true, {0, 10, 108, 138}, {20, 128, 128, 256}},
        {nRight - 100, 10, true, {nRight - 100, 10, nRight, 138}, {0, 128, 100, 256}},
        {10, -30, true, {10, 0, 138, 98}, {0, 158, 128, 256}},
        {10, nBottom - 1, true, {10, nBottom - 1, 138, nBottom}, {0, 128, 128, 129}},
        {-20, -30, true, {0, 0, 108, 98}, {20, 158, 128, 256}},
        {-128, 10, false, {}, {}},
        {nRight, 10, false, {}, {}},
        {10, -128, false, {}, {}},
        {10, nBottom, false, {}, {}},
        {-127, -127, true, {0, 0, 1, 1}, {127, 255, 128, 256}},
    };
    for (const Case& c : aCases) {
        sprite.SetPos(c.x, c.y);
        RecordBlits(true);
        sprite.Draw();
        const std::vector<BlitRecord> blits = TakeBlits();
        EXPECT_EQ(sprite.m_xDrawn, c.x);
        EXPECT_EQ(sprite.m_yDrawn, c.y);
        ASSERT_EQ(blits.size(), c.bDrawn ? 1u : 0u) << c.x << ", " << c.y;
        if (!c.bDrawn)
            continue;
        const BlitRecord& r = blits[0];
        EXPECT_TRUE(r.fast);
        EXPECT_EQ(CRect(r.destRect), c.rcDest) << c.x << ", " << c.y;
        EXPECT_EQ(CRect(r.srcRect), c.rcSrc) << c.x << ", " << c.y;
    }
    pWin->m_rcDisplay.left = 0;
    pWin->m_rcDisplay.top = 0;

    // Crossing the left edge: the visible part of the face, at the buffer's left edge.
    sprite.SetPos(-20, 10);
    DrawOverBackground(sprite);
    const gametest::Pixels pixels = ReadPixels(pWin->m_pBackBuffer);
    gametest::ExpectSheetIn(pixels, CRect(0, 10, 108, 138), "LEVEL0", CRect(20, 128, 128, 256));
    gametest::ExpectBackgroundIn(pixels, CRect(108, 10, 120, 138));
}

TEST_F(SpriteTest, ACardDrawsItsFrameFaceUpOrDownAndTheEffectBlitOtherwise)
{
    Card card(pWin);
    card.m_nValue = 4;
    card.SetPos(kX, kY);
    RecordBlits(true);
    card.SetFaceUp();
    card.Draw();
    card.SetFaceDown();
    card.Draw();
    for (int nState : {3, 7, 12, 13, 14, 15, 16, -1}) {
        card.m_nState = nState;
        card.m_ppSheet = &pWin->m_pBacksSurface;
        card.m_rcSrc = RECT{0, 128, 128, 256};
        card.m_rcDst = RECT{kX + 10, kY, kX + 118, kY + 128};
        card.Draw();
    }
    card.m_nState = CARD_HIDDEN;
    card.Draw();
    const std::vector<BlitRecord> blits = TakeBlits();

    ASSERT_EQ(blits.size(), 10u);
    EXPECT_TRUE(blits[0].fast);
    EXPECT_EQ(blits[0].src, pWin->m_pFacesSurface);
    EXPECT_EQ(CRect(blits[0].srcRect), CRect(0, 512, 128, 640));
    EXPECT_TRUE(blits[1].fast);
    EXPECT_EQ(blits[1].src, pWin->m_pBacksSurface);
    EXPECT_EQ(CRect(blits[1].srcRect), CRect(0, 0, 128, 128));
    for (size_t i = 2; i < blits.size(); ++i) {
        EXPECT_FALSE(blits[i].fast) << i;
        EXPECT_EQ(blits[i].dest, pWin->m_pBackBuffer);
        EXPECT_EQ(blits[i].flags, static_cast<DWORD>(DDBLT_WAIT));
        EXPECT_EQ(CRect(blits[i].destRect), CRect(kX + 10, kY, kX + 118, kY + 128));
        EXPECT_EQ(CRect(blits[i].srcRect), CRect(0, 128, 128, 256));
    }
}

TEST_F(SpriteTest, ACardDrawsFromTheSheetTheWindowHoldsNow)
{
    Card card(pWin);
    card.SetFaceDown();
    card.SetPos(kX, kY);
    // The window's sheet fields swapped: the card follows without being told.
    std::swap(pWin->m_pFacesSurface, pWin->m_pBacksSurface);
    DrawOverBackground(card);
    std::swap(pWin->m_pFacesSurface, pWin->m_pBacksSurface);
    gametest::ExpectSheetIn(ReadPixels(pWin->m_pBackBuffer), CRect(kX, kY, kX + 128, kY + 128), "LEVEL0",
                            CRect(0, 0, 128, 128));
}

} // namespace
