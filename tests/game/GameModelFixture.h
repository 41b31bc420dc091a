// The game model on the real main window, made as the program makes it, with the
// manual clock, recorded message boxes and a log of the effects played.
#pragma once
#include "GameTestSupport.h"
#include "SoundLog.h"
#include "game/AGame.h"
#include "game/Card.h"
#include "game/GameGlobals.h"

#include <memory>
#include <string>
#include <vector>

namespace gametest {

// Every game-wide variable and the last mouse state back to their start values.
void ResetGameGlobals();

struct GameModelTest : GameWindowTest {
    static constexpr float kFrame = 1.0f / 60.0f;
    static constexpr uint64_t kClockStartMs = 5000;

    void SetUp() override;
    void TearDown() override;

    // One frame of the model as the window draws it, with a chosen frame time.
    void Frame(float dt = kFrame);
    void Frames(int n, float dt = kFrame);
    // The last mouse move: over the card in slot k (0 to 11) of the current layout, or over no card.
    void PointAt(int k, UINT flags = 0);
    void PointAtNothing(UINT flags = 0);
    // The left button going down over slot k.
    void ClickAt(int k);
    void Tick(int n = 1);
    // The second card of a pair clicked, its turn-up ended and the tick that compares the pair.
    void TurnUpSecond(int k);
    // "S&tart", then frames until the deal has ended.
    void Deal();
    // Turns up both cards of every pair, one pair after the other; the win needs one more tick.
    void MatchAllPairs();
    // The two slots holding a value.
    std::vector<int> SlotsOf(int value);
    int PartnerOf(int slot);
    Card* CardAt(int k) { return game->m_apCards[k]; }
    std::vector<int> States();
    // The window text behind the caption; fails when the caption does not lead it.
    std::string Clock();

    MemWin* win = nullptr;
    AGame* game = nullptr;
    std::unique_ptr<SoundLog> sounds;
};

} // namespace gametest
