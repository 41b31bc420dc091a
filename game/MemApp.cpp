#include "game/MemApp.h"

#include "game/GameGlobals.h"
#include "game/MemWin.h"
#include "resource.h"

// Static initialisation, in this order: the board origin, then the application.
int g_nOriginX = g_nBaseOriginX;
int g_nOriginY = g_nBaseOriginY;
MemApp theApp;

BEGIN_MESSAGE_MAP(MemApp, DirectDrawApp)
    ON_COMMAND(ID_HELP_ABOUT, &MemApp::OnAppAbout)
END_MESSAGE_MAP()

BOOL MemApp::InitInstance()
{
    MemWin* pWin = new MemWin;
    if (!pWin->Create("Memory Game", IDI_MEMORY, IDR_MENU))
        return FALSE; // the class library has deleted the window object with its window
    m_pMainWnd = pWin;
    return DirectDrawApp::InitInstance();
}

void MemApp::OnAppAbout()
{
    static const char szAbout[] = "Memory Game\n"
                                  "Version 1.0\n"
                                  "\n"
                                  "Copyright (C) 1999 Valdmark Programs\n"
                                  "\n"
                                  "Tartu, tel. +372 7 555 0199, Valdo Markus,\n"
                                  "\n"
                                  "http://www.valdmark.example/";
    CWnd* pMain = AfxGetMainWnd();
    MessageBoxA(pMain ? pMain->m_hWnd : NULL, szAbout, "Valdmark Programs, Memory Game", MB_OK);
}
