// The program's entry: the command line for the runtime library, the window toolkit
// (Qt's, put in place here), then the class library's start-up of the application object.
#include "win32/Backend.h"
#include "qt/QtToolkit.h"
#include "win32/Window.h"

#include <afxwin.h>

#include <cstdio>
#include <string>

namespace {

const char kNoDisplay[] = "memory: cannot open a display; set DISPLAY to an X server\n";
const char kFewColours[] =
    "memory: cannot draw on a screen of %d bits per pixel; use a screen of 15 bits per pixel or more\n";
// The toolkit paints nothing on a palette screen, and its widgets crash there.
constexpr int kLeastBitsPerPixel = 15;

std::string CommandTail(int argc, char** argv)
{
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            tail += ' ';
        tail += argv[i];
    }
    return tail;
}

} // namespace

int main(int argc, char** argv)
{
    __argc = argc;
    __argv = argv;
    platform::backend::InstallToolkit(platform::qt::MakeToolkit(platform::backend::CoreEvents()));
    platform::backend::Application& app = platform::backend::App();
    if (!app.Open(argv[0], kNoDisplay)) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    const int bitsPerPixel = app.Screen().bitsPerPixel;
    if (bitsPerPixel < kLeastBitsPerPixel) {
        std::fprintf(stderr, kFewColours, bitsPerPixel);
        app.Close();
        return 1;
    }

    static std::string commandLine = CommandTail(argc, argv);
    int exitCode = AfxWinMain(::GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
    platform::win32::DestroyAllWindows();
    app.Close();
    return exitCode;
}
