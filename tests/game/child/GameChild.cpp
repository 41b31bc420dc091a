// The game, started the way the program starts it, for tests of the paths that end the
// process. Message boxes are recorded and shown, each in its modal loop, and a user answers
// each with its default button (OK); the resources named in MEMORY_CHILD_HIDE (comma-separated) look missing. The command
// line stays the program's own: every argument goes to the game.
//
// What happened is printed to stdout when the process ends, one item a line:
//   box|<caption>|<button type>|<text, line feeds as \n>   every message box, in order
//   sheet|<name>|<width>x<height> or none                   the window's bitmaps, if it still exists
//   main-window|none or present                             after the class library's start-up returned
//   windows|<count>                                         top-level windows left at that point
#include "frame/DirectDrawWin.h"
#include "game/MemWin.h"
#include "testing/HiddenResources.h"
#include "testing/MessageBoxRecorder.h"
#include "testing/WindowSystem.h"

#include <afxwin.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool g_bStarting = false; // inside the class library's start-up, where FatalError ends the process
bool g_bMainWindowLeft = false;
size_t g_nWindowsLeft = 0;

void HideResources()
{
    const char* list = std::getenv("MEMORY_CHILD_HIDE");
    std::string names = list ? list : "";
    for (size_t at = 0; at < names.size();) {
        size_t comma = names.find(',', at);
        std::string name = names.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        if (!name.empty())
            platform::testing::HideResource(name.c_str());
        at = comma == std::string::npos ? names.size() : comma + 1;
    }
}

void PrintSheet(const char* name, LPDIRECTDRAWSURFACE surface)
{
    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    if (!surface)
        std::printf("sheet|%s|none\n", name);
    else if (surface->GetSurfaceDesc(&desc) == DD_OK)
        std::printf("sheet|%s|%lux%lu\n", name, (unsigned long)desc.dwWidth, (unsigned long)desc.dwHeight);
    else
        std::printf("sheet|%s|unreadable\n", name);
}

void Report()
{
    for (const platform::testing::RecordedMessageBox& box : platform::testing::RecordedMessageBoxes()) {
        std::string text;
        for (char c : box.text)
            text += c == '\n' ? std::string("\\n") : std::string(1, c);
        std::printf("box|%s|%u|%s\n", box.caption.c_str(), (unsigned)(box.type & MB_TYPEMASK), text.c_str());
    }
    if (g_bStarting) {
        // Ended from inside the window's creation: the window object is still there.
        if (MemWin* pWin = dynamic_cast<MemWin*>(DirectDrawWin::s_pInstance)) {
            PrintSheet("LEVEL0", pWin->m_pFacesSurface);
            PrintSheet("STOVE2", pWin->m_pBacksSurface);
            PrintSheet("BKGR_FOIL", pWin->m_pBackgroundSurface);
        }
    } else {
        std::printf("main-window|%s\n", g_bMainWindowLeft ? "present" : "none");
        std::printf("windows|%zu\n", g_nWindowsLeft);
    }
    std::fflush(stdout);
}

std::string CommandTail(int argc, char** argv)
{
    std::string tail;
    for (int i = 1; i < argc; ++i)
        tail += (i > 1 ? " " : "") + std::string(argv[i]);
    return tail;
}

} // namespace

int main(int argc, char** argv)
{
    __argc = argc;
    __argv = argv;
    // The toolkit first: the recorder shows its boxes through it. The record exists before the
    // report is registered, so it outlives the report at exit.
    platform::testing::InstallWindowSystem();
    platform::testing::RecordShownMessageBoxes();
    std::atexit(&Report);
    HideResources();
    if (!platform::testing::StartWindowSystem()) {
        std::fputs("game child: no display\n", stderr);
        return 2;
    }

    static std::string commandLine = CommandTail(argc, argv);
    g_bStarting = true;
    int exitCode = AfxWinMain(::GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
    g_bStarting = false;
    g_bMainWindowLeft = AfxGetApp() && AfxGetApp()->m_pMainWnd;
    g_nWindowsLeft = platform::testing::OpenTopLevelWindows();
    platform::testing::DestroyAllWindows();
    return exitCode;
}
