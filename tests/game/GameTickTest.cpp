// The idle flash, the hint, the level change and the lookups of the game model.
#include "GameModelFixture.h"

#include "game/AGame.h"
#include "support/DirectDrawTestSupport.h"

#include <cstdlib>

namespace {

using gametest::BitmapPixel;

struct GameTickTest : gametest::GameModelTest {
    void SetUp() override
    {
        GameModelTest::SetUp();
        Deal();
    }
};

TEST_F(GameTickTest, TheIdleFlashComesOnThe81stTickOnlyWhileNoCardIsFaceUp)
{
    PointAt(6);
    g_nIdleTicks = 0;
    Tick(80);
    EXPECT_EQ(States(), std::vector<int>(12, CARD_FACE_DOWN)) << "not on the 80th tick";
    CardAt(6)->m_fTime = 0.7f;
    Tick();
    EXPECT_EQ(g_nIdleTicks, 0);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(CardAt(k)->m_nState, k == 6 ? CARD_TURN_DOWN_VERTICAL : CARD_FACE_DOWN) << "card " << k;
    EXPECT_EQ(CardAt(6)->m_fTime, 0.0f);
    Frames(30);

    // Over no card: a card drawn from rand, and its partner.
    PointAtNothing();
    srand(9);
    const int drawn = rand() % 12;
    srand(9);
    Tick(81);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(CardAt(k)->m_nState, k == drawn || k == PartnerOf(drawn) ? CARD_TURN_DOWN_VERTICAL : CARD_FACE_DOWN)
            << "card " << k;
    Frames(30);

    // A card face up: nothing flashes, and the count starts again.
    ClickAt(0);
    Frames(30);
    ASSERT_EQ(CardAt(0)->m_nState, CARD_FACE_UP);
    PointAtNothing();
    Tick(81);
    EXPECT_EQ(g_nIdleTicks, 0);
    for (int k = 1; k < 12; ++k)
        EXPECT_EQ(CardAt(k)->m_nState, CARD_FACE_DOWN) << "card " << k;
}

TEST_F(GameTickTest, AFirstCardThatTheFlashTurnedDownIsTurnedUpAgainNotPairedWithItself)
{
    g_fRotateSpeed = 1.0f; // a turn of 2.5 s
    ClickAt(4);
    PointAt(4);
    Tick(81);
    ASSERT_EQ(CardAt(4)->m_nState, CARD_TURN_DOWN_VERTICAL) << "no face up: the first card under the mouse flashes";
    Frames(200);
    ASSERT_EQ(CardAt(4)->m_nState, CARD_FACE_DOWN);
    win->m_bSoundOn = 1;
    ClickAt(4);
    EXPECT_EQ(g_nGameState, GS_ONE_UP);
    EXPECT_EQ(game->m_pFirst, CardAt(4));
    EXPECT_EQ(game->m_pSecond, nullptr);
    EXPECT_EQ(CardAt(4)->m_nState, CARD_TURN_UP_VERTICAL);
    EXPECT_EQ(sounds->Take(), std::vector<std::string>{"Tsik"});
    ClickAt(PartnerOf(4));
    EXPECT_EQ(g_nGameState, GS_TWO_UP);
    EXPECT_EQ(game->m_pSecond, CardAt(PartnerOf(4)));
}

TEST_F(GameTickTest, TheHintShowsTheFirstCardsPartnerUntilTheButtonGoesUp)
{
    game->ShowHint();
    EXPECT_EQ(game->m_pHintCard, nullptr) << "only while one card is up";
    ClickAt(0);
    const int partner = PartnerOf(0);
    game->ShowHint();
    EXPECT_EQ(game->m_pHintCard, CardAt(partner));
    EXPECT_EQ(CardAt(partner)->m_nState, CARD_FACE_UP);

    game->HideHint();
    EXPECT_EQ(CardAt(partner)->m_nState, CARD_FACE_DOWN);
    EXPECT_EQ(game->m_pHintCard, CardAt(partner)) << "HideHint keeps the card";
    game->ShowHint();
    game->OnLButtonUp();
    EXPECT_EQ(CardAt(partner)->m_nState, CARD_FACE_DOWN);
    EXPECT_EQ(game->m_pHintCard, nullptr);
    game->OnLButtonUp(); // without a hint card: nothing
    EXPECT_EQ(CardAt(partner)->m_nState, CARD_FACE_DOWN);
}

TEST_F(GameTickTest, ANewGameForgetsTheHintSoTheButtonGoingUpCannotStallTheDeal)
{
    ClickAt(0);
    const int partner = PartnerOf(0);
    game->ShowHint();
    ASSERT_EQ(game->m_pHintCard, CardAt(partner));
    game->Start();
    EXPECT_EQ(game->m_pHintCard, nullptr);
    EXPECT_EQ(CardAt(partner)->m_nState, CARD_FACE_UP) << "Start changes no card";
    while (g_nNextDealCard <= partner)
        Frame(0.05f);
    ASSERT_EQ(CardAt(partner)->m_nState, CARD_TURN_DOWN_VERTICAL);
    game->OnLButtonUp();
    EXPECT_EQ(CardAt(partner)->m_nState, CARD_TURN_DOWN_VERTICAL) << "the dealt effect runs on";
    Frames(30, 0.05f);
    EXPECT_EQ(g_nGameState, GS_NONE_UP);
}

TEST_F(GameTickTest, LookupsStayInsideTheCardsAndAPartnerIsNeverTheCardItself)
{
    EXPECT_EQ(game->GetCardAt(-1), nullptr);
    EXPECT_EQ(game->GetCardAt(12), nullptr);
    EXPECT_EQ(game->GetCardAt(11), CardAt(11));
    for (int k = 0; k < 12; ++k) {
        Card* partner = game->FindPartner(CardAt(k));
        ASSERT_NE(partner, nullptr);
        EXPECT_NE(partner, CardAt(k));
        EXPECT_EQ(partner->m_nValue, CardAt(k)->m_nValue);
    }
    EXPECT_EQ(game->CardUnderMouse(), nullptr) << "the mouse at 0, 0";
    PointAt(9);
    EXPECT_EQ(game->CardUnderMouse(), CardAt(9));
    EXPECT_TRUE(game->IsNoneFaceUp());
    EXPECT_FALSE(game->IsNoneFaceDown());
}

TEST_F(GameTickTest, ALevelChangeReloadsTheOneFaceSheetAndMovesToItsState)
{
    game->Start();
    game->ChangeLevel();
    EXPECT_EQ(g_nGameState, GS_DEALING) << "nothing while dealing";
    Frames(100);
    ASSERT_EQ(g_nGameState, GS_NONE_UP);

    testsupport::Paint(win->m_pFacesSurface, [](int, int) { return 0x123456u; });
    g_nOriginX = 10;
    game->ChangeLevel();
    EXPECT_EQ(g_nGameState, GS_LEVEL_CHANGED);
    EXPECT_EQ(game->m_nDealMode, DEAL_LEVEL_CHANGED);
    EXPECT_EQ(game->m_nLevel, 0);
    EXPECT_EQ(g_nOriginX, 8);
    EXPECT_EQ(testsupport::PixelAt(win->m_pFacesSurface, 64, 300), BitmapPixel("LEVEL0", 64, 300).value());
    game->Start();
    EXPECT_EQ(g_nGameState, GS_LEVEL_CHANGED) << "Start refuses a level change";

    testsupport::Paint(win->m_pFacesSurface, [](int, int) { return 0x123456u; });
    g_nMouseFlags = MK_SHIFT;
    game->ChangeLevel();
    EXPECT_EQ(g_nGameState, GS_BROWSE);
    EXPECT_EQ(game->m_nLevel, 0);
    EXPECT_EQ(testsupport::PixelAt(win->m_pFacesSurface, 64, 700), BitmapPixel("LEVEL0", 64, 700).value());
}

} // namespace
