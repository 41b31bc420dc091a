// The real program in a real X server: its window, its title and what it draws.
#include "support/BmpFiles.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string BinaryDir() { return std::getenv("MEMORY_BINARY_DIR"); }
std::string SourceDir() { return std::getenv("MEMORY_SOURCE_DIR"); }

// The background bitmap's pixel at (x, y), from the committed BMP.
bool BackgroundPixel(int x, int y, unsigned char rgb[3])
{
    static const std::vector<uint8_t> bmp = testsupport::ReadFile(SourceDir() + "/res/BKGR_FOIL.bmp");
    std::optional<uint32_t> colour = testsupport::BmpPixel(bmp, x, y);
    if (!colour)
        return false;
    rgb[0] = (unsigned char)(*colour >> 16);
    rgb[1] = (unsigned char)(*colour >> 8);
    rgb[2] = (unsigned char)*colour;
    return true;
}

TEST(GameWindow, OpensWithTheGameCaptionAndDrawsTheBackground)
{
    testsupport::XvfbSession x;
    ASSERT_TRUE(x.ok()) << "Xvfb did not start";
    int pid = x.Launch(BinaryDir() + "/memory", {}, BinaryDir());
    ASSERT_GT(pid, 0);

    std::string window = x.WaitForWindow("Memory|Valdmark", 20000);
    ASSERT_FALSE(window.empty()) << "no window appeared";
    testsupport::CommandResult title = x.X("xdotool getwindowname " + window);
    // The game renames the window "Memory Game" to its caption when it starts.
    EXPECT_NE(title.out.find("Valdmark Software, KV Memory: "), std::string::npos) << title.out;

    int wx = 0, wy = 0, ww = 0, wh = 0;
    ASSERT_TRUE(x.Geometry(window, &wx, &wy, &ww, &wh));

    // The client area is the bottom 544 by 404 of the window (the menu bar is above it).
    std::vector<unsigned char> shot;
    int sw = 0, sh = 0;
    bool matched = false;
    for (int attempt = 0; attempt < 50 && !matched; ++attempt) {
        ASSERT_TRUE(x.Screenshot(&shot, &sw, &sh));
        int clientX = wx + ww - 544;
        int clientY = wy + wh - 404;
        int hits = 0;
        // Points between and beside the cards' places, so they show the background in any state.
        const int points[][2] = {{533, 10}, {538, 200}, {532, 390}, {100, 397}, {300, 398}};
        for (const auto& p : points) {
            unsigned char want[3];
            ASSERT_TRUE(BackgroundPixel(p[0], p[1], want));
            const unsigned char* got = &shot[((size_t)(clientY + p[1]) * sw + (clientX + p[0])) * 3];
            if (std::abs(got[0] - want[0]) <= 8 && std::abs(got[1] - want[1]) <= 8 && std::abs(got[2] - want[2]) <= 8)
                ++hits;
        }
        matched = hits == 5;
        if (!matched)
            usleep(200000);
    }
    EXPECT_TRUE(matched) << "the client area does not show the background";

    // The menu's "E&xit" ends the program.
    x.X("xdotool windowfocus --sync " + window + " key --clearmodifiers alt+g x");
    EXPECT_EQ(x.WaitExit(pid, 10000), 0) << "a clean exit, not a crash (128 + signal) or a hang (-1)";
}

} // namespace
