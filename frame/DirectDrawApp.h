// Application base: the class library's idle time drives the frames.
#pragma once
#include <afxwin.h>

class DirectDrawWin;

class DirectDrawApp : public CWinApp {
public:
    DirectDrawApp();
    virtual ~DirectDrawApp();

    virtual BOOL InitInstance();
    virtual BOOL OnIdle(LONG lCount);

    DirectDrawWin* m_pDirectDrawWin; // not owned: the class library deletes the window

    DECLARE_MESSAGE_MAP()
};
