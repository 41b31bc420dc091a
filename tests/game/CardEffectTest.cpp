// The flip effects: the rectangle builders' figures, the phases of the step table,
// whole turns at a steady frame rate, the ends and the count of finished cards, the
// vanish and the appear, and the shimmer of a hovered face-down card.
#include "CardTestSupport.h"

namespace {

using gametest::CardTest;
using gametest::EffectDraw;
using gametest::EffectOf;
using gametest::kFrame60;

typedef void (Card::*Builder)();

// A rectangle that no builder writes, to see whether one ran.
const RECT kUntouched = {-7, -7, -3, -3};

struct CardEffectTest : CardTest {
    // A card at (kX, kY) with face value 4, in `nState` at effect time t, rectangles untouched.
    void Prepare(Card& card, int nState, float t)
    {
        card.m_nValue = 4;
        card.SetPos(kX, kY);
        card.m_nState = nState;
        card.m_fTime = t;
        card.m_ppSheet = NULL;
        card.m_rcSrc = kUntouched;
        card.m_rcDst = kUntouched;
    }
    // What the builder gives for the same card and time.
    EffectDraw Built(Builder pBuild, float t)
    {
        Card twin(pWin);
        Prepare(twin, CARD_FACE_UP, t);
        (twin.*pBuild)();
        return EffectOf(twin);
    }
    EffectDraw Nothing() { return EffectDraw{NULL, CRect(kUntouched), CRect(kUntouched)}; }
    void Step(Card& card, float fElapsed)
    {
        card.SetPos(kX, kY);
        card.Animate(&fElapsed);
    }
};

TEST_F(CardEffectTest, BuildersGiveTheSheetAndRectanglesOfTheirFormulas)
{
    const int x = kX, y = kY;
    LPDIRECTDRAWSURFACE* const backs = &pWin->m_pBacksSurface;
    LPDIRECTDRAWSURFACE* const faces = &pWin->m_pFacesSurface;
    const CRect back(0, 128, 128, 256), face(0, 512, 128, 640);
    struct Case {
        const char* name;
        Builder pBuild;
        float t;
        EffectDraw expected;
    };
    const Case aCases[] = {
        // 60 x 0.51 = 30.6: the near side 30, the far side trunc(128 - 30.6) = 97, not 128 - 30.
        {"BackCloseH", &Card::BackCloseH, 0.51f, {backs, back, {x + 30, y, x + 97, y + 128}}},
        {"BackCloseV", &Card::BackCloseV, 0.51f, {backs, back, {x, y + 30, x + 128, y + 97}}},
        {"BackCloseSquare", &Card::BackCloseSquare, 0.51f, {backs, back, {x + 30, y + 30, x + 97, y + 97}}},
        {"FaceCloseH", &Card::FaceCloseH, 0.0f, {faces, face, {x, y, x + 128, y + 128}}},
        {"FaceCloseV", &Card::FaceCloseV, 1.0f, {faces, face, {x, y + 60, x + 128, y + 68}}},
        {"FaceCloseSquare", &Card::FaceCloseSquare, 0.5f, {faces, face, {x + 30, y + 30, x + 98, y + 98}}},
        // u = 0.51: 60 - 30.6 and 68 + 30.6 truncated.
        {"BackOpenV", &Card::BackOpenV, 2.01f, {backs, back, {x, y + 29, x + 128, y + 98}}},
        {"BackOpenH", &Card::BackOpenH, 1.5f, {backs, back, {x + 60, y, x + 68, y + 128}}},
        {"BackOpenSquare", &Card::BackOpenSquare, 2.5f, {backs, back, {x, y, x + 128, y + 128}}},
        {"FaceOpenV", &Card::FaceOpenV, 2.5f, {faces, face, {x, y, x + 128, y + 128}}},
        {"FaceOpenH", &Card::FaceOpenH, 2.01f, {faces, face, {x + 29, y, x + 98, y + 128}}},
        {"FaceOpenSquare", &Card::FaceOpenSquare, 1.5f, {faces, face, {x + 60, y + 60, x + 68, y + 68}}},
        {"EdgeH", &Card::EdgeH, 1.1f, {backs, {0, 384, 128, 392}, {x, y + 60, x + 128, y + 68}}},
        {"EdgeV", &Card::EdgeV, 1.3f, {backs, {0, 384, 8, 512}, {x + 60, y, x + 68, y + 128}}},
    };
    for (const Case& c : aCases) {
        Card card(pWin);
        Prepare(card, CARD_TURN_UP_HV, c.t);
        card.m_nFrame = 3;
        (card.*c.pBuild)();
        EXPECT_EQ(EffectOf(card), c.expected) << c.name;
        // A builder writes the sheet and the rectangles and nothing else.
        EXPECT_EQ(card.m_nFrame, 3) << c.name;
        EXPECT_EQ(card.m_nState, CARD_TURN_UP_HV) << c.name;
        EXPECT_EQ(card.m_fTime, c.t) << c.name;
    }
}

TEST_F(CardEffectTest, NoBuilderGivesAnEmptyOrInvertedBandWithinItsPhase)
{
    const Builder apClose[] = {&Card::BackCloseH, &Card::FaceCloseV, &Card::BackCloseSquare};
    const Builder apOpen[] = {&Card::FaceOpenH, &Card::BackOpenV, &Card::FaceOpenSquare};
    for (int i = 0; i <= 1000; ++i) {
        const float tClose = (float)i / 1000.0f, tOpen = 1.5f + tClose;
        for (int k = 0; k < 3; ++k)
            for (const EffectDraw& d : {Built(apClose[k], tClose), Built(apOpen[k], tOpen)}) {
                const CRect r = d.rcDst;
                ASSERT_TRUE(r.Width() >= 8 && r.Height() >= 8) << i;
                ASSERT_TRUE(r.left >= kX && r.top >= kY && r.right <= kX + 128 && r.bottom <= kY + 128) << i;
            }
    }
}

// The builders each effect's phases take, from the step table.
struct Phases {
    int nState;
    Builder pClose, pFirstEdge, pSecondEdge, pOpen;
    int nEndState;
};
const Phases kTurns[] = {
    {CARD_TURN_UP_VERTICAL, &Card::BackCloseH, &Card::EdgeV, &Card::EdgeV, &Card::FaceOpenH, CARD_FACE_UP},
    {CARD_TURN_UP_HORIZONTAL, &Card::BackCloseV, &Card::EdgeH, &Card::EdgeH, &Card::FaceOpenV, CARD_FACE_UP},
    {CARD_TURN_UP_VH, &Card::BackCloseH, &Card::EdgeV, &Card::EdgeH, &Card::FaceOpenV, CARD_FACE_UP},
    {CARD_TURN_UP_HV, &Card::BackCloseV, &Card::EdgeH, &Card::EdgeV, &Card::FaceOpenH, CARD_FACE_UP},
    {CARD_TURN_UP_SQUARE, &Card::BackCloseSquare, NULL, NULL, &Card::FaceOpenSquare, CARD_FACE_UP},
    {CARD_TURN_DOWN_VERTICAL, &Card::FaceCloseH, &Card::EdgeV, &Card::EdgeV, &Card::BackOpenH, CARD_FACE_DOWN},
    {CARD_TURN_DOWN_HORIZONTAL, &Card::FaceCloseV, &Card::EdgeH, &Card::EdgeH, &Card::BackOpenV, CARD_FACE_DOWN},
    {CARD_TURN_DOWN_VH, &Card::FaceCloseH, &Card::EdgeV, &Card::EdgeH, &Card::BackOpenV, CARD_FACE_DOWN},
    {CARD_TURN_DOWN_HV, &Card::FaceCloseV, &Card::EdgeH, &Card::EdgeV, &Card::BackOpenH, CARD_FACE_DOWN},
    {CARD_TURN_DOWN_SQUARE, &Card::FaceCloseSquare, NULL, NULL, &Card::BackOpenSquare, CARD_FACE_DOWN},
    {CARD_VANISH, &Card::BackCloseH, &Card::EdgeV, &Card::EdgeV, NULL, CARD_HIDDEN},
    {CARD_APPEAR, &Card::EdgeV, &Card::EdgeV, &Card::EdgeV, &Card::BackOpenH, CARD_FACE_DOWN},
};

TEST_F(CardEffectTest, EachStateTakesThePhaseOfTheTableAtTheThresholds)
{
    for (const Phases& ph : kTurns) {
        const struct {
            float t;
            Builder pBuild;
        } aCases[] = {
            {0.0f, ph.pClose},      {1.0f, ph.pClose},      {1.0000001f, ph.pFirstEdge}, {1.2499999f, ph.pFirstEdge},
            {1.25f, ph.pSecondEdge}, {1.4999999f, ph.pSecondEdge}, {1.5f, ph.pOpen},     {2.5f, ph.pOpen},
        };
        for (const auto& c : aCases) {
            if (ph.nState == CARD_VANISH && c.t >= 1.5f)
                continue;
            Builder pBuild = c.pBuild;
            if (ph.nState == CARD_APPEAR && c.t == 1.5f)
                pBuild = &Card::EdgeV; // the appear shows the strip up to 1.5 included
            Card card(pWin);
            Prepare(card, ph.nState, c.t);
            g_nCardsFinished = 0;
            Step(card, 0.0f);
            EXPECT_EQ(EffectOf(card), pBuild ? Built(pBuild, c.t) : Nothing()) << ph.nState << " at " << c.t;
            EXPECT_EQ(card.m_nState, ph.nState) << ph.nState << " at " << c.t;
            EXPECT_EQ(g_nCardsFinished, 0);
        }
        // Just past 2.5 the effect ends with no builder (the vanish ends at 1.5).
        Card card(pWin);
        const float tEnd = ph.nState == CARD_VANISH ? 1.5f : 2.5000002f;
        Prepare(card, ph.nState, tEnd);
        g_nCardsFinished = 0;
        Step(card, 0.0f);
        EXPECT_EQ(card.m_nState, ph.nEndState) << ph.nState;
        EXPECT_EQ(card.m_fTime, 0.0f) << ph.nState;
        EXPECT_EQ(g_nCardsFinished, 1) << ph.nState;
        EXPECT_EQ(CRect(card.m_rcDst), CRect(kUntouched)) << ph.nState;
    }
}

TEST_F(CardEffectTest, ASteadySixtiethAtSpeedEightTurnsIn7Close4Edge7OpenFramesAndEndsOnThe19th)
{
    for (const Phases& ph : kTurns) {
        if (ph.nState == CARD_VANISH || ph.nState == CARD_APPEAR)
            continue;
        Card card(pWin);
        Prepare(card, ph.nState, 0.0f);
        g_nCardsFinished = 0;
        std::vector<EffectDraw> frames;
        int nFrames = 0;
        while (card.m_nState == ph.nState && nFrames < 100) {
            Step(card, kFrame60);
            ++nFrames;
            frames.push_back(EffectOf(card));
        }
        EXPECT_EQ(nFrames, 19) << ph.nState;
        EXPECT_EQ(card.m_nState, ph.nEndState);
        EXPECT_EQ(g_nCardsFinished, 1);
        ASSERT_EQ(frames.size(), 19u);
        // Which builder made each frame, by the sheet and the source band.
        auto side = [&](const EffectDraw& d) {
            if (d.ppSheet == card.m_ppFaces)
                return 'F';
            return d.rcSrc.top == 384 ? 'E' : 'B';
        };
        std::string seen;
        for (int i = 0; i < 18; ++i)
            seen += side(frames[i]);
        const bool bUp = ph.nEndState == CARD_FACE_UP, bSquare = ph.pFirstEdge == NULL;
        const std::string closing(7, bUp ? 'B' : 'F'), opening(7, bUp ? 'F' : 'B');
        EXPECT_EQ(seen, closing + std::string(4, bSquare ? closing[0] : 'E') + opening) << ph.nState;
        if (bSquare) {
            // The middle frames repeat the seventh frame's square, 56 to 72 on both axes.
            for (int i = 6; i <= 10; ++i)
                EXPECT_EQ(frames[i].rcDst, CRect(kX + 56, kY + 56, kX + 72, kY + 72)) << i;
        }
    }
}

TEST_F(CardEffectTest, ASquareEffectStartedInItsMiddleDrawsWhatThePreviousBuilderLeft)
{
    Card card(pWin);
    Prepare(card, CARD_TURN_UP_SQUARE, 1.1f);
    card.EdgeH();
    const EffectDraw before = EffectOf(card);
    Step(card, kFrame60);
    EXPECT_EQ(EffectOf(card), before);
}

TEST_F(CardEffectTest, ALongFrameEndsAnyEffectAtOnceWithoutABuilderAndCountsItOnce)
{
    for (const Phases& ph : kTurns) {
        Card card(pWin);
        Prepare(card, ph.nState, 0.0f);
        g_nCardsFinished = 5;
        Step(card, 1.0f);
        EXPECT_EQ(card.m_nState, ph.nEndState) << ph.nState;
        EXPECT_EQ(g_nCardsFinished, 6) << ph.nState;
        EXPECT_EQ(CRect(card.m_rcSrc), CRect(kUntouched)) << ph.nState;
        EXPECT_EQ(CRect(card.m_rcDst), CRect(kUntouched)) << ph.nState;
        Step(card, 1.0f);
        Step(card, kFrame60);
        EXPECT_EQ(g_nCardsFinished, 6) << ph.nState;
        EXPECT_EQ(card.m_nState, ph.nEndState) << ph.nState;
    }
}

TEST_F(CardEffectTest, AnEffectReplacedMidwayNeverEndsNorCounts)
{
    Card card(pWin);
    Prepare(card, CARD_TURN_UP_HORIZONTAL, 0.0f);
    g_nCardsFinished = 0;
    for (int i = 0; i < 10; ++i)
        Step(card, kFrame60);
    // The idle flash starts a turn-down on a card still turning up.
    card.m_fTime = 0.0f;
    card.m_nState = CARD_TURN_DOWN_VERTICAL;
    for (int i = 0; i < 40; ++i)
        Step(card, kFrame60);
    EXPECT_EQ(card.m_nState, CARD_FACE_DOWN);
    EXPECT_EQ(g_nCardsFinished, 1);

    card.StartTurnUp(0);
    for (int i = 0; i < 10; ++i)
        Step(card, kFrame60);
    card.SetFaceDown();
    for (int i = 0; i < 40; ++i)
        Step(card, kFrame60);
    EXPECT_EQ(g_nCardsFinished, 1);
}

TEST_F(CardEffectTest, TheVanishEndsAtExactly1Point5AndTheHiddenCardOnlyAgesAfterwards)
{
    Card card(pWin);
    Prepare(card, CARD_VANISH, 1.0f);
    card.EdgeV();
    const EffectDraw before = EffectOf(card);
    g_nCardsFinished = 0;
    Step(card, 0.0625f); // 1.0 + 0.0625 x 8 = 1.5 exactly
    EXPECT_EQ(card.m_nState, CARD_HIDDEN);
    EXPECT_EQ(g_nCardsFinished, 1);
    EXPECT_EQ(card.m_fTime, 0.0f);
    EXPECT_EQ(EffectOf(card), before);

    Step(card, 0.25f);
    EXPECT_EQ(card.m_fTime, 2.0f);
    EXPECT_EQ(card.m_nState, CARD_HIDDEN);
    EXPECT_EQ(EffectOf(card), before);
    EXPECT_EQ(g_nCardsFinished, 1);
    DrawOverBackground(card);
    gametest::ExpectBackgroundIn(gametest::ReadPixels(pWin->m_pBackBuffer), CRect(kX, kY, kX + 128, kY + 128));
}

TEST_F(CardEffectTest, TheUnnamedFourteenOnlyAdvancesTheTime)
{
    Card card(pWin);
    Prepare(card, 14, 0.25f);
    card.m_nFrame = 2;
    g_nCardsFinished = 0;
    g_fRotateSpeed = 3.0f;
    Step(card, 0.5f);
    EXPECT_EQ(card.m_fTime, 1.75f);
    for (int i = 0; i < 10; ++i)
        Step(card, 1.0f);
    EXPECT_EQ(card.m_fTime, 31.75f);
    EXPECT_EQ(card.m_nState, 14);
    EXPECT_EQ(card.m_nFrame, 2);
    EXPECT_EQ(EffectOf(card), Nothing());
    EXPECT_EQ(g_nCardsFinished, 0);
}

TEST_F(CardEffectTest, TheTimeAdvancesByTheRoundedProductOfFrameTimeAndSpeed)
{
    // Chosen so that a fused multiply-add, or the sum in double precision, gives one
    // unit in the last place more: 1.3 + 3 x 0.0100318 is 0x1.54812p+0 step by step.
    Card card(pWin);
    Prepare(card, 14, 1.3f);
    g_fRotateSpeed = 3.0f;
    Step(card, 0x1.48b8d6p-7f);
    EXPECT_EQ(card.m_fTime, 0x1.54812p+0f);
}

struct ShimmerTest : CardEffectTest {
    void SetUp() override
    {
        CardEffectTest::SetUp();
        card = std::make_unique<Card>(pWin);
        card->SetFaceDown();
        Frame(*card, kFrame60, kX, kY);
        g_nShimmerCount = 0;
        MouseAt(kX + 64, kY + 64);
    }
    int HoveredFrame()
    {
        Frame(*card, kFrame60, kX, kY);
        return card->m_nFrame;
    }
    std::unique_ptr<Card> card;
};

TEST_F(ShimmerTest, TheHighlightedBackShows150FramesThenTheSharedCycleRuns)
{
    for (int i = 1; i <= 150; ++i) {
        ASSERT_EQ(HoveredFrame(), 1) << i;
        ASSERT_EQ(card->m_nShimmerTicks, i);
        ASSERT_FALSE(card->m_bShimmer);
    }
    EXPECT_EQ(g_nShimmerCount, 0);
    EXPECT_EQ(HoveredFrame(), 1);
    EXPECT_TRUE(card->m_bShimmer);
    EXPECT_EQ(card->m_nShimmerTicks, 0);
    EXPECT_EQ(g_nShimmerCount, 1);

    // Frame by count: unchanged to 40, the plain back 41..50, the highlighted back
    // 51..60, the shimmer back at 61, which starts the count again.
    std::string frames;
    for (int c = 2; c <= 61 + 40; ++c)
        frames += char('0' + HoveredFrame());
    EXPECT_EQ(frames, std::string(39, '1') + std::string(10, '0') + std::string(10, '1') + std::string(41, '2'));
    EXPECT_EQ(g_nShimmerCount, 40);
    gametest::ExpectSheetIn(gametest::ReadPixels(pWin->m_pBackBuffer), CRect(kX, kY, kX + 128, kY + 128), "STOVE2",
                            CRect(0, 256, 128, 384));

    // Off the card: the plain back, the count and the flag as they were.
    MouseAt(0, 0);
    EXPECT_EQ(HoveredFrame(), 0);
    EXPECT_EQ(g_nShimmerCount, 40);
    EXPECT_TRUE(card->m_bShimmer);
}

TEST_F(ShimmerTest, CountsFiftyAndSixtyLeaveTheFrameAsItWas)
{
    card->m_bShimmer = true;
    card->m_bMouseInside = true; // no entry to clear the flag
    card->m_nFrame = 2;
    g_nShimmerCount = 49;
    EXPECT_EQ(HoveredFrame(), 2);
    g_nShimmerCount = 59;
    card->m_nFrame = 0;
    EXPECT_EQ(HoveredFrame(), 0);
    EXPECT_EQ(g_nShimmerCount, 60);
    EXPECT_EQ(HoveredFrame(), 2);
    EXPECT_EQ(g_nShimmerCount, 0);
}

TEST_F(ShimmerTest, ACardTurnedFaceDownUnderTheMouseGetsNoEntry)
{
    card->SetFaceUp();
    card->m_nShimmerTicks = 100;
    EXPECT_EQ(HoveredFrame(), 0);
    EXPECT_TRUE(card->m_bMouseInside);
    card->SetFaceDown();
    g_nIdleTicks = 3;
    EXPECT_EQ(HoveredFrame(), 0); // the plain back: no entry showed the highlighted one
    EXPECT_EQ(card->m_nShimmerTicks, 101);
    EXPECT_EQ(g_nIdleTicks, 3);

    // With the flag still set from an earlier hover it shimmers at once.
    card->m_bShimmer = true;
    g_nShimmerCount = 60;
    EXPECT_EQ(HoveredFrame(), 2);
    EXPECT_EQ(g_nShimmerCount, 0);
}

} // namespace
