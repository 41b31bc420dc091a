// The class library's dialogs: CDialog and dialog data exchange (included by afxwin.h).
#pragma once

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control of that id in the dialog (NULL when there is none).
    HWND PrepareCtrl(int nIDC);

    BOOL m_bSaveAndValidate; // TRUE: controls to fields; FALSE: fields to controls
    CWnd* m_pDlgWnd;
};

// The index of the selected radio button of the group that begins at nIDC (the group runs
// to the next control with WS_GROUP; only radio buttons count), -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// The position of a trackbar.
void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    ~CDialog() override;

    // A modeless dialog from the template in the resources. Without a parent the
    // application's main window owns it.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);

    // Runs DoDataExchange: TRUE reads the controls into the fields, FALSE sets the controls.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    CWnd* GetDlgItem(int nID) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void EndDialog(int nResult);

    // Keyboard and mouse input of the dialog and its controls goes through the dialog's
    // keyboard handling (Tab, Enter, Escape, arrows).
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // WM_INITDIALOG: sets the controls from the fields; TRUE lets the platform put the
    // focus on the first control that takes it.
    virtual BOOL OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // IDOK: reads the controls and ends the dialog; IDCANCEL: ends it.
    virtual void OnOK();
    virtual void OnCancel();

    LPCTSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()
};
