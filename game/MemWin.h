// The game's main window: owns the game model, the bitmap surfaces, the sound bank,
// the MIDI player and the options dialog.
#pragma once
#include "frame/DirectDrawWin.h"

#define WM_OPTIONS_CLOSED (WM_USER + 179)

class AGame;
class CDlgOptions;
class DSound;
class MidiPlayer;

// How a card turns up, as chosen in the options dialog.
enum RotateStyle {
    ROTATE_VERTICAL = 0,
    ROTATE_HORIZONTAL = 1,
    ROTATE_SQUARE = 2,
    ROTATE_VH = 3,
    ROTATE_HV = 4,
    ROTATE_RANDOM = 5,
    ROTATE_IMMEDIATE = 6,
};

class MemWin : public DirectDrawWin {
public:
    MemWin();
    virtual ~MemWin();

    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void DrawFrame();
    virtual BOOL CreateCustomSurfaces();
    virtual void RestoreSurfaces();

    void ReleaseSurfaces();
    RGBQUAD* LoadPaletteResource();
    void LoadPalette();
    BOOL DirectPlayCheck();
    BOOL StartSound();
    BOOL StartMusic();
    void RestoreWindowSize();
    void PlayWinSound();
    void PlayStartSound();

    afx_msg LRESULT OnOptionsClosed(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnFindSecondCard();
    afx_msg void OnDefaultSize();
    afx_msg void OnStart();
    afx_msg void OnSound();
    afx_msg void OnOptions();
    afx_msg void OnPlayMidiTest();
    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    BOOL m_bUseSound;
    BOOL m_bUseMusic;
    DSound* m_pDSound;
    MidiPlayer* m_pMidiPlayer;
    BOOL m_bSoundOn;
    BOOL m_bMusicOn;
    RECT m_rcDefaultWindow;
    int m_nHorzRes;
    int m_nVertRes;
    int m_nBitsPixel;
    AGame* m_pGame;
    LPDIRECTDRAWSURFACE m_pFacesSurface;
    LPDIRECTDRAWSURFACE m_pBacksSurface;
    LPDIRECTDRAWSURFACE m_pBackgroundSurface;
    CDlgOptions* m_pDlgOptions;
    int m_nRotateStyle;

    DECLARE_MESSAGE_MAP()
};
