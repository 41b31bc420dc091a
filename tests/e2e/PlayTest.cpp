// A whole game played the way a person plays it: the real program in a real X server,
// driven only by mouse and keyboard events, every card read from the screen.
#include "GameScreen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPitch = 131, kOriginX = 8, kOriginY = 5;
// The frame of the backs' sheet that a face-down card shows under the pointer.
constexpr int kRaisedBack = 1;

int SlotX(int k) { return (k % 4) * kPitch + kOriginX; }
int SlotY(int k) { return (k / 4) * kPitch + kOriginY; }

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class PlayTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (HasFailure()) {
            const std::string folder = std::string(std::getenv("MEMORY_BINARY_DIR")) + "/e2e-screenshots/" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name();
            screen.SaveShots(folder);
            std::printf("screenshots of the failed run: %s\n", folder.c_str());
        }
    }

    // Takes screenshots until the condition holds for the last one, at most timeoutMs.
    bool WaitForScreen(const std::string& label, int timeoutMs, const std::function<bool()>& holds)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            if (screen.Shoot(label) && holds())
                return true;
            Pause(50);
        } while (Clock::now() < end);
        return false;
    }

    bool ShowsBacks(const std::vector<int>& slots)
    {
        for (int k : slots)
            if (!screen.BackAt(SlotX(k), SlotY(k)))
                return false;
        return true;
    }

    // Points at the card, clicks it and reads its face once it has turned up; -1 when it
    // never does. The click waits for the card to show that it is pointed at (its raised
    // back), as a person's would: a face-down card under the pointer is what tells the
    // game that the player is there, and without it the game would glimpse a card by itself.
    int TurnUp(int k)
    {
        screen.MoveTo(SlotX(k) + 64, SlotY(k) + 64);
        EXPECT_TRUE(WaitForScreen("point-at-" + std::to_string(k), 3000,
                                  [&] { return screen.BackFrameAt(SlotX(k), SlotY(k)) == kRaisedBack; }))
            << "card " << k << " does not show that it is pointed at";
        screen.Click();
        int face = -1;
        WaitForScreen("turn-up-" + std::to_string(k), 5000, [&] {
            face = screen.FaceAt(SlotX(k), SlotY(k));
            return face >= 0;
        });
        NoteTitle();
        return face;
    }

    // The clock behind the caption in tenths of a second, or -1 when the title shows none.
    int TitleClock()
    {
        static const std::regex clock("^Valdmark Software, KV Memory:  ([0-9]+)\\.([0-9])$");
        std::smatch m;
        const std::string title = screen.Title();
        if (!std::regex_match(title, m, clock))
            return -1;
        return std::stoi(m[1]) * 10 + std::stoi(m[2]);
    }

    void NoteTitle()
    {
        int tenths = TitleClock();
        EXPECT_GE(tenths, 0) << "the title shows no clock: " << screen.Title();
        if (tenths >= 0)
            clocks.push_back(tenths);
    }

    // Dark pixels where the check mark of "&Sound" stands in the open "&Game" menu: left of
    // the item's text, in its highlighted row (the first item is highlighted when the menu
    // opens from the keyboard).
    int CheckMarkPixels(const std::string& label)
    {
        screen.Keys("alt+g");
        int dark = 0;
        // The board's teal is bluish too: a menu row is one flat colour from the check mark's
        // column to past the item's text, and the open menu has white rows under the item.
        auto flat = [&](int y) {
            const unsigned char* a = screen.ClientPixel(12, y);
            const unsigned char* b = screen.ClientPixel(100, y);
            return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) <= 6;
        };
        auto highlighted = [&](int y) {
            const unsigned char* p = screen.ClientPixel(12, y);
            return flat(y) && p[2] > p[0] + 60;
        };
        auto white = [&](int y) {
            const unsigned char* p = screen.ClientPixel(12, y);
            return flat(y) && p[0] > 230 && p[1] > 230 && p[2] > 230;
        };
        bool open = WaitForScreen(label, 5000, [&] {
            int rows = 0, whiteRows = 0;
            dark = 0;
            for (int y = 0; y < 30; ++y) {
                if (!highlighted(y))
                    continue;
                ++rows;
                for (int x = 9; x <= 30; ++x) {
                    const unsigned char* p = screen.ClientPixel(x, y);
                    dark += p[0] < 80 && p[1] < 80 && p[2] < 80;
                }
            }
            for (int y = 20; y < 100; ++y)
                whiteRows += white(y);
            return rows >= 10 && whiteRows >= 40;
        });
        screen.X().X("xdotool key Escape");
        EXPECT_TRUE(open) << "the Game menu did not open";
        return dark;
    }

    e2e::GameScreen screen;
    std::vector<int> clocks;
};

TEST_F(PlayTest, AWholeGameIsPlayedWithTheMouseByReadingTheCards)
{
    ASSERT_TRUE(screen.Launch()) << "the game's window did not appear";

    // "&Sound" through the menu's keyboard access: the item takes its check mark.
    EXPECT_EQ(CheckMarkPixels("menu-sound-off"), 0);
    screen.Keys("alt+g s");
    EXPECT_GT(CheckMarkPixels("menu-sound-on"), 10);

    screen.Keys("alt+t");
    std::vector<int> all;
    for (int k = 0; k < 12; ++k)
        all.push_back(k);
    ASSERT_TRUE(WaitForScreen("dealt", 20000, [&] { return ShowsBacks(all) && TitleClock() >= 0; }))
        << "the deal did not end with every card face down and the clock running: " << screen.Title();

    std::map<int, int> known; // face-down cards seen, and their faces
    std::set<int> matched;
    bool mismatchSeen = false, rebuiltInPlay = false;
    auto firstUnknown = [&](int besides) {
        for (int k = 0; k < 12; ++k)
            if (!matched.count(k) && !known.count(k) && k != besides)
                return k;
        return -1;
    };
    auto knownWith = [&](int face, int besides) {
        for (const auto& [k, v] : known)
            if (v == face && k != besides)
                return k;
        return -1;
    };
    auto match = [&](int a, int b) {
        matched.insert(a);
        matched.insert(b);
        known.erase(a);
        known.erase(b);
    };

    for (int turn = 0; matched.size() < 12; ++turn) {
        ASSERT_LT(turn, 40) << "the game does not end";
        int a = -1, b = -1;
        for (const auto& [k, v] : known)
            if (knownWith(v, k) >= 0) {
                a = k;
                b = knownWith(v, k);
                break;
            }
        if (a < 0)
            a = firstUnknown(-1);
        const int faceA = TurnUp(a);
        ASSERT_GE(faceA, 0) << "card " << a << " did not turn up";
        if (b < 0)
            b = knownWith(faceA, a);
        if (b < 0)
            b = firstUnknown(a);
        ASSERT_GE(b, 0);
        int faceB = TurnUp(b);
        // The last card ends the game, and on a busy machine the record box can cover it before
        // it is read: the box itself then says the pair matched.
        if (faceB < 0 && matched.size() == 10 && !screen.WaitForOtherWindow("Valdmark", 2000).empty())
            faceB = faceA;
        ASSERT_GE(faceB, 0) << "card " << b << " did not turn up";

        if (faceA == faceB) {
            match(a, b);
            if (!rebuiltInPlay && matched.size() < 12) {
                // P rebuilds the display: the game goes on where it was.
                screen.Keys("p");
                rebuiltInPlay = true;
                EXPECT_TRUE(WaitForScreen("after-p", 3000, [&] {
                    for (int k : matched)
                        if (screen.FaceAt(SlotX(k), SlotY(k)) < 0)
                            return false;
                    std::vector<int> down;
                    for (int k = 0; k < 12; ++k)
                        if (!matched.count(k))
                            down.push_back(k);
                    return ShowsBacks(down);
                })) << "after P the board is not as it was";
            }
            continue;
        }
        known[a] = faceA;
        known[b] = faceB;
        // A mismatch turns back by itself, with no input.
        EXPECT_TRUE(WaitForScreen("mismatch", 4000, [&] { return ShowsBacks({a, b}); }))
            << "cards " << a << " and " << b << " stayed up";
        mismatchSeen = true;
    }
    EXPECT_TRUE(mismatchSeen);
    EXPECT_TRUE(rebuiltInPlay);

    // The clock ran in the title while the game was played.
    ASSERT_FALSE(clocks.empty());
    for (size_t i = 1; i < clocks.size(); ++i)
        EXPECT_GE(clocks[i], clocks[i - 1]);
    EXPECT_GT(clocks.back(), clocks.front());

    // The first win is a record: its box names the time that the title's clock shows.
    const std::string box = screen.WaitForOtherWindow("Valdmark", 10000);
    ASSERT_FALSE(box.empty()) << "no record box";
    screen.Shoot("record-box");
    const int shown = TitleClock();
    const std::string text = screen.ReadText(box);
    EXPECT_NE(text.find("You got it, dude!"), std::string::npos) << text;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(text, m, std::regex("Your record is: ([0-9]+) sec ([0-9]+) ms"))) << text;
    const int recordMs = std::stoi(m[1]) * 1000 + std::stoi(m[2]);
    EXPECT_LT(std::stoi(m[2]), 1000);
    EXPECT_GE(shown * 100 + 99, recordMs) << text;
    EXPECT_LE(shown * 100, recordMs + 1000) << text;

    // Dismissed with the keyboard; the clock has stopped.
    screen.Keys("Return", box);
    EXPECT_TRUE(WaitForScreen("box-closed", 5000, [&] { return !screen.IsVisible(box); }));
    const std::string stopped = screen.Title();
    Pause(400);
    EXPECT_EQ(screen.Title(), stopped);

    // "E&xit" ends the program cleanly.
    screen.Keys("alt+g x");
    EXPECT_EQ(screen.X().WaitExit(screen.Pid(), 20000), 0);
}

} // namespace
