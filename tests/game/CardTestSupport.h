// Cards on a real main window: made directly with the window as owner, stepped and
// drawn one frame at a time the way the game model does it, and the back buffer read
// back to compare with the sprite sheets.
#pragma once
#include "GameTestSupport.h"

#include "game/Card.h"
#include "game/GameGlobals.h"

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

// Rectangles compared as CRect print as their four sides.
void PrintTo(const CRect& r, std::ostream* os);

namespace gametest {

// One frame at 60 frames a second, as the frame timer measures it.
inline constexpr float kFrame60 = 1.0f / 60.0f;

// What a builder or a step left: the sheet and both rectangles.
struct EffectDraw {
    LPDIRECTDRAWSURFACE* ppSheet;
    CRect rcSrc;
    CRect rcDst;
    bool operator==(const EffectDraw&) const = default;
};
EffectDraw EffectOf(const Card& card);
void PrintTo(const EffectDraw& d, std::ostream* os);

// The back buffer's pixels (0xRRGGBB), row by row.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> values;
    uint32_t At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};
Pixels ReadPixels(IDirectDrawSurface* surface);

struct CardTest : GameWindowTest {
    void SetUp() override;
    void TearDown() override;

    // The game's order within a frame: place and animate, then draw over the background.
    void Frame(Card& card, float fElapsed, int x, int y);
    void DrawOverBackground(AThing<MemWin*>& sprite);
    void MouseAt(int x, int y);

    // The board position where the test cards lie.
    static constexpr int kX = 139;
    static constexpr int kY = 136;

    MemWin* pWin = nullptr;

private:
    // The shared values the cards change, put back after each test.
    static auto SharedValues()
    {
        return std::tie(g_nMouseX, g_nMouseY, g_nGameState, g_nIdleTicks, g_nCardsFinished, g_nShimmerCount,
                        g_nFaceCycleCount, g_fRotateSpeed);
    }
    std::tuple<int, int, int, int, int, int, int, float> m_saved;
};

// Every pixel of dst in `pixels` is the nearest-neighbour sample of src in the named
// bitmap (res/<sheet>.bmp): destination pixel i takes source pixel i * srcSize / dstSize.
void ExpectSheetIn(const Pixels& pixels, const RECT& dst, const std::string& sheet, const RECT& src);
// Every pixel of r in `pixels` is the background's.
void ExpectBackgroundIn(const Pixels& pixels, const RECT& r);

} // namespace gametest
