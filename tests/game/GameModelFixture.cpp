#include "GameModelFixture.h"

#include "frame/DirectDrawWin.h"
#include "testing/ManualClock.h"
#include "testing/MessageBoxRecorder.h"

namespace gametest {

void ResetGameGlobals()
{
    g_nPitchX = g_nPitchY = 131;
    g_nOriginX = g_nBaseOriginX;
    g_nOriginY = g_nBaseOriginY;
    g_nRecordMs = 100000;
    const int values[12] = {0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5};
    for (int i = 0; i < 12; ++i) {
        g_anSlotValue[i] = values[i];
        g_abSlotFree[i] = 1;
    }
    g_nWaveDelay = 4;
    g_bWobble = 1;
    g_fRotateSpeed = 8.0f;
    g_bClockRunning = 0;
    g_dwGameStart = 0;
    g_nElapsedMs = 0;
    g_nCardsFinished = 0;
    g_nNextDealCard = 0;
    g_fDealAccum = 0.0f;
    g_dwPairShownAt = 0;
    g_nGameState = GS_ONE_UP;
    g_nIdleTicks = 0;
    g_nShimmerCount = 0;
    g_nFaceCycleCount = 0;
    g_nMouseFlags = 0;
    g_nMouseX = g_nMouseY = 0;
}

void GameModelTest::SetUp()
{
    GameWindowTest::SetUp();
    ResetGameGlobals();
    platform::testing::UseManualClock(true, kClockStartMs);
    win = Open();
    ASSERT_NE(win, nullptr);
    game = win->m_pGame;
    ASSERT_NE(game, nullptr);
    ASSERT_NE(win->m_pDSound, nullptr);
    sounds = std::make_unique<SoundLog>(win->m_pDSound);
}

void GameModelTest::TearDown()
{
    sounds.reset();
    GameWindowTest::TearDown();
    platform::testing::UseManualClock(false);
    ResetGameGlobals();
}

void GameModelTest::Frame(float dt)
{
    game->Update(&dt);
    game->Draw();
}

void GameModelTest::Frames(int n, float dt)
{
    for (int i = 0; i < n; ++i)
        Frame(dt);
}

void GameModelTest::PointAt(int k, UINT flags)
{
    g_nMouseFlags = flags;
    g_nMouseX = (k % 4) * g_nPitchX + g_nOriginX + 64;
    g_nMouseY = (k / 4) * g_nPitchY + g_nOriginY + 64;
    game->OnMouseMove();
}

void GameModelTest::PointAtNothing(UINT flags)
{
    g_nMouseFlags = flags;
    g_nMouseX = 2; // left of the first column
    g_nMouseY = 200;
    game->OnMouseMove();
}

void GameModelTest::ClickAt(int k)
{
    PointAt(k);
    game->OnLButtonDown();
}

void GameModelTest::Tick(int n)
{
    for (int i = 0; i < n; ++i)
        game->OnTimer();
}

void GameModelTest::TurnUpSecond(int k)
{
    ClickAt(k);
    Frames(20);
    Tick();
}

void GameModelTest::Deal()
{
    game->Start();
    ASSERT_EQ(g_nGameState, GS_DEALING);
    for (int i = 0; i < 1000 && g_nGameState == GS_DEALING; ++i)
        Frame();
    ASSERT_EQ(g_nGameState, GS_NONE_UP);
}

void GameModelTest::MatchAllPairs()
{
    for (int value = 0; value < 6; ++value) {
        std::vector<int> slots = SlotsOf(value);
        ClickAt(slots[0]);
        TurnUpSecond(slots[1]);
        ASSERT_EQ(g_nGameState, GS_NONE_UP) << "value " << value;
    }
}

std::vector<int> GameModelTest::SlotsOf(int value)
{
    std::vector<int> slots;
    for (int k = 0; k < 12; ++k)
        if (CardAt(k)->m_nValue == value)
            slots.push_back(k);
    return slots;
}

int GameModelTest::PartnerOf(int slot)
{
    for (int k : SlotsOf(CardAt(slot)->m_nValue))
        if (k != slot)
            return k;
    ADD_FAILURE() << "slot " << slot << " has no partner";
    return -1;
}

std::vector<int> GameModelTest::States()
{
    std::vector<int> states;
    for (int k = 0; k < 12; ++k)
        states.push_back(CardAt(k)->m_nState);
    return states;
}

std::string GameModelTest::Clock()
{
    char text[256] = "";
    GetWindowTextA(win->m_hWnd, text, sizeof(text));
    std::string title = text;
    std::string caption = g_pszCaption;
    if (title.compare(0, caption.size(), caption) != 0) {
        ADD_FAILURE() << "title without the caption: " << title;
        return title;
    }
    return title.substr(caption.size());
}

} // namespace gametest
