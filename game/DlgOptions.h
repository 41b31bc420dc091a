// The options dialog: the rotate style, the animation speed and the deal delay, applied
// while the controls move. Closing it asks the main window to destroy its window.
#pragma once
#include "resource.h"

#include <afxwin.h>

class DirectDrawWin;

class CDlgOptions : public CDialog {
public:
    CDlgOptions(CWnd* pParent = NULL);
    virtual ~CDlgOptions();

    enum { IDD = IDD_OPTIONS };

    virtual BOOL Create();

    bool m_bShown;
    int m_nRotateStyle;
    int m_nRotateSpeed;
    int m_nWaveSpeed;
    DirectDrawWin* m_pOwnerWin;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnRotateStyle();
    afx_msg void OnReset();

    DECLARE_MESSAGE_MAP()
};
