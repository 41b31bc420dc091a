// A film strip of every flip effect for people to look at: one row per effect, one
// cell per frame at 60 frames a second and the starting speed, into card-effects.png
// in the build folder. Rows from the top: turn-up vertical, horizontal, VH, HV, square;
// turn-down vertical, horizontal, VH, HV, square; vanish; appear.
#include "CardTestSupport.h"

#include "PngFile.h"

#include <cstdlib>

namespace {

using gametest::CardTest;

using CardFilmStripTest = CardTest;

TEST_F(CardFilmStripTest, WritesEveryEffectFrameByFrame)
{
    const int anStates[] = {CARD_TURN_UP_VERTICAL,   CARD_TURN_UP_HORIZONTAL,   CARD_TURN_UP_VH,
                            CARD_TURN_UP_HV,         CARD_TURN_UP_SQUARE,       CARD_TURN_DOWN_VERTICAL,
                            CARD_TURN_DOWN_HORIZONTAL, CARD_TURN_DOWN_VH,       CARD_TURN_DOWN_HV,
                            CARD_TURN_DOWN_SQUARE,   CARD_VANISH,               CARD_APPEAR};
    const int kMargin = 6, kCell = 128 + 2 * kMargin, kGap = 4, kColumns = 20;
    const int nRows = static_cast<int>(std::size(anStates));
    const int nWidth = kGap + kColumns * (kCell + kGap), nHeight = kGap + nRows * (kCell + kGap);
    std::vector<uint32_t> strip(static_cast<size_t>(nWidth) * nHeight, 0x202020);

    for (int row = 0; row < nRows; ++row) {
        Card card(pWin);
        card.m_nValue = row % 6;
        card.m_nState = anStates[row];
        card.m_fTime = 0.0f;
        // Frames until the effect has ended, and the one that shows the card at rest.
        for (int col = 0; col < kColumns; ++col) {
            const bool bEnded = card.m_nState != anStates[row];
            Frame(card, gametest::kFrame60, kX, kY);
            const gametest::Pixels pixels = gametest::ReadPixels(pWin->m_pBackBuffer);
            for (int y = 0; y < kCell; ++y)
                for (int x = 0; x < kCell; ++x)
                    strip[static_cast<size_t>(kGap + row * (kCell + kGap) + y) * nWidth + kGap + col * (kCell + kGap) +
                          x] = pixels.At(kX - kMargin + x, kY - kMargin + y);
            if (bEnded)
                break;
        }
    }

    const std::string path = std::string(std::getenv("MEMORY_BINARY_DIR")) + "/card-effects.png";
    ASSERT_TRUE(pngfile::WritePng(path, nWidth, nHeight,
                                  [&](int x, int y) { return strip[static_cast<size_t>(y) * nWidth + x]; }));
}

} // namespace
