// The program's entry: the command line for the runtime library, Qt, then the class
// library's start-up of the application object.
#include "win32/Backend.h"
#include "win32/Window.h"

#include <afxwin.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char kNoDisplay[] = "memory: cannot open a display; set DISPLAY to an X server\n";

bool Set(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// While Qt starts, its messages stay quiet; a fatal one (no display could be opened)
// becomes our one line and a plain exit instead of an abort.
void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
}

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
    if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM")) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    // Qt gets no arguments of ours to interpret: the command line belongs to the program.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QtMessageHandler previous = qInstallMessageHandler(&StartupMessages);
    QApplication app(qtArgc, qtArgv);
    qInstallMessageHandler(previous);
    platform::backend::EnsureApplication();

    static std::string commandLine = CommandTail(argc, argv);
    int exitCode = AfxWinMain(::GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
    platform::win32::DestroyAllWindows();
    return exitCode;
}
