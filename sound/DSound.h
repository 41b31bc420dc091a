// The game's sound bank: the sound device and one sound object per effect.
#pragma once
#include <windows.h>
#include <dsound.h>

#include "sound/SoundObject.h"

class DSound {
public:
    explicit DSound(HWND hWnd);
    ~DSound();

    LPDIRECTSOUND m_pDirectSound;
    BOOL m_bLoaded;
    SoundObject* m_pSpare1;
    SoundObject* m_pDone1;
    SoundObject* m_pDone2;
    SoundObject* m_pDone3;
    SoundObject* m_pOop;
    SoundObject* m_pTsik;
    SoundObject* m_pChpok;
    SoundObject* m_pMenu;
    SoundObject* m_pBrim;
    SoundObject* m_pBloop;
    SoundObject* m_pFall1;
    SoundObject* m_pFall2;
    SoundObject* m_pFall3;
    SoundObject* m_pFall4;
    SoundObject* m_pFall5;
    SoundObject* m_pFall6;
    SoundObject* m_pFall7;
    SoundObject* m_pFall8;
    SoundObject* m_pSpare2;
    SoundObject* m_pGlass;

private:
    DSound(const DSound&);
    DSound& operator=(const DSound&);
};
