// The game as the program starts it, noting when each frame is presented: the times
// (steady clock, nanoseconds) go to the file MEMORY_BENCH_PRESENT_LOG names when the
// program ends, after a first line with the screen's refresh rate.
#include "ddraw/WindowPresenter.h"
#include "qt/QtToolkit.h"
#include "win32/Backend.h"
#include "win32/Display.h"
#include "win32/Window.h"

#include <afxwin.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class TimedPresenter final : public platform::ddraw::WindowPresenter {
public:
    bool Exists(HWND hwnd) override { return System().Exists(hwnd); }
    bool ClientAreaOnScreen(HWND hwnd, RECT* rect) override { return System().ClientAreaOnScreen(hwnd, rect); }
    bool Lock(HWND hwnd, platform::PixelView* view) override
    {
        times.push_back(std::chrono::steady_clock::now().time_since_epoch().count());
        return System().Lock(hwnd, view);
    }
    void Unlock(HWND hwnd, std::span<const RECT> changed) override { System().Unlock(hwnd, changed); }

    std::vector<long long> times;

private:
    static WindowPresenter& System() { return platform::ddraw::SystemPresenter(); }
};

} // namespace

int main(int argc, char** argv)
{
    __argc = argc;
    __argv = argv;
    static TimedPresenter presenter;
    presenter.times.reserve(1 << 16);
    platform::ddraw::InstallPresenter(&presenter);
    // The toolkit as the program puts it in place.
    platform::backend::InstallToolkit(platform::qt::MakeToolkit(platform::backend::CoreEvents()));
    platform::backend::Application& app = platform::backend::App();
    if (!app.Open(argv[0], "bench_play: no display\n")) {
        std::fputs("bench_play: no display\n", stderr);
        return 2;
    }
    static std::string commandLine;
    const int exitCode = AfxWinMain(::GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
    platform::win32::DestroyAllWindows();
    app.Close();
    platform::ddraw::InstallPresenter(nullptr);

    if (const char* path = std::getenv("MEMORY_BENCH_PRESENT_LOG")) {
        if (FILE* f = std::fopen(path, "w")) {
            std::fprintf(f, "%d\n", platform::CurrentDisplayMode().refreshHz);
            for (long long t : presenter.times)
                std::fprintf(f, "%lld\n", t);
            std::fclose(f);
        }
    }
    return exitCode;
}
