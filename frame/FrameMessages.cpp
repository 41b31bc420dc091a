// The frame window's handlers of activation, mouse, move, size and palette messages.
#include "frame/DirectDrawWin.h"

UINT g_nMouseFlags = 0;
int g_nMouseX = 0;
int g_nMouseY = 0;

void DirectDrawWin::OnActivate(UINT, CWnd*, BOOL)
{
    if (m_pPrimary)
        m_pPrimary->SetPalette(m_pPalette);
    Default();
}

void DirectDrawWin::OnActivateApp(BOOL bActive, DWORD)
{
    Default();
    m_bActive = bActive;
    if (!m_bUseTimer)
        return;
    if (bActive) {
        m_nTimerId = SetTimer(1, 100, NULL);
    } else if (KillTimer(m_nTimerId) == 0) {
        MessageBox("Cann't KillTimer", NULL, MB_OK);
    }
}

BOOL DirectDrawWin::OnEraseBkgnd(CDC*)
{
    // Every pixel of the client area comes from the presented frame.
    return TRUE;
}

void DirectDrawWin::OnMouseMove(UINT nFlags, CPoint point)
{
    // Single precision throughout, factor first: the board position depends on it.
    int w = m_rcClient.right - m_rcClient.left;
    int h = m_rcClient.bottom - m_rcClient.top;
    g_nMouseFlags = nFlags;
    // A minimised window has no client area to scale from; the position stays as it was.
    if (w <= 0 || h <= 0)
        return;
    float sx = 544.0f / (float)w;
    float sy = 404.0f / (float)h;
    float fx = (float)point.x * sx;
    float fy = (float)point.y * sy;
    g_nMouseX = (int)fx;
    g_nMouseY = (int)fy;
}

void DirectDrawWin::OnMove(int, int)
{
    Default();
    GetClientRect(&m_rcClient);
    ClientToScreen(&m_rcClient);
}

void DirectDrawWin::OnSize(UINT, int, int)
{
    Default();
    GetClientRect(&m_rcClient);
    ClientToScreen(&m_rcClient);
}

void DirectDrawWin::OnPaletteChanged(CWnd*)
{
    Default();
}
