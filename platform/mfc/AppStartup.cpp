// The class library's start-up of the application object.
#include "mfc/HandleMaps.h"

#include <afxwin.h>

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance;
    app->m_hPrevInstance = hPrevInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    app->m_pszExeName = platform::mfc::ExecutableBaseName().c_str();
    // No name given and no string resource for one: the executable's base name.
    if (!app->m_pszAppName)
        app->m_pszAppName = app->m_pszExeName;
    if (!app->InitApplication())
        return -1;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
