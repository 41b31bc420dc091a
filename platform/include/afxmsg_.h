// Message-map entries. Each entry's thunk unpacks wParam and lParam as the platform
// defines them and calls the handler of the class named in BEGIN_MESSAGE_MAP, so a
// handler with the wrong signature does not compile.
//
// Handlers of messages (ON_WM_*) are found by their usual names (OnCreate, OnSize...).
// ON_COMMAND, ON_BN_CLICKED and ON_MESSAGE take the member's address:
//     ON_COMMAND(ID_HELP_ABOUT, &MemApp::OnAppAbout)
//     ON_MESSAGE(WM_OPTIONS_CLOSED, &MemWin::OnOptionsClosed)
#pragma once

class CScrollBar;
// The control behind a scroll message's lParam (NULL for none).
CScrollBar* AfxScrollBarFromHandle(HWND hWnd);

#define AFX_MSG_THUNK(...)                                                                           \
    +[](CCmdTarget* pTarget_, [[maybe_unused]] WPARAM wParam, [[maybe_unused]] LPARAM lParam) -> LRESULT { \
        [[maybe_unused]] ThisClass* pThis_ = static_cast<ThisClass*>(pTarget_);                   \
        __VA_ARGS__                                                                              \
    }

#define AFX_MSG_ENTRY(msg, ...) {msg, 0, 0, 0, AFX_MSG_THUNK(__VA_ARGS__)},

#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, return pThis_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, pThis_->OnDestroy(); return 0;)
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, pThis_->OnNcDestroy(); return 0;)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, pThis_->OnPaint(); return 0;)
#define ON_WM_ERASEBKGND()                                        \
    AFX_MSG_ENTRY(WM_ERASEBKGND, CDC dc_; dc_.m_hDC = reinterpret_cast<HDC>(wParam); \
                  LRESULT r_ = pThis_->OnEraseBkgnd(&dc_); dc_.m_hDC = nullptr; return r_;)
#define ON_WM_SIZE() \
    AFX_MSG_ENTRY(WM_SIZE, pThis_->OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_MOVE()                                                                            \
    AFX_MSG_ENTRY(WM_MOVE, pThis_->OnMove(static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))); \
                  return 0;)
#define ON_WM_ACTIVATE()                                                                          \
    AFX_MSG_ENTRY(WM_ACTIVATE, pThis_->OnActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), \
                                                  static_cast<BOOL>(HIWORD(wParam)));             \
                  return 0;)
#define ON_WM_ACTIVATEAPP() \
    AFX_MSG_ENTRY(WM_ACTIVATEAPP, pThis_->OnActivateApp(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam)); return 0;)
#define ON_WM_MOUSEMOVE() \
    AFX_MSG_ENTRY(WM_MOUSEMOVE, pThis_->OnMouseMove(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_LBUTTONDOWN() \
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, pThis_->OnLButtonDown(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_LBUTTONUP() \
    AFX_MSG_ENTRY(WM_LBUTTONUP, pThis_->OnLButtonUp(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_LBUTTONDBLCLK() \
    AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, pThis_->OnLButtonDblClk(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_RBUTTONDOWN() \
    AFX_MSG_ENTRY(WM_RBUTTONDOWN, pThis_->OnRButtonDown(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_RBUTTONUP() \
    AFX_MSG_ENTRY(WM_RBUTTONUP, pThis_->OnRButtonUp(static_cast<UINT>(wParam), CPoint(lParam)); return 0;)
#define ON_WM_CHAR() \
    AFX_MSG_ENTRY(WM_CHAR, pThis_->OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, pThis_->OnTimer(static_cast<UINT_PTR>(wParam)); return 0;)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, pThis_->OnSysCommand(static_cast<UINT>(wParam), lParam); return 0;)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, pThis_->OnClose(); return 0;)
#define ON_WM_SHOWWINDOW() \
    AFX_MSG_ENTRY(WM_SHOWWINDOW, pThis_->OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return 0;)
#define ON_WM_PALETTECHANGED() \
    AFX_MSG_ENTRY(WM_PALETTECHANGED, pThis_->OnPaletteChanged(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;)
#define ON_WM_QUERYNEWPALETTE() AFX_MSG_ENTRY(WM_QUERYNEWPALETTE, return pThis_->OnQueryNewPalette();)
#define ON_WM_VSCROLL()                                                                    \
    AFX_MSG_ENTRY(WM_VSCROLL, pThis_->OnVScroll(LOWORD(wParam), HIWORD(wParam),            \
                                                AfxScrollBarFromHandle(reinterpret_cast<HWND>(lParam))); \
                  return 0;)
#define ON_WM_HSCROLL()                                                                    \
    AFX_MSG_ENTRY(WM_HSCROLL, pThis_->OnHScroll(LOWORD(wParam), HIWORD(wParam),            \
                                                AfxScrollBarFromHandle(reinterpret_cast<HWND>(lParam))); \
                  return 0;)

// WM_COMMAND from a menu item or accelerator (code 0) or a control's notification.
#define ON_CONTROL(code, id, memberFxn)                                                         \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id),         \
     AFX_MSG_THUNK((pThis_->*static_cast<void (ThisClass::*)()>(memberFxn))(); return 0;)},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)

// Any message to a handler LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                            \
    {static_cast<UINT>(message), 0, 0, 0,                                                         \
     AFX_MSG_THUNK(return (pThis_->*static_cast<LRESULT (ThisClass::*)(WPARAM, LPARAM)>(memberFxn))(wParam, lParam);)},
