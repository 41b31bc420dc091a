#include "frame/DirectDrawWin.h"

#include "frame/DirectDrawApp.h"

#include <cstdlib>

DirectDrawWin* DirectDrawWin::s_pInstance = NULL;

BEGIN_MESSAGE_MAP(DirectDrawWin, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_WM_ERASEBKGND()
    ON_WM_ACTIVATE()
    ON_WM_MOVE()
    ON_WM_SIZE()
    ON_WM_PALETTECHANGED()
    ON_WM_ACTIVATEAPP()
    ON_WM_PAINT()
END_MESSAGE_MAP()

DirectDrawWin::DirectDrawWin()
    : m_pDirectDraw(NULL)
    , m_pPrimary(NULL)
    , m_pBackBuffer(NULL)
    , m_pPalette(NULL)
    , m_wRedShift(0)
    , m_wRedBits(0)
    , m_wGreenShift(0)
    , m_wGreenBits(0)
    , m_wBlueShift(0)
    , m_wBlueBits(0)
    , m_bActive(TRUE)
    , m_bUseTimer(true)
    , m_nTimerId(0)
    , m_nDisplayDepth(0)
    , m_pClipper(NULL)
    , m_bBackInVideoMemory(TRUE)
{
    ZeroMemory(&m_rcDisplay, sizeof(m_rcDisplay));
    ZeroMemory(&m_rcClient, sizeof(m_rcClient));
    s_pInstance = this;
    DirectDrawApp* pApp = static_cast<DirectDrawApp*>(AfxGetApp());
    if (pApp)
        pApp->m_pDirectDrawWin = this;
}

DirectDrawWin::~DirectDrawWin() {}

BOOL DirectDrawWin::Create(const CString& sTitle, UINT nIconId, UINT nMenuId)
{
    HICON hIcon = LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(nIconId));
    HCURSOR hCursor = LoadCursor(NULL, IDC_ARROW);
    CString sClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, hCursor, (HBRUSH)(COLOR_WINDOW + 1), hIcon);

    // The window rectangle for an exact 544 by 404 client area under a one-line menu,
    // at the place the system chooses.
    RECT rect = {0, 0, 544, 404};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, TRUE);
    LONG nWidth = rect.right - rect.left;
    LONG nHeight = rect.bottom - rect.top;
    rect.left = rectDefault.left;
    rect.top = rectDefault.top;
    rect.right = rect.left + nWidth;
    rect.bottom = rect.top + nHeight;

    return CFrameWnd::Create(sClass, sTitle, WS_OVERLAPPEDWINDOW, rect, NULL, MAKEINTRESOURCE(nMenuId), 0, NULL);
}

int DirectDrawWin::OnCreate(LPCREATESTRUCT)
{
    LPDIRECTDRAW pDirectDraw = NULL;
    DirectDrawCreate(NULL, &pDirectDraw, NULL);
    if (pDirectDraw) {
        pDirectDraw->QueryInterface(IID_IDirectDraw2, (void**)&m_pDirectDraw);
        pDirectDraw->Release();
    }
    if (m_pDirectDraw)
        m_pDirectDraw->SetCooperativeLevel(m_hWnd, DDSCL_NORMAL);
    StoreDisplayMode();

    if (!CreateFlippingSurfaces()) {
        AfxMessageBox("CreateFlippingSurfaces() failed", MB_OK);
        return 0;
    }
    StorePixelFormat();
    if (!CreateCustomSurfaces())
        AfxMessageBox("CreateCustomSurfaces() failed", MB_OK);
    return 0;
}

BOOL DirectDrawWin::CreateFlippingSurfaces()
{
    // Without a DirectDraw object nothing below can be made.
    if (!m_pDirectDraw)
        return FALSE;

    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (m_pDirectDraw->CreateSurface(&desc, &m_pPrimary, NULL) != DD_OK)
        return FALSE;

    if (m_pDirectDraw->CreateClipper(0, &m_pClipper, NULL) != DD_OK)
        return FALSE;
    if (m_pClipper->SetHWnd(0, m_hWnd) != DD_OK)
        return FALSE;
    if (m_pPrimary->SetClipper(m_pClipper) != DD_OK)
        return FALSE;

    GetClientRect(&m_rcClient);
    ClientToScreen(&m_rcClient);

    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = m_rcClient.right - m_rcClient.left;
    desc.dwHeight = m_rcClient.bottom - m_rcClient.top;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
    if (m_pDirectDraw->CreateSurface(&desc, &m_pBackBuffer, NULL) == DD_OK) {
        m_bBackInVideoMemory = TRUE;
    } else {
        m_bBackInVideoMemory = FALSE;
        m_pBackBuffer = NULL;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        if (m_pDirectDraw->CreateSurface(&desc, &m_pBackBuffer, NULL) != DD_OK) {
            m_pBackBuffer = NULL;
            AfxMessageBox("Cann't create backbuffer", MB_OK);
        }
    }
    return TRUE;
}

BOOL DirectDrawWin::StoreDisplayMode()
{
    if (!m_pDirectDraw)
        return FALSE;
    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    if (m_pDirectDraw->GetDisplayMode(&desc) != DD_OK)
        return FALSE;
    m_rcDisplay.left = 0;
    m_rcDisplay.top = 0;
    m_rcDisplay.right = (LONG)desc.dwWidth;
    m_rcDisplay.bottom = (LONG)desc.dwHeight;
    m_nDisplayDepth = desc.ddpfPixelFormat.dwRGBBitCount;
    return TRUE;
}

BOOL DirectDrawWin::StorePixelFormat()
{
    if (!m_pPrimary)
        return FALSE;
    DDPIXELFORMAT format;
    ZeroMemory(&format, sizeof(format));
    format.dwSize = sizeof(format);
    if (m_pPrimary->GetPixelFormat(&format) != DD_OK)
        return FALSE;

    m_wRedShift = (WORD)LowestBitIndex(format.dwRBitMask);
    m_wRedBits = (WORD)(HighestBitIndex(format.dwRBitMask) + 1 - m_wRedShift);
    m_wGreenShift = (WORD)LowestBitIndex(format.dwGBitMask);
    m_wGreenBits = (WORD)(HighestBitIndex(format.dwGBitMask) + 1 - m_wGreenShift);
    m_wBlueShift = (WORD)LowestBitIndex(format.dwBBitMask);
    m_wBlueBits = (WORD)(HighestBitIndex(format.dwBBitMask) + 1 - m_wBlueShift);
    return TRUE;
}

int DirectDrawWin::HighestBitIndex(DWORD dwMask)
{
    for (int i = 31; i >= 0; --i)
        if (dwMask & (1u << i))
            return i;
    return 0;
}

int DirectDrawWin::LowestBitIndex(DWORD dwMask)
{
    for (int i = 0; i < 32; ++i)
        if (dwMask & (1u << i))
            return i;
    return 0;
}

BOOL DirectDrawWin::CreatePaletteFromColors(const RGBQUAD* pColors, int nCount)
{
    if (m_pPalette) {
        m_pPalette->Release();
        m_pPalette = NULL;
    }

    // The first and last ten entries stay black.
    PALETTEENTRY aEntries[256];
    ZeroMemory(aEntries, sizeof(aEntries));
    for (int i = 10; i < 246 && i < nCount; ++i) {
        aEntries[i].peRed = pColors[i].rgbRed;
        aEntries[i].peGreen = pColors[i].rgbGreen;
        aEntries[i].peBlue = pColors[i].rgbBlue;
        aEntries[i].peFlags = 0;
    }

    if (!m_pDirectDraw ||
        m_pDirectDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, aEntries, &m_pPalette, NULL) != DD_OK) {
        m_pPalette = NULL;
        return FALSE;
    }
    if (m_pPrimary)
        m_pPrimary->SetPalette(m_pPalette);
    return TRUE;
}

BOOL DirectDrawWin::PrepareFrame()
{
    if (!m_bActive)
        return m_bActive;
    if (m_pPrimary && m_pPrimary->IsLost() != DD_OK) {
        m_pPrimary->Restore();
        if (m_pBackBuffer)
            m_pBackBuffer->Restore();
        RestoreSurfaces();
    }
    return m_bActive;
}

void DirectDrawWin::OnDestroy()
{
    if (m_pPrimary) {
        m_pPrimary->Release();
        m_pPrimary = NULL;
    }
    if (m_pBackBuffer) {
        m_pBackBuffer->Release();
        m_pBackBuffer = NULL;
    }
    if (m_pClipper) {
        m_pClipper->Release();
        m_pClipper = NULL;
    }
    if (m_pPalette) {
        m_pPalette->Release();
        m_pPalette = NULL;
    }
    if (m_pDirectDraw) {
        m_pDirectDraw->Release();
        m_pDirectDraw = NULL;
    }
}

void DirectDrawWin::FatalError(const char* pszText)
{
    if (s_pInstance && s_pInstance->m_pDirectDraw) {
        s_pInstance->m_pDirectDraw->RestoreDisplayMode();
        s_pInstance->m_pDirectDraw->Release();
        s_pInstance->m_pDirectDraw = NULL;
    }
    AfxMessageBox(pszText, MB_OK);
    exit(1);
}
