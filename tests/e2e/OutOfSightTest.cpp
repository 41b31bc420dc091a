// The game out of sight and back, on a desktop with a window manager: another program's
// window active over the board, then the game minimised. While out of sight the game
// draws nothing; brought back, it shows the board and runs its clock again at once. The
// window manager does not animate minimising, so that the time is all the game's.
#include "GameScreen.h"
#include "support/BmpFiles.h"
#include "support/MusicFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// Last: Xlib's macros (None, Bool, Status) would clash with the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;

void Pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The window as the screen shows it, read straight from the X server: quick enough to
// watch for a change every few milliseconds.
class Watcher {
public:
    Watcher(const std::string& display, const std::string& window)
        : m_dpy(XOpenDisplay(display.c_str())), m_window(std::stoul(window))
    {
    }
    ~Watcher()
    {
        if (m_dpy)
            XCloseDisplay(m_dpy);
    }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    bool ok() const { return m_dpy != nullptr; }

    std::string Title()
    {
        const std::vector<unsigned char> name = Property(m_window, "_NET_WM_NAME", AnyPropertyType);
        return std::string(name.begin(), name.end());
    }

    // The screen's pixels where the client area is, left to right and top to bottom; empty
    // when the area is not on the screen.
    std::vector<unsigned long> Client(int left, int top)
    {
        std::vector<unsigned long> pixels;
        XImage* image = XGetImage(m_dpy, DefaultRootWindow(m_dpy), left, top, e2e::GameScreen::kClientWidth,
                                  e2e::GameScreen::kClientHeight, AllPlanes, ZPixmap);
        if (!image)
            return pixels;
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x)
                pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
        XDestroyImage(image);
        return pixels;
    }

    // The window manager has made the window the active one.
    bool Active()
    {
        const std::vector<unsigned char> active = Property(DefaultRootWindow(m_dpy), "_NET_ACTIVE_WINDOW", XA_WINDOW);
        return active.size() == sizeof(unsigned long) &&
               *reinterpret_cast<const unsigned long*>(active.data()) == m_window;
    }

    // Asks the window manager to activate the window, as a taskbar does (which also restores it).
    void Activate()
    {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = m_window;
        e.xclient.message_type = XInternAtom(m_dpy, "_NET_ACTIVE_WINDOW", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = 2; // from a pager: the window manager does not refuse it
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_dpy, DefaultRootWindow(m_dpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(m_dpy);
    }

private:
    // A property's bytes (32-bit items as Xlib hands them: a long each); empty when it has none.
    std::vector<unsigned char> Property(::Window window, const char* name, Atom wanted)
    {
        Atom type;
        int format;
        unsigned long items, after;
        unsigned char* data = nullptr;
        std::vector<unsigned char> bytes;
        if (XGetWindowProperty(m_dpy, window, XInternAtom(m_dpy, name, False), 0, 1024, False, wanted, &type, &format,
                               &items, &after, &data) == Success &&
            data) {
            const size_t size = format == 32 ? sizeof(long) : static_cast<size_t>(format / 8);
            bytes.assign(data, data + items * size);
            XFree(data);
        }
        return bytes;
    }

    Display* m_dpy;
    ::Window m_window;
};

// The share of pixels two pictures of the client area have alike (0 when either is missing).
double Alike(const std::vector<unsigned long>& a, const std::vector<unsigned long>& b)
{
    if (a.empty() || a.size() != b.size())
        return 0;
    size_t same = 0;
    for (size_t i = 0; i < a.size(); ++i)
        same += a[i] == b[i];
    return double(same) / double(a.size());
}

// A card that flashes at rest changes a few cards' pixels; anything over the board changes more.
constexpr double kBoardShown = 0.8;
constexpr int kBackWithinMs = 200;

class OutOfSightTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::vector<uint8_t> rc = testsupport::ReadFile("/etc/xdg/openbox/rc.xml");
        std::string settings(rc.begin(), rc.end());
        const std::string animated = "<animateIconify>yes<";
        const size_t at = settings.find(animated);
        ASSERT_NE(at, std::string::npos) << "openbox's settings have changed";
        settings.replace(at, animated.size(), "<animateIconify>no<");
        const std::string file = dir.Write("rc.xml", testsupport::Bytes(settings.begin(), settings.end()));
        ASSERT_TRUE(screen.X().StartWindowManager(file)) << "openbox did not start";
        ASSERT_TRUE(screen.Launch()) << "the game's window did not appear";
        watch = std::make_unique<Watcher>(screen.X().display(), screen.Window());
        ASSERT_TRUE(watch->ok());
    }

    std::vector<unsigned long> Client() { return watch->Client(screen.ClientLeft(), screen.ClientTop()); }

    // Out of sight, the game neither draws nor runs its clock.
    void ExpectFrozen(const std::string& when)
    {
        Pause(300);
        const std::string title = watch->Title();
        Pause(400);
        EXPECT_EQ(watch->Title(), title) << "the clock ran " << when;
    }

    // Activates the game and watches the screen until the board is shown and the title has
    // moved on from `frozen`; the milliseconds each took from when the window manager made
    // the game active, as the game hears of it (-1: not within 3 s).
    struct Back {
        int boardMs = -1;
        int clockMs = -1;
    };
    Back BackAfter(const std::string& frozen)
    {
        const auto start = Clock::now();
        auto t0 = start;
        bool active = false;
        const auto since = [&] {
            return int(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count());
        };
        watch->Activate();
        Back back;
        while ((back.boardMs < 0 || back.clockMs < 0) && Clock::now() - start < std::chrono::seconds(3)) {
            if (!active && (active = watch->Active()))
                t0 = Clock::now();
            if (active && back.boardMs < 0 && Alike(Client(), rest) >= kBoardShown)
                back.boardMs = since();
            if (active && back.clockMs < 0 && watch->Title() != frozen)
                back.clockMs = since();
            Pause(2);
        }
        return back;
    }

    void ExpectBackAtOnce(const Back& back, const std::string& from)
    {
        EXPECT_GE(back.boardMs, 0) << "the board was not shown again, back " << from;
        EXPECT_LE(back.boardMs, kBackWithinMs) << "the board, back " << from;
        EXPECT_GE(back.clockMs, 0) << "the clock did not run again, back " << from;
        EXPECT_LE(back.clockMs, kBackWithinMs) << "the clock, back " << from;
    }

    testsupport::TempDir dir;
    e2e::GameScreen screen;
    std::unique_ptr<Watcher> watch;
    std::vector<unsigned long> rest;
};

TEST_F(OutOfSightTest, BroughtBackFromBehindAnotherWindowOrMinimisedItDrawsAndItsClockRunsAtOnce)
{
    // Dealt, the pointer far from the cards, the board at rest.
    screen.X().X("xdotool mousemove 4000 4000");
    screen.Keys("alt+t");
    for (int i = 0, same = 0; i < 100 && same < 3; ++i) {
        Pause(100);
        std::vector<unsigned long> now = Client();
        same = !now.empty() && now == rest ? same + 1 : 0;
        rest = std::move(now);
    }
    ASSERT_FALSE(rest.empty());
    const std::string running = watch->Title();
    Pause(300);
    ASSERT_NE(watch->Title(), running) << "the clock does not run in play";

    // Another program's window over the board, and active.
    const int other = screen.X().Launch(
        "/usr/bin/xmessage",
        {"-title", "Another program", "-geometry",
         "600x460+" + std::to_string(screen.ClientLeft() - 20) + "+" + std::to_string(screen.ClientTop() - 30),
         "another program"},
        ".");
    ASSERT_GT(other, 0);
    const std::string cover = screen.WaitForOtherWindow("Another program", 10000);
    ASSERT_FALSE(cover.empty()) << "the other window did not appear";
    screen.X().X("xdotool windowactivate --sync " + cover);
    ExpectFrozen("behind another window");
    EXPECT_LT(Alike(Client(), rest), kBoardShown) << "the other window did not cover the board";
    ExpectBackAtOnce(BackAfter(watch->Title()), "from behind another window");

    // Minimised and restored.
    screen.X().X("xdotool windowminimize --sync " + screen.Window());
    ExpectFrozen("minimised");
    EXPECT_LT(Alike(Client(), rest), kBoardShown) << "the minimised window still showed the board";
    ExpectBackAtOnce(BackAfter(watch->Title()), "from minimised");

    screen.Keys("alt+g x");
    EXPECT_EQ(screen.X().WaitExit(screen.Pid(), 20000), 0);
    screen.X().WaitExit(other, 0);
}

} // namespace
