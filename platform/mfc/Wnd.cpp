// CWnd: attaching objects to windows, creation, the window procedure of the class
// library and message-map dispatch.
#include "mfc/HandleMaps.h"
#include "win32/Window.h"

#include <afxwin.h>

using platform::mfc::CurrentMessage;

// What the creation hook and OnNcDestroy need of CWnd's insides.
struct CWndAccess {
    static void SetSuper(CWnd* w, WNDPROC proc) { w->m_pfnSuper = proc; }
    static WNDPROC Super(CWnd* w) { return w->m_pfnSuper; }
};

namespace platform::mfc {

// Runs inside CreateWindowEx before the window's first message: the object takes the
// window, and the class library's procedure goes in front of the class's.
void AttachOnCreate(HWND hwnd, void* context)
{
    CWnd* wnd = static_cast<CWnd*>(context);
    wnd->Attach(hwnd);
    auto previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (previous != &AfxWndProc)
        CWndAccess::SetSuper(wnd, previous);
}

} // namespace platform::mfc

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    MSG& current = CurrentMessage();
    const MSG outer = current;
    current = MSG{hWnd, nMsg, wParam, lParam, 0, {}};
    // The object may be gone when this returns (WM_NCDESTROY).
    LRESULT result = wnd->WindowProc(nMsg, wParam, lParam);
    CurrentMessage() = outer;
    return result;
}

CWnd::~CWnd()
{
    if (m_hWnd && platform::mfc::PermanentWnd(m_hWnd) == this && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    if (m_hWnd && platform::mfc::PermanentWnd(m_hWnd) == this)
        Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    CWnd* wnd = FromHandlePermanent(hWnd);
    return wnd ? wnd : platform::mfc::TemporaryWnd(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd ? platform::mfc::PermanentWnd(hWnd) : nullptr; }

CScrollBar* AfxScrollBarFromHandle(HWND hWnd)
{
    if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd))
        return dynamic_cast<CScrollBar*>(wnd);
    return platform::mfc::TemporaryScrollBar(hWnd);
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew))
        return FALSE;
    m_hWnd = hWndNew;
    platform::mfc::AttachPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && platform::mfc::PermanentWnd(hWnd) == this)
        platform::mfc::DetachPermanent(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    // Sizes wrap as the platform's do, so rectDefault's size stays CW_USEDEFAULT.
    auto extent = [](LONG from, LONG to) { return static_cast<int>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from)); };
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, extent(rect.left, rect.right),
                    extent(rect.top, rect.bottom), pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCT cs{lpParam, AfxGetInstanceHandle(), nIDorHMenu, hWndParent, nHeight, nWidth, y, x,
                    static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    platform::win32::SetCreationHook(&platform::mfc::AttachOnCreate, this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // When no window ever took the object, it is cleaned up here; a window that was made
    // and then refused has cleaned up already (the object may be gone).
    if (platform::win32::ClearCreationHook())
        PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hWnd = m_hWnd;
    const bool attached = FromHandlePermanent(hWnd) == this;
    BOOL result = ::DestroyWindow(hWnd);
    // An attached object may have been deleted by now; an unattached one forgets the handle.
    if (!attached)
        m_hWnd = nullptr;
    return result;
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!entry)
        return FALSE;
    *pResult = entry->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) { return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr); }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& current = CurrentMessage();
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

// --- Message map and default handlers ---

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

void CWnd::OnNcDestroy()
{
    // The main window's end is the application's end.
    CWinThread* thread = AfxGetThread();
    if (thread && thread->m_pMainWnd == this) {
        AfxPostQuitMessage(0);
        thread->m_pMainWnd = nullptr;
    }
    Default();
    WNDPROC super = CWndAccess::Super(this);
    if (super && ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
    Detach();
    PostNcDestroy();
}

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
BOOL CWnd::OnQueryNewPalette() { return static_cast<BOOL>(Default()); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
