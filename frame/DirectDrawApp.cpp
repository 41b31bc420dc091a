#include "frame/DirectDrawApp.h"

#include "frame/DirectDrawWin.h"

BEGIN_MESSAGE_MAP(DirectDrawApp, CWinApp)
END_MESSAGE_MAP()

DirectDrawApp::DirectDrawApp()
    : CWinApp(NULL)
    , m_pDirectDrawWin(NULL)
{
}

DirectDrawApp::~DirectDrawApp() {}

BOOL DirectDrawApp::InitInstance()
{
    // Always open in the normal state, whatever the process was started with.
    m_pMainWnd->ShowWindow(SW_SHOWNORMAL);
    ::UpdateWindow(m_pMainWnd->m_hWnd);
    return TRUE;
}

BOOL DirectDrawApp::OnIdle(LONG)
{
    if (m_pDirectDrawWin && m_pDirectDrawWin->PrepareFrame())
        m_pDirectDrawWin->DrawFrame();
    Sleep(1);
    return TRUE;
}
