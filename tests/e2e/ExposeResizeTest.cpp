// The window shows the last frame presented, also when the game presents nothing new: a
// board at rest after another window went over it and away, and after resizes, read from
// the screen pixel by pixel.
#include "GameScreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    bool operator==(const Image&) const = default;
};

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class ExposeResizeTest : public ::testing::Test {
protected:
    e2e::GameScreen screen;

    // The client area as the screen shows it: the window under its menu bar.
    bool Client(Image* image)
    {
        int wx = 0, wy = 0, ww = 0, wh = 0, sw = 0, sh = 0;
        std::vector<unsigned char> shot;
        if (!screen.X().Geometry(screen.Window(), &wx, &wy, &ww, &wh) || !screen.X().Screenshot(&shot, &sw, &sh))
            return false;
        image->width = ww;
        image->height = wh - screen.MenuBarHeight();
        const int top = wy + screen.MenuBarHeight();
        if (wx < 0 || top < 0 || wx + ww > sw || wy + wh > sh || image->height <= 0)
            return false;
        image->rgb.clear();
        for (int y = 0; y < image->height; ++y) {
            const unsigned char* row = &shot[(static_cast<size_t>(top + y) * sw + wx) * 3];
            image->rgb.insert(image->rgb.end(), row, row + static_cast<size_t>(ww) * 3);
        }
        return true;
    }

    // Waits until the client area shows the same pixels in three screenshots in a row.
    bool Still(Image* image, int timeoutMs)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        Image last;
        int same = 0;
        while (Clock::now() < end) {
            Image now;
            if (Client(&now)) {
                same = now == last ? same + 1 : 0;
                last = std::move(now);
                if (same >= 2) {
                    *image = last;
                    return true;
                }
            }
            Pause(150);
        }
        return false;
    }

    // Pixels of `got` that differ from `want`; every pixel when the sizes differ.
    static size_t Differing(const Image& got, const Image& want)
    {
        if (got.width != want.width || got.height != want.height)
            return static_cast<size_t>(std::max(got.width * got.height, want.width * want.height));
        size_t n = 0;
        for (size_t i = 0; i < got.rgb.size(); i += 3)
            n += got.rgb[i] != want.rgb[i] || got.rgb[i + 1] != want.rgb[i + 1] || got.rgb[i + 2] != want.rgb[i + 2];
        return n;
    }

    // Waits for the client area to show `want`; the differing pixels at the end.
    size_t WaitToShow(const Image& want, int timeoutMs)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        size_t differing = 0;
        do {
            Image now;
            if (Client(&now) && (differing = Differing(now, want)) == 0)
                return 0;
            Pause(100);
        } while (Clock::now() < end);
        return differing;
    }

    // The frame stretched into another client size the way the present stretches it.
    static Image Stretched(const Image& frame, int width, int height)
    {
        Image out{width, height, std::vector<unsigned char>(static_cast<size_t>(width) * height * 3)};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int sx = x * frame.width / width, sy = y * frame.height / height;
                for (int c = 0; c < 3; ++c)
                    out.rgb[(static_cast<size_t>(y) * width + x) * 3 + c] =
                        frame.rgb[(static_cast<size_t>(sy) * frame.width + sx) * 3 + c];
            }
        return out;
    }

    void Resize(int clientWidth, int clientHeight)
    {
        screen.X().X("xdotool windowsize --sync " + screen.Window() + " " + std::to_string(clientWidth) + " " +
                     std::to_string(clientHeight + screen.MenuBarHeight()));
    }
};

TEST_F(ExposeResizeTest, ABoardAtRestIsShownWholeAfterACoverAndAfterResizes)
{
    ASSERT_TRUE(screen.Launch()) << "the game's window did not appear";
    const std::string binaryDir = std::getenv("MEMORY_BINARY_DIR");
    // Dealt, the pointer far from the cards: from now on every frame is the same.
    screen.X().X("xdotool mousemove 4000 4000");
    screen.Keys("alt+t");
    Pause(500);
    Image rest;
    ASSERT_TRUE(Still(&rest, 20000)) << "the board never came to rest";
    ASSERT_EQ(rest.width, e2e::GameScreen::kClientWidth);
    ASSERT_EQ(rest.height, e2e::GameScreen::kClientHeight);

    // Another window, a second game, over the board, moved across it and closed.
    const int other = screen.X().Launch(binaryDir + "/memory", {}, binaryDir);
    ASSERT_GT(other, 0);
    const std::string cover = screen.WaitForOtherWindow("Valdmark", 30000);
    ASSERT_FALSE(cover.empty()) << "the second window did not appear";
    int wx = 0, wy = 0, ww = 0, wh = 0;
    ASSERT_TRUE(screen.X().Geometry(screen.Window(), &wx, &wy, &ww, &wh));
    bool covered = false;
    for (const auto& [dx, dy] : {std::pair{0, 0}, {-300, -200}, {200, 150}, {-100, 250}, {40, -30}}) {
        screen.X().X("xdotool windowmove --sync " + cover + " " + std::to_string(wx + dx) + " " + std::to_string(wy + dy));
        Pause(300);
        Image now;
        covered = covered || (Client(&now) && Differing(now, rest) > 1000);
    }
    EXPECT_TRUE(covered) << "the second window never covered the board";
    screen.Keys("alt+g x", cover);
    EXPECT_EQ(screen.X().WaitExit(other, 20000), 0);
    EXPECT_EQ(WaitToShow(rest, 5000), 0u) << "pixels differ from the board at rest after the cover went away";

    // Larger: the same frame stretched into the new client area; then back to the first size.
    Resize(700, 520);
    EXPECT_EQ(WaitToShow(Stretched(rest, 700, 520), 5000), 0u) << "after the window grew";
    Resize(400, 300);
    EXPECT_EQ(WaitToShow(Stretched(rest, 400, 300), 5000), 0u) << "after the window shrank";
    Resize(rest.width, rest.height);
    EXPECT_EQ(WaitToShow(rest, 5000), 0u) << "after the window took its first size again";

    screen.Keys("alt+g x");
    EXPECT_EQ(screen.X().WaitExit(screen.Pid(), 20000), 0);
}

} // namespace
