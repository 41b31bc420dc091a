// The options dialog of the real program in a real X server with a window manager, used as a
// player uses it: opened from the menu, its buttons clicked and its trackbar dragged with the
// mouse, closed with Escape. What it does shows in the main window's title.
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string BinaryDir() { return std::getenv("MEMORY_BINARY_DIR"); }

const std::string kCaption = "Valdmark Software, KV Memory: ";

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct Screen {
    std::vector<unsigned char> rgb;
    int width = 0, height = 0;
    const unsigned char* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

class GameSession {
public:
    bool Start()
    {
        if (!x.ok() || !x.StartWindowManager())
            return false;
        pid = x.Launch(BinaryDir() + "/memory", {}, BinaryDir());
        main = x.WaitForWindow("Memory|Valdmark", 20000);
        return pid > 0 && !main.empty();
    }

    std::string Title() { return Trim(x.X("xdotool getwindowname " + main).out); }

    // "&Options..." from the "&Game" menu with the keyboard; the dialog's window id.
    std::string OpenOptions()
    {
        x.X("xdotool windowfocus --sync " + main + " key --clearmodifiers alt+g o");
        dialog = x.WaitForWindow("^Options$", 10000);
        if (!dialog.empty())
            x.Geometry(dialog, &area.x, &area.y, &area.w, &area.h);
        return dialog;
    }

    // A place given in the template's dialog units, on the screen; the dialog's size in
    // pixels gives the units' size.
    void ToScreen(double dx, double dy, int* sx, int* sy) const
    {
        *sx = area.x + static_cast<int>(dx * area.w / 133.0 + 0.5);
        *sy = area.y + static_cast<int>(dy * area.h / 136.0 + 0.5);
    }

    void ClickAt(double dx, double dy)
    {
        int sx = 0, sy = 0;
        ToScreen(dx, dy, &sx, &sy);
        x.X("xdotool mousemove " + std::to_string(sx) + " " + std::to_string(sy) + " click 1");
    }

    bool Shoot(Screen* s) { return x.Screenshot(&s->rgb, &s->width, &s->height); }

    bool DialogOpen() { return !x.X("xdotool search --onlyvisible --name '^Options$' 2>/dev/null").out.empty(); }

    // Waits until the title is no longer `title`; the time it took in seconds, or -1.
    double SecondsUntilTitleLeaves(const std::string& title, double limit)
    {
        const auto start = std::chrono::steady_clock::now();
        for (;;) {
            const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (Title() != title)
                return s;
            if (s > limit)
                return -1;
            Pause(20);
        }
    }

    bool WaitForTitle(const std::string& title, int ms)
    {
        for (int waited = 0; waited < ms; waited += 50, Pause(50))
            if (Title() == title)
                return true;
        return false;
    }

    int Exit()
    {
        x.X("xdotool windowfocus --sync " + main + " key --clearmodifiers alt+g x");
        return x.WaitExit(pid, 10000);
    }

    testsupport::XvfbSession x;
    int pid = -1;
    std::string main, dialog;
    Rect area; // the dialog's client area on the screen

private:
    static std::string Trim(std::string s)
    {
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
            s.pop_back();
        return s;
    }
};

bool Light(const unsigned char* p) { return p[0] > 215 && p[1] > 215 && p[2] > 215; }

int Brightness(const unsigned char* p) { return (p[0] + p[1] + p[2]) / 3; }

// Darker than the face by more than a shade: a line or a letter.
bool Ink(const unsigned char* p, const unsigned char* face) { return Brightness(p) + 24 < Brightness(face); }

// The middle of the trackbar's thumb: the longest run of pixels brighter than the
// dialog's face down the middle of the control (the channel is coloured or grey).
int ThumbMiddle(const Screen& s, int x, int top, int bottom, const unsigned char* face)
{
    auto brighter = [face](const unsigned char* p) { return p[0] > face[0] + 4 && p[1] > face[1] + 4 && p[2] > face[2] + 4; };
    int best = -1, bestLength = 0, run = 0;
    for (int y = top; y <= bottom; ++y) {
        run = brighter(s.At(x, y)) ? run + 1 : 0;
        if (run > bestLength) {
            bestLength = run;
            best = y - run / 2;
        }
    }
    return best;
}

TEST(OptionsDialog, OpensFromTheMenuCentredOnTheFaceColourAndClosesWithEscape)
{
    GameSession game;
    ASSERT_TRUE(game.Start()) << "the game did not start";
    ASSERT_FALSE(game.OpenOptions().empty()) << "no Options window";
    // A tool window of the window system: a utility window off the taskbar, asking for a
    // close button and no minimise or maximise.
    const std::string properties = game.x.X("xprop -id " + game.dialog + " _NET_WM_WINDOW_TYPE _NET_WM_STATE").out;
    EXPECT_NE(properties.find("_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_UTILITY"), std::string::npos) << properties;
    EXPECT_NE(properties.find("_NET_WM_STATE_SKIP_TASKBAR"), std::string::npos) << properties;
    unsigned flags = 0, functions = 0, decorations = 0;
    const std::string motif = game.x.X("xprop -id " + game.dialog + " -notype 32x ' = $0, $1, $2' _MOTIF_WM_HINTS").out;
    ASSERT_EQ(std::sscanf(motif.c_str(), "_MOTIF_WM_HINTS = %x, %x, %x", &flags, &functions, &decorations), 3) << motif;
    EXPECT_EQ(functions & 0x39, 0x20u) << "close, but neither minimise nor maximise: " << motif;
    EXPECT_EQ(decorations & 0x61, 0u) << "no minimise or maximise button: " << motif;
    // Centred on the 1024 by 768 screen (the window's frame is the stand-in's own).
    EXPECT_NEAR(game.area.x + game.area.w / 2, 512, 12);
    EXPECT_NEAR(game.area.y + game.area.h / 2, 384, 16);
    EXPECT_GT(game.area.w, 133);
    EXPECT_GT(game.area.h, 136);

    // The dialog's face below the "Rotate style:" box, once it is drawn, and the board beside the dialog.
    Screen shot;
    int fx = 0, fy = 0;
    game.ToScreen(20, 125, &fx, &fy);
    for (int attempt = 0; attempt < 25; ++attempt, Pause(200)) {
        ASSERT_TRUE(game.Shoot(&shot));
        if (Light(shot.At(fx, fy)))
            break;
    }
    game.x.X("import -window root '" + BinaryDir() + "/e2e-options-dialog.png'");
    EXPECT_TRUE(Light(shot.At(fx, fy)));
    // Beside the dialog the board shows through (a card's light edge may stand there, but
    // never the dialog's own face colour).
    const unsigned char* face = shot.At(fx, fy);
    const unsigned char* beside = shot.At(game.area.x - 20, fy);
    EXPECT_FALSE(beside[0] == face[0] && beside[1] == face[1] && beside[2] == face[2]);
    // The "Rotate" trackbar's thumb stands at 8 of 1 to 20, lowest at the top: in the
    // upper half of the channel.
    int tx = 0, top = 0, bottom = 0;
    game.ToScreen(86.5, 15, &tx, &top);
    game.ToScreen(86.5, 93, &tx, &bottom);
    const int thumb = ThumbMiddle(shot, tx, top, bottom, shot.At(fx, fy));
    EXPECT_GT(thumb, top);
    EXPECT_LT(thumb, (top + bottom) / 2);

    // The "Speed" box's top line runs through the middle of its title, above the tops of
    // the trackbars inside it: right of the "Wave" trackbar the line is the first ink below
    // the box's top, and the centred title has ink above and below it.
    int lx = 0, boxTop = 0, trackbarTop = 0;
    game.ToScreen(117, 7, &lx, &boxTop);
    game.ToScreen(117, 15, &lx, &trackbarTop);
    int line = -1;
    for (int y = boxTop; y <= trackbarTop + 10 && line < 0; ++y)
        if (Ink(shot.At(lx, y), face))
            line = y;
    ASSERT_GT(line, 0) << "no frame line right of the Wave trackbar";
    EXPECT_LT(line, trackbarTop) << "the frame starts below the trackbars' tops";
    int titleLeft = 0, titleRight = 0, unused = 0;
    game.ToScreen(91, 7, &titleLeft, &unused);
    game.ToScreen(103, 7, &titleRight, &unused);
    int inkTop = -1, inkBottom = -1;
    for (int y = boxTop; y <= trackbarTop; ++y)
        for (int x = titleLeft; x <= titleRight; ++x)
            if (Ink(shot.At(x, y), face)) {
                inkTop = inkTop < 0 ? y : inkTop;
                inkBottom = y;
            }
    EXPECT_LT(inkTop, line - 1) << "the title does not reach above the line";
    EXPECT_GT(inkBottom, line + 1) << "the title does not reach below the line";

    game.x.X("xdotool windowfocus --sync " + game.dialog + " key Escape");
    bool closed = false;
    for (int i = 0; i < 50 && !closed; ++i, Pause(100))
        closed = !game.DialogOpen();
    EXPECT_TRUE(closed) << "Escape did not close the dialog";
    EXPECT_EQ(game.Exit(), 0);
}

TEST(OptionsDialog, SquareStartsADealAndADragOfRotateSlowsTheNextOne)
{
    GameSession game;
    ASSERT_TRUE(game.Start()) << "the game did not start";
    ASSERT_EQ(game.Title().rfind(kCaption, 0), 0u) << game.Title();
    ASSERT_FALSE(game.OpenOptions().empty()) << "no Options window";
    Pause(500);

    // "Square" at the default speed: a new deal, whose end starts the clock in the title.
    const std::string dealing = kCaption + " 0";
    game.ClickAt(37, 46);
    ASSERT_TRUE(game.WaitForTitle(dealing, 3000)) << game.Title();
    // The selected style looks pushed in at a glance: its face clearly darker than that of
    // the others (left of the text, where only the face shows).
    {
        game.x.X("xdotool mousemove 5 5");
        Screen pressed;
        ASSERT_TRUE(game.Shoot(&pressed));
        game.x.X("import -window root '" + BinaryDir() + "/e2e-options-dialog-square.png'");
        int sx = 0, sy = 0, vx = 0, vy = 0;
        game.ToScreen(17, 46, &sx, &sy);
        game.ToScreen(17, 24, &vx, &vy);
        EXPECT_GT(Brightness(pressed.At(vx, vy)) - Brightness(pressed.At(sx, sy)), 32)
            << "Vertical " << Brightness(pressed.At(vx, vy)) << ", Square " << Brightness(pressed.At(sx, sy));
    }
    const double fast = game.SecondsUntilTitleLeaves(dealing, 10);
    ASSERT_GT(fast, 0) << "the deal did not end";

    // "Rotate" dragged to its top: speed 1, eight times slower.
    Screen shot;
    ASSERT_TRUE(game.Shoot(&shot));
    int fx = 0, fy = 0, tx = 0, top = 0, bottom = 0;
    game.ToScreen(20, 125, &fx, &fy);
    game.ToScreen(86.5, 15, &tx, &top);
    game.ToScreen(86.5, 93, &tx, &bottom);
    const int thumb = ThumbMiddle(shot, tx, top, bottom, shot.At(fx, fy));
    ASSERT_GT(thumb, 0);
    std::string drag = "xdotool mousemove " + std::to_string(tx) + " " + std::to_string(thumb) + " mousedown 1";
    for (int y = thumb - 20; y > top - 60; y -= 20)
        drag += " mousemove " + std::to_string(tx) + " " + std::to_string(y) + " sleep 0.05";
    game.x.X(drag + " mouseup 1");
    Pause(300);

    // "Square" again, though it is selected: another deal, now at the lowest speed.
    game.ClickAt(37, 46);
    ASSERT_TRUE(game.WaitForTitle(dealing, 3000)) << game.Title();
    const double slow = game.SecondsUntilTitleLeaves(dealing, 20);
    ASSERT_GT(slow, 0) << "the slow deal did not end";
    EXPECT_GT(slow, fast + 1.2) << "fast " << fast << " s, slow " << slow << " s";

    game.x.X("xdotool windowfocus --sync " + game.dialog + " key Escape");
    EXPECT_EQ(game.Exit(), 0);
}

} // namespace
