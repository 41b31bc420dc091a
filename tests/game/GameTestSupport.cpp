#include "GameTestSupport.h"

#include "support/BmpFiles.h"
#include "testing/ClientPixels.h"
#include "testing/DisplayOverride.h"
#include "testing/GdiSeams.h"
#include "testing/HiddenResources.h"
#include "testing/MessageBoxRecorder.h"
#include "testing/MessageLoop.h"
#include "testing/WindowProbe.h"

#include <cstdlib>
#include <map>

namespace gametest {

CommandLine::CommandLine(std::initializer_list<const char*> args)
    : m_args(args.begin(), args.end())
    , m_oldArgc(__argc)
    , m_oldArgv(__argv)
{
    for (std::string& a : m_args)
        m_argv.push_back(a.data());
    m_argv.push_back(nullptr);
    __argc = static_cast<int>(m_args.size());
    __argv = m_argv.data();
}

CommandLine::~CommandLine()
{
    __argc = m_oldArgc;
    __argv = m_oldArgv;
}

void GameWindowTest::SetUp()
{
    platform::testing::ClearMessageQueue();
    platform::testing::RecordMessageBoxes(IDOK);
    ddBefore = platform::testing::LiveDirectDrawObjects();
    gdiBefore = platform::testing::LiveGdiObjects();
}

void GameWindowTest::TearDown()
{
    Close();
    platform::testing::StopRecordingMessageBoxes();
    platform::testing::ClearRecordedMessageBoxes();
    platform::testing::ResetDirectDrawSeams();
    platform::testing::UnhideAllResources();
    platform::testing::ClearDisplayModeOverride();
    platform::testing::ClearMessageQueue();
}

MemWin* GameWindowTest::Open()
{
    if (!theApp.InitInstance())
        return nullptr;
    return dynamic_cast<MemWin*>(theApp.m_pMainWnd);
}

void GameWindowTest::Close()
{
    if (theApp.m_pMainWnd)
        theApp.m_pMainWnd->DestroyWindow();
    // The window object is gone; the application must not draw through it any more.
    theApp.m_pDirectDrawWin = NULL;
    platform::testing::DispatchPendingMessages();
    platform::testing::TakeQuitMessage();
}

std::optional<uint32_t> BitmapPixel(const std::string& name, int x, int y)
{
    static std::map<std::string, std::vector<uint8_t>> files;
    auto it = files.find(name);
    if (it == files.end())
        it = files.emplace(name, testsupport::ReadFile(std::string(std::getenv("MEMORY_SOURCE_DIR")) + "/res/" +
                                                        name + ".bmp"))
                 .first;
    return testsupport::BmpPixel(it->second, x, y);
}

uint32_t WindowPixel(HWND hwnd, int x, int y)
{
    platform::testing::ClientPixels view;
    if (!platform::testing::ReadClientPixels(hwnd, &view) || x >= view.width || y >= view.height) {
        ADD_FAILURE() << "no client pixel at " << x << ", " << y;
        return 0xDEADBEEF;
    }
    return view.At(x, y);
}

void FillWindow(HWND hwnd, uint32_t colour)
{
    ASSERT_TRUE(platform::testing::FillClientPixels(hwnd, colour));
}

void Choose(MemWin* pWin, UINT nCommand)
{
    ASSERT_TRUE(platform::testing::ChooseMenuItem(pWin->m_hWnd, nCommand)) << nCommand;
    platform::testing::DispatchPendingMessages();
}

bool SameCounts(const platform::testing::DirectDrawCounts& a, const platform::testing::DirectDrawCounts& b)
{
    return a.directDraws == b.directDraws && a.surfaces == b.surfaces && a.clippers == b.clippers &&
           a.palettes == b.palettes;
}

} // namespace gametest
