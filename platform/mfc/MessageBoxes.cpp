// The class library's message boxes: captioned with the application's name.
#include <afxwin.h>

#include <vector>

namespace {

// The class library's icon for a box that names none.
UINT WithDefaultIcon(UINT type)
{
    if (type & MB_ICONMASK)
        return type;
    switch (type & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
        return type | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return type | MB_ICONQUESTION;
    default:
        return type;
    }
}

} // namespace

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND owner = m_pMainWnd && ::IsWindow(m_pMainWnd->m_hWnd) ? m_pMainWnd->m_hWnd : nullptr;
    return ::MessageBoxA(owner, lpszPrompt, AfxGetAppName(), WithDefaultIcon(nType));
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxA(nullptr, lpszText, AfxGetAppName(), WithDefaultIcon(nType));
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    std::vector<char> text(1024);
    ::LoadStringA(AfxGetResourceHandle(), nIDPrompt, text.data(), static_cast<int>(text.size()));
    return AfxMessageBox(text.data(), nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}
