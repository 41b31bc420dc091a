// Frame window base: an overlapping frame window whose client area is drawn
// through DirectDraw in windowed mode.
#pragma once
#include <afxwin.h>
#include <ddraw.h>

// The last mouse move: its key-state flags and its position scaled to the 544 by 404 board.
extern UINT g_nMouseFlags;
extern int g_nMouseX;
extern int g_nMouseY;

class DirectDrawWin : public CFrameWnd {
public:
    DirectDrawWin();
    virtual ~DirectDrawWin();

    BOOL Create(const CString& sTitle, UINT nIconId, UINT nMenuId);

    // Hooks for the derived window.
    virtual void DrawFrame() = 0;
    virtual BOOL CreateCustomSurfaces() = 0;
    virtual void RestoreSurfaces() = 0;
    virtual BOOL CreateFlippingSurfaces();

    BOOL StoreDisplayMode();
    BOOL StorePixelFormat();
    BOOL CreatePaletteFromColors(const RGBQUAD* pColors, int nCount);
    BOOL PrepareFrame();
    BOOL BltClipped(LPDIRECTDRAWSURFACE pDest, LPDIRECTDRAWSURFACE pSrc, int x, int y, BOOL bSrcColorKey);

    static void FatalError(const char* pszText);
    static int HighestBitIndex(DWORD dwMask);
    static int LowestBitIndex(DWORD dwMask);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);

    LPDIRECTDRAW2 m_pDirectDraw;
    LPDIRECTDRAWSURFACE m_pPrimary;
    LPDIRECTDRAWSURFACE m_pBackBuffer;
    LPDIRECTDRAWPALETTE m_pPalette;
    WORD m_wRedShift;
    WORD m_wRedBits;
    WORD m_wGreenShift;
    WORD m_wGreenBits;
    WORD m_wBlueShift;
    WORD m_wBlueBits;
    BOOL m_bActive;
    bool m_bUseTimer;
    UINT_PTR m_nTimerId;
    RECT m_rcDisplay;
    int m_nDisplayDepth;
    RECT m_rcClient;
    LPDIRECTDRAWCLIPPER m_pClipper;
    BOOL m_bBackInVideoMemory;

    static DirectDrawWin* s_pInstance;

    DECLARE_MESSAGE_MAP()
};
