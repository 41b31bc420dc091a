#include "game/DlgOptions.h"

#include "game/AGame.h"
#include "game/GameGlobals.h"
#include "game/MemWin.h"
#include "game/WindowProcRules.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CDlgOptions, CDialog)
    ON_BN_CLICKED(IDC_VERTICAL, &CDlgOptions::OnRotateStyle)
    ON_BN_CLICKED(IDC_HORIZONTAL, &CDlgOptions::OnRotateStyle)
    ON_BN_CLICKED(IDC_SQUARE, &CDlgOptions::OnRotateStyle)
    ON_BN_CLICKED(IDC_VH, &CDlgOptions::OnRotateStyle)
    ON_BN_CLICKED(IDC_HV, &CDlgOptions::OnRotateStyle)
    ON_BN_CLICKED(IDC_RANDOM, &CDlgOptions::OnRotateStyle)
    ON_BN_CLICKED(IDC_IMMEDIATE, &CDlgOptions::OnRotateStyle)
    ON_WM_VSCROLL()
    ON_BN_CLICKED(IDC_RESET, &CDlgOptions::OnReset)
END_MESSAGE_MAP()

CDlgOptions::CDlgOptions(CWnd* pParent)
    : CDialog(CDlgOptions::IDD, pParent)
    , m_bShown(false)
    , m_nRotateStyle(-1)
    , m_nRotateSpeed(0)
    , m_nWaveSpeed(0)
    , m_pOwnerWin(DirectDrawWin::s_pInstance)
{
}

CDlgOptions::~CDlgOptions() {}

BOOL CDlgOptions::Create()
{
    return CDialog::Create(CDlgOptions::IDD, NULL);
}

void CDlgOptions::DoDataExchange(CDataExchange* pDX)
{
    // The radio index is the button's place in the template, not its id.
    DDX_Radio(pDX, IDC_VERTICAL, m_nRotateStyle);
    DDX_Slider(pDX, IDC_ROTATE_SPEED, m_nRotateSpeed);
    DDX_Slider(pDX, IDC_WAVE_SPEED, m_nWaveSpeed);
}

BOOL CDlgOptions::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bShown = true;
    SendDlgItemMessage(IDC_ROTATE_SPEED, TBM_SETRANGE, TRUE, MAKELONG(1, 20));
    SendDlgItemMessage(IDC_WAVE_SPEED, TBM_SETRANGE, TRUE, MAKELONG(1, 20));
    m_nRotateSpeed = (int)g_fRotateSpeed;
    m_nWaveSpeed = 21 - g_nWaveDelay;
    UpdateData(FALSE);
    return TRUE;
}

// Every step of a trackbar applies at once: neither OK nor Cancel is needed.
void CDlgOptions::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    UpdateData(TRUE);
    g_fRotateSpeed = (float)m_nRotateSpeed;
    g_nWaveDelay = 21 - m_nWaveSpeed;
    CDialog::OnVScroll(nSBCode, nPos, pScrollBar);
}

// The style is stored first, so that a start refused during a deal still leaves it for
// the next card turned and the next game.
void CDlgOptions::OnRotateStyle()
{
    UpdateData(TRUE);
    MemWin* pWin = (MemWin*)m_pOwnerWin;
    pWin->m_nRotateStyle = m_nRotateStyle;
    pWin->m_pGame->Start();
}

void CDlgOptions::OnReset()
{
    m_nRotateSpeed = 8;
    m_nWaveSpeed = 17;
    UpdateData(FALSE);
    g_fRotateSpeed = (float)m_nRotateSpeed;
    g_nWaveDelay = 21 - m_nWaveSpeed;
}

// The window is not destroyed inside its own handler: the main window does it when the
// posted message arrives.
void CDlgOptions::OnCancel()
{
    m_pOwnerWin->PostMessage(WM_OPTIONS_CLOSED, 0, 0);
    m_bShown = false;
}

void CDlgOptions::OnOK()
{
    OnCancel();
}

LRESULT CDlgOptions::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsMonitorPowerRequest(message, wParam))
        return 1;
    return CDialog::DefWindowProc(message, wParam, lParam);
}
