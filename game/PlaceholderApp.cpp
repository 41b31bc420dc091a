// A stand-in application until the game's own window exists: a frame window with the
// game's menu and a 544 by 404 client area.
#include <afxwin.h>

#include "resource.h"

class PlaceholderApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

PlaceholderApp theApp;

BOOL PlaceholderApp::InitInstance()
{
    HICON icon = ::LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDI_MEMORY));
    LPCTSTR windowClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    CRect rect(0, 0, 544, 404);
    ::AdjustWindowRect(rect, WS_OVERLAPPEDWINDOW, TRUE);
    rect.OffsetRect(CFrameWnd::rectDefault.left - rect.left, CFrameWnd::rectDefault.top - rect.top);

    CFrameWnd* frame = new CFrameWnd; // deletes itself when its window is gone
    if (!frame->Create(windowClass, "Memory Game", WS_OVERLAPPEDWINDOW, rect, NULL, MAKEINTRESOURCE(IDR_MENU))) {
        AfxMessageBox("Cannot create the main window");
        return FALSE;
    }
    m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOWNORMAL);
    frame->UpdateWindow();
    return TRUE;
}
