// The palette loader and a palette resource that is too short to hold its 256 entries.
#include "GameTestSupport.h"

#include "testing/HiddenResources.h"
#include "testing/MessageBoxRecorder.h"

#include <vector>

namespace {

using PaletteResourceTest = gametest::GameWindowTest;

TEST_F(PaletteResourceTest, AShortPaletteIsReportedAsNotLoadedAndNeverRead)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    const int palettes = platform::testing::LiveDirectDrawObjects().palettes;
    // One entry short, in a block of its own size: reading 1024 bytes would run past it.
    platform::testing::ReplaceResource("IDR_PALETTE", "MYRT_PALETTE", std::vector<uint8_t>(1020, 0x40));
    platform::testing::ClearRecordedMessageBoxes();

    EXPECT_EQ(pWin->LoadPaletteResource(), nullptr);
    ASSERT_EQ(platform::testing::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::testing::RecordedMessageBoxes()[0].text, "Cann't load MYRT_PALETTE resource");
    pWin->LoadPalette();
    EXPECT_EQ(platform::testing::LiveDirectDrawObjects().palettes, palettes);

    // A full one of the same kind is taken.
    platform::testing::ReplaceResource("IDR_PALETTE", "MYRT_PALETTE", std::vector<uint8_t>(1024, 0x40));
    RGBQUAD* colors = pWin->LoadPaletteResource();
    ASSERT_NE(colors, nullptr);
    EXPECT_EQ(colors[255].rgbRed, 0x40);
}

} // namespace
