// Start-up to the first frame, and processor time at rest and while cards move, of the
// game beside a minimal Qt window program repainting at the screen's refresh rate, both
// in the same X server in the same run.
//   bench_startup [path/to/memory] [path/to/bench_minimal_qt]
// BENCH_CPU_SECONDS sets how long processor time is measured (0: start-up alone).
#include "support/BmpFiles.h"
#include "support/Xvfb.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The window whose name contains `title`, searched depth-first from the root.
Window FindWindow(Display* dpy, Window w, const std::string& title)
{
    char* name = nullptr;
    if (XFetchName(dpy, w, &name) && name) {
        bool match = std::string(name).find(title) != std::string::npos;
        XFree(name);
        if (match)
            return w;
    }
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy, w, &root, &parent, &children, &n))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < n && !found; ++i)
        found = FindWindow(dpy, children[i], title);
    if (children)
        XFree(children);
    return found;
}

// Colour of one pixel of a window, counted from its bottom-right corner.
bool PixelFromBottomRight(Display* dpy, Window w, int dx, int dy, unsigned long* rgb)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable)
        return false;
    XImage* img = XGetImage(dpy, w, a.width - dx, a.height - dy, 1, 1, AllPlanes, ZPixmap);
    if (!img)
        return false;
    *rgb = XGetPixel(img, 0, 0) & 0xFFFFFF;
    XDestroyImage(img);
    return true;
}

bool Near(unsigned long a, unsigned long b)
{
    for (int s = 0; s < 24; s += 8)
        if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > 8)
            return false;
    return true;
}

double CpuSeconds(int pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(in, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string f;
    unsigned long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> f; ++i) {
        if (i == 14)
            utime = std::stoul(f);
        if (i == 15)
            stime = std::stoul(f);
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

struct Result {
    double startupMs = -1;
    double idleCpu = -1;   // percent of a core, left alone
    double movingCpu = -1; // percent of a core, with "S&tart" typed again and again
};

// Processor time of the program over `seconds`, in percent of a core; `during` runs
// every 100 ms meanwhile.
double CpuPercent(int pid, int seconds, const std::function<void(int tick)>& during)
{
    const double c0 = CpuSeconds(pid);
    const auto t0 = Clock::now();
    for (int tick = 0; Clock::now() - t0 < std::chrono::seconds(seconds); ++tick) {
        during(tick);
        std::this_thread::sleep_until(t0 + std::chrono::milliseconds(100 * (tick + 1)));
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
    return 100.0 * (CpuSeconds(pid) - c0) / elapsed;
}

// Launches a program, waits for `title` to show `colour` at the given point, then, when
// cpuSeconds > 0, measures its processor time left alone and while "S&tart" is typed
// into it every 700 ms: in the game each start deals the cards anew, so they keep turning.
Result Measure(testsupport::XvfbSession& x, Display* dpy, const std::string& program, const std::string& dir,
               const std::string& title, int dx, int dy, unsigned long colour, int cpuSeconds)
{
    Result r;
    auto t0 = Clock::now();
    int pid = x.Launch(program, {}, dir);
    Window w = 0;
    while (Clock::now() - t0 < std::chrono::seconds(30)) {
        w = FindWindow(dpy, DefaultRootWindow(dpy), title);
        unsigned long rgb = 0;
        if (w && PixelFromBottomRight(dpy, w, dx, dy, &rgb) && Near(rgb, colour)) {
            r.startupMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (r.startupMs >= 0 && cpuSeconds > 0) {
        r.idleCpu = CpuPercent(pid, cpuSeconds, [](int) {});
        const std::string start = "xdotool windowfocus --sync " + std::to_string(w) + " key alt+t";
        r.movingCpu = CpuPercent(pid, cpuSeconds, [&](int tick) {
            if (tick % 7 == 0)
                x.X(start);
        });
    }
    x.WaitExit(pid, 0);
    return r;
}

// The background bitmap's pixel, from the committed BMP.
unsigned long BackgroundPixel(const std::string& bmp, int x, int y)
{
    return testsupport::BmpPixel(testsupport::ReadFile(bmp), x, y).value_or(0);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string binDir = MEMORY_BENCH_BINARY_DIR;
    // Absolute: each program starts in its own folder.
    const std::string game = std::filesystem::absolute(argc > 1 ? argv[1] : MEMORY_RELEASE_BINARY);
    const std::string minimal = std::filesystem::absolute(argc > 2 ? argv[2] : binDir + "/tests/bench/bench_minimal_qt");
    const std::string gameDir = game.substr(0, game.rfind('/'));

    testsupport::XvfbSession x;
    if (!x.ok()) {
        std::fprintf(stderr, "bench_startup: Xvfb did not start\n");
        return 1;
    }
    Display* dpy = XOpenDisplay(x.display().c_str());
    if (!dpy) {
        std::fprintf(stderr, "bench_startup: cannot open %s\n", x.display().c_str());
        return 1;
    }

    // A point of the background right of the cards: the client area's (535, 200).
    unsigned long foil = BackgroundPixel(std::string(MEMORY_BENCH_SOURCE_DIR) + "/res/BKGR_FOIL.bmp", 535, 200);
    const int runs = 9;
    const int cpuSeconds = std::getenv("BENCH_CPU_SECONDS") ? std::atoi(std::getenv("BENCH_CPU_SECONDS")) : 10;
    Result best[2];
    for (int i = 0; i < runs; ++i) {
        const int cpu = i == 0 ? cpuSeconds : 0;
        Result q = Measure(x, dpy, minimal, gameDir, "Minimal Qt window", 272, 202, 0x336699, cpu);
        Result g = Measure(x, dpy, game, gameDir, "Memory", 544 - 535, 404 - 200, foil, cpu);
        if (i == 0) {
            best[0] = q;
            best[1] = g;
        }
        if (q.startupMs >= 0 && q.startupMs < best[0].startupMs)
            best[0].startupMs = q.startupMs;
        if (g.startupMs >= 0 && g.startupMs < best[1].startupMs)
            best[1].startupMs = g.startupMs;
    }
    XCloseDisplay(dpy);

    std::printf("start-up to first frame (best of %d): memory %.0f ms; minimal Qt window %.0f ms; ratio %.2f (goal <= 1.3)\n",
                runs, best[1].startupMs, best[0].startupMs, best[1].startupMs / best[0].startupMs);
    std::printf("processor time at rest (%d s): memory %.2f%% of a core; minimal Qt window repainting at the "
                "refresh rate %.2f%%; ratio %.2f\n",
                cpuSeconds, best[1].idleCpu, best[0].idleCpu, best[1].idleCpu / best[0].idleCpu);
    std::printf("processor time while cards move (%d s of deals): memory %.2f%% of a core; minimal Qt window "
                "%.2f%%; ratio %.2f (goal <= 1.2)\n",
                cpuSeconds, best[1].movingCpu, best[0].movingCpu, best[1].movingCpu / best[0].movingCpu);
    std::printf("program measured: %s\n", game.c_str());
    return best[1].startupMs < 0 || best[0].startupMs < 0 ? 1 : 0;
}
