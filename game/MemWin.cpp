#include "game/MemWin.h"

#include "frame/BitmapSurface.h"
#include "frame/FrameTimer.h"
#include "game/DlgOptions.h"
#include "game/GameMemory.h"
#include "game/ScreenCaps.h"
#include "game/WindowProcRules.h"
#include "resource.h"
#include "sound/DSound.h"
#include "sound/MidiPlayer.h"

#include <mbstring.h>

#include <new>

namespace {

struct Sheet {
    LPDIRECTDRAWSURFACE MemWin::*pSurface;
    const char* pszName;
};

// The three bitmaps, in the order they are loaded.
const Sheet s_aSheets[] = {
    {&MemWin::m_pFacesSurface, "LEVEL0"},
    {&MemWin::m_pBacksSurface, "STOVE2"},
    {&MemWin::m_pBackgroundSurface, "BKGR_FOIL"},
};

void ReleaseSurface(LPDIRECTDRAWSURFACE& pSurface)
{
    if (pSurface) {
        pSurface->Release();
        pSurface = NULL;
    }
}

const char16_t s_szMusicFile[] = u"MUSIC\\MusicBox_02_Tesk_CdurCoda.mid";

// The program's own file name, for the DirectPlay message.
CString ProgramFileName()
{
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(NULL, szPath, MAX_PATH);
    const char* pszName = szPath;
    for (const char* p = szPath; *p; ++p)
        if (*p == '/' || *p == '\\')
            pszName = p + 1;
    return CString(pszName);
}

} // namespace

BEGIN_MESSAGE_MAP(MemWin, DirectDrawWin)
    ON_MESSAGE(WM_OPTIONS_CLOSED, &MemWin::OnOptionsClosed)
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_CHAR()
    ON_COMMAND(ID_FIND_SECOND_CARD, &MemWin::OnFindSecondCard)
    ON_COMMAND(ID_GAME_DEFAULT_SIZE, &MemWin::OnDefaultSize)
    ON_COMMAND(ID_GAME_START, &MemWin::OnStart)
    ON_COMMAND(ID_GAME_SOUND, &MemWin::OnSound)
    ON_COMMAND(ID_GAME_OPTIONS, &MemWin::OnOptions)
    ON_COMMAND(ID_GAME_PLAY_MIDI, &MemWin::OnPlayMidiTest)
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_ACTIVATEAPP()
    ON_WM_SIZE()
END_MESSAGE_MAP()

MemWin::MemWin()
    : m_bUseSound(1)
    , m_bUseMusic(0)
    , m_pDSound(NULL)
    , m_pMidiPlayer(NULL)
    , m_bSoundOn(0)
    , m_bMusicOn(0)
    , m_nHorzRes(0)
    , m_nVertRes(0)
    , m_nBitsPixel(0)
    , m_pGame(NULL)
    , m_pFacesSurface(NULL)
    , m_pBacksSurface(NULL)
    , m_pBackgroundSurface(NULL)
    , m_pDlgOptions(NULL)
    , m_nRotateStyle(ROTATE_VERTICAL)
{
    ZeroMemory(&m_rcDefaultWindow, sizeof(m_rcDefaultWindow));
    m_pDlgOptions = new CDlgOptions(NULL);
}

MemWin::~MemWin() {}

LRESULT MemWin::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsMonitorPowerRequest(message, wParam))
        return 1;
    return DirectDrawWin::DefWindowProc(message, wParam, lParam);
}

int MemWin::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (DirectDrawWin::OnCreate(lpCreateStruct) == -1)
        return -1;

    m_pGame = new GameMemory(this);
    m_pGame->Init();

    if (__argc != 1 && !DirectPlayCheck())
        return -1;
    if (!StartSound())
        return -1;
    if (!StartMusic())
        return -1;

    GetWindowRect(&m_rcDefaultWindow);

    ReadScreenCaps(&m_nHorzRes, &m_nVertRes, &m_nBitsPixel);
    return 0;
}

BOOL MemWin::DirectPlayCheck()
{
    CString sArg = __argv[1];
    if (_mbsicmp((const unsigned char*)(LPCTSTR)sArg, (const unsigned char*)"c") == 0) {
        CString sText;
        sText.Format("Can't create DirectPlay game\nTry using R or E in '%s C E' ", (LPCTSTR)ProgramFileName());
        AfxMessageBox(sText, MB_OK);
    } else {
        AfxMessageBox("Can't create DirectPlay game", MB_OK);
    }
    return FALSE;
}

BOOL MemWin::StartSound()
{
    if (m_bUseSound) {
        m_pDSound = new (std::nothrow) DSound(m_hWnd);
        if (m_pDSound == NULL)
            AfxMessageBox("Cann't create object of class DSound", MB_OK);
    }
    m_bSoundOn = 0;
    return TRUE;
}

BOOL MemWin::StartMusic()
{
    if (m_bUseMusic) {
        m_pMidiPlayer = new (std::nothrow) MidiPlayer(s_szMusicFile);
        if (m_pMidiPlayer && m_pMidiPlayer->Init() >= 0)
            return TRUE;
        AfxMessageBox("KVN: Could not load midi-file", MB_OK);
        delete m_pMidiPlayer;
        m_pMidiPlayer = NULL;
    }
    m_bMusicOn = 0;
    return TRUE;
}

BOOL MemWin::CreateCustomSurfaces()
{
    for (const Sheet& sheet : s_aSheets) {
        LPDIRECTDRAWSURFACE& pSurface = this->*sheet.pSurface;
        ReleaseSurface(pSurface); // each one just before its own reload
        pSurface = LoadBitmapSurface(m_pDirectDraw, sheet.pszName, 0, 0, NULL);
        if (pSurface == NULL) {
            CString sText = CString("Cannot load resource: ") + sheet.pszName;
            FatalError(sText);
        }
    }
    FrameTimer(FT_RESET);
    return TRUE;
}

void MemWin::RestoreSurfaces()
{
    for (const Sheet& sheet : s_aSheets) {
        LPDIRECTDRAWSURFACE pSurface = this->*sheet.pSurface;
        if (pSurface == NULL)
            continue;
        pSurface->Restore();
        ReloadBitmapSurface(pSurface, sheet.pszName, NULL);
    }
}

void MemWin::ReleaseSurfaces()
{
    for (const Sheet& sheet : s_aSheets)
        ReleaseSurface(this->*sheet.pSurface);
}

void MemWin::DrawFrame()
{
    if (m_pDirectDraw && m_pDirectDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, NULL) != DD_OK)
        MessageBeep(0xFFFFFFFF);

    BltClipped(m_pBackBuffer, m_pBackgroundSurface, 0, 0, FALSE);

    float fElapsed = FrameTimer(FT_ELAPSED_TIME);
    if (m_pGame) {
        m_pGame->Update(&fElapsed);
        m_pGame->Draw();
    }

    // The back buffer keeps the size it was made with; it is stretched into the client area.
    if (m_pPrimary && m_pBackBuffer)
        m_pPrimary->Blt(&m_rcClient, m_pBackBuffer, NULL, DDBLT_WAIT, NULL);
}

void MemWin::OnPaint()
{
    CPaintDC dc(this);
    DrawFrame();
}

RGBQUAD* MemWin::LoadPaletteResource()
{
    HMODULE hModule = GetModuleHandleA(NULL);
    HRSRC hResource = FindResourceA(hModule, "IDR_PALETTE", "MYRT_PALETTE");
    if (hResource == NULL) {
        MessageBox("Cannt find resource IDR_PALETTE", NULL, MB_OK);
        return NULL;
    }
    HGLOBAL hData = LoadResource(hModule, hResource);
    // A resource short of the 256 entries would have the palette read past its end.
    if (hData == NULL || SizeofResource(hModule, hResource) < 256 * sizeof(RGBQUAD)) {
        MessageBox("Cann't load MYRT_PALETTE resource", NULL, MB_OK);
        return NULL;
    }
    RGBQUAD* pColors = (RGBQUAD*)LockResource(hData);
    if (pColors == NULL) {
        MessageBox("Cann't lock memory for MYRT_PALETTE resource", NULL, MB_OK);
        return NULL;
    }
    return pColors;
}

void MemWin::LoadPalette()
{
    RGBQUAD* pColors = LoadPaletteResource();
    if (pColors)
        CreatePaletteFromColors(pColors, 256);
}

void MemWin::OnDestroy()
{
    if (m_pDlgOptions) {
        delete m_pDlgOptions;
        m_pDlgOptions = NULL;
    }
    ReleaseSurfaces();
    if (m_pGame) {
        delete m_pGame; // and with it the cards
        m_pGame = NULL;
    }
    if (m_pDSound) {
        delete m_pDSound;
        m_pDSound = NULL;
    }
    if (m_pMidiPlayer) {
        delete m_pMidiPlayer;
        m_pMidiPlayer = NULL;
    }
    DirectDrawWin::OnDestroy();
}
