// The main window's commands, the input it passes to the game, and the display rebuild
// that activation, size, palette changes and the P key set off.
#include "game/AGame.h"
#include "game/DlgOptions.h"
#include "game/GameGlobals.h"
#include "game/MemWin.h"
#include "game/ScreenCaps.h"
#include "resource.h"
#include "sound/MidiPlayer.h"

namespace {

// The display objects are made again on the live window: the game, the sound bank and
// the options dialog stay as they are, and the cards draw from the new sheets at once.
void RebuildDisplay(MemWin& win)
{
    win.RestoreWindowSize();
    win.LoadPalette();
    win.ReleaseSurfaces();
    win.DirectDrawWin::OnDestroy();
    win.DirectDrawWin::OnCreate(NULL);
}

// A palette screen always needs new display objects; a deeper one only when its size or
// depth changed since the values were recorded.
bool ScreenNeedsRebuild(const MemWin& win)
{
    int nHorzRes, nVertRes, nBitsPixel;
    ReadScreenCaps(&nHorzRes, &nVertRes, &nBitsPixel);
    return nBitsPixel == 8 || nHorzRes != win.m_nHorzRes || nVertRes != win.m_nVertRes || nBitsPixel != win.m_nBitsPixel;
}

} // namespace

// Posted by the dialog as it closes: its window goes now, the object stays for the next opening.
LRESULT MemWin::OnOptionsClosed(WPARAM, LPARAM)
{
    m_pDlgOptions->DestroyWindow();
    return 0;
}

void MemWin::OnTimer(UINT_PTR)
{
    if (m_pGame)
        m_pGame->OnTimer();
    Default();
}

void MemWin::OnLButtonDown(UINT, CPoint)
{
    if (m_pGame)
        m_pGame->OnLButtonDown();
    Default();
}

void MemWin::OnLButtonUp(UINT, CPoint)
{
    if (m_pGame)
        m_pGame->OnLButtonUp();
    Default();
}

void MemWin::OnMouseMove(UINT nFlags, CPoint point)
{
    DirectDrawWin::OnMouseMove(nFlags, point);
    if (m_pGame)
        m_pGame->OnMouseMove();
}

void MemWin::OnChar(UINT nChar, UINT, UINT)
{
    Default();
    if (nChar == 'P' || nChar == 'p')
        RebuildDisplay(*this);
}

void MemWin::OnFindSecondCard()
{
    if (m_pGame)
        m_pGame->ShowHint();
}

void MemWin::OnDefaultSize()
{
    RestoreWindowSize();
}

void MemWin::OnStart()
{
    if (m_pGame)
        m_pGame->Start();
    // Even a refused start counts as the player doing something.
    g_nIdleTicks = 0;
}

void MemWin::OnSound()
{
    m_bSoundOn = m_bSoundOn ? 0 : 1;
    GetMenu()->CheckMenuItem(ID_GAME_SOUND, m_bSoundOn ? MF_CHECKED : MF_UNCHECKED);
}

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

void MemWin::OnPlayMidiTest()
{
    if (m_pMidiPlayer && m_pMidiPlayer->m_pPerformance)
        m_pMidiPlayer->m_pPerformance->PlaySegment(m_pMidiPlayer->m_pSegment, DMUS_SEGF_BEAT, 0, NULL);
}

BOOL MemWin::OnQueryNewPalette()
{
    return CFrameWnd::OnQueryNewPalette();
}

void MemWin::OnPaletteChanged(CWnd* pFocusWnd)
{
    DirectDrawWin::OnPaletteChanged(pFocusWnd);
    if (pFocusWnd != this && !IsIconic()) {
        RebuildDisplay(*this);
        InvalidateRect(NULL, TRUE);
    }
}

void MemWin::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    DirectDrawWin::OnActivateApp(bActive, dwThreadID);
    if (!m_bActive)
        ReadScreenCaps(&m_nHorzRes, &m_nVertRes, &m_nBitsPixel);
    else if (!IsIconic() && ScreenNeedsRebuild(*this))
        RebuildDisplay(*this);
}

void MemWin::OnSize(UINT nType, int cx, int cy)
{
    DirectDrawWin::OnSize(nType, cx, cy);
    if (nType == SIZE_RESTORED && ScreenNeedsRebuild(*this))
        RebuildDisplay(*this);
}

void MemWin::RestoreWindowSize()
{
    if (IsZoomed())
        ShowWindow(SW_SHOWNORMAL);
    SetWindowPos(NULL, 0, 0, m_rcDefaultWindow.right - m_rcDefaultWindow.left,
                 m_rcDefaultWindow.bottom - m_rcDefaultWindow.top, SWP_NOMOVE | SWP_NOZORDER);
}
