// The main window's commands and input. The game model, the options dialog and
// the display rebuild come with their own changes; the frame's own handling of
// mouse, activation, size and palette messages already runs here.
#include "game/MemWin.h"

#include "game/DlgOptions.h"

// Posted by the dialog as it closes: its window goes now, the object stays for the next opening.
LRESULT MemWin::OnOptionsClosed(WPARAM, LPARAM)
{
    m_pDlgOptions->DestroyWindow();
    return 0;
}

void MemWin::OnTimer(UINT_PTR)
{
    Default();
}

void MemWin::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void MemWin::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void MemWin::OnMouseMove(UINT nFlags, CPoint point)
{
    DirectDrawWin::OnMouseMove(nFlags, point);
}

void MemWin::OnChar(UINT, UINT, UINT)
{
    Default();
}

void MemWin::OnFindSecondCard() {}

void MemWin::OnDefaultSize() {}

void MemWin::OnStart() {}

void MemWin::OnSound() {}

void MemWin::OnOptions()
{
    if (!m_pDlgOptions->m_bShown) {
        m_pDlgOptions->Create();
        return;
    }
    HWND hDialog = ::FindWindowA(NULL, "Options");
    if (hDialog)
        ::SetActiveWindow(hDialog);
}

void MemWin::OnPlayMidiTest() {}

BOOL MemWin::OnQueryNewPalette()
{
    return CFrameWnd::OnQueryNewPalette();
}

void MemWin::OnPaletteChanged(CWnd* pFocusWnd)
{
    DirectDrawWin::OnPaletteChanged(pFocusWnd);
}

void MemWin::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    DirectDrawWin::OnActivateApp(bActive, dwThreadID);
}

void MemWin::OnSize(UINT nType, int cx, int cy)
{
    DirectDrawWin::OnSize(nType, cx, cy);
}

void MemWin::RestoreWindowSize() {}
