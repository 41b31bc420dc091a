// Dialog data exchange: between a dialog's fields and its controls.
#include <afxwin.h>
#include <commctrl.h>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate)
    , m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC) { return ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC); }

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND first = pDX->PrepareCtrl(nIDC);
    if (!first)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND h = first; h && (h == first || !(::GetWindowLongA(h, GWL_STYLE) & WS_GROUP)); h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (!(::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (!pDX->m_bSaveAndValidate)
            ::SendMessageA(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        else if (::SendMessageA(h, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
            value = index;
        ++index;
    }
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, TBM_GETPOS, 0, 0));
    else
        ::SendMessageA(control, TBM_SETPOS, TRUE, value);
}
