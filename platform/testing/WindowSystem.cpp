#include "testing/WindowSystem.h"

#include "testing/TestApplication.h"
#include "win32/Backend.h"
#include "qt/QtToolkit.h"
#include "win32/Window.h"

namespace platform::testing {

void InstallWindowSystem()
{
    static const bool installed = [] {
        backend::InstallToolkit(qt::MakeToolkit(backend::CoreEvents()));
        TheTestApplication();
        return true;
    }();
    (void)installed;
}

bool StartWindowSystem()
{
    InstallWindowSystem();
    return backend::App().Open("memory", "memory tests: cannot open a display\n");
}

size_t OpenTopLevelWindows() { return win32::TopLevelWindows().size(); }

void DestroyAllWindows() { win32::DestroyAllWindows(); }

} // namespace platform::testing
