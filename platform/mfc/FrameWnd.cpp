// CFrameWnd: a top-level window with a menu from the resources, which deletes its object
// once the window is gone and passes unhandled commands to the application.
#include <afxwin.h>

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CLOSE()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU menu = nullptr;
    if (lpszMenuName) {
        menu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
        if (!menu) {
            PostNcDestroy();
            return FALSE;
        }
    }
    auto extent = [](LONG from, LONG to) { return static_cast<int>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from)); };
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, extent(rect.left, rect.right),
                  extent(rect.top, rect.bottom), pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, menu, pContext)) {
        // A window that was made and then refused took its menu with it.
        if (menu && ::GetMenuItemCount(menu) >= 0)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnClose() { DestroyWindow(); }

BOOL CFrameWnd::OnQueryNewPalette() { return static_cast<BOOL>(Default()); }

void CFrameWnd::OnPaletteChanged(CWnd*) { Default(); }
