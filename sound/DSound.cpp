#include "sound/DSound.h"

#include <afxwin.h>

DSound::DSound(HWND hWnd)
    : m_pDirectSound(NULL)
    , m_bLoaded(FALSE)
    , m_pSpare1(NULL)
    , m_pDone1(NULL)
    , m_pDone2(NULL)
    , m_pDone3(NULL)
    , m_pOop(NULL)
    , m_pTsik(NULL)
    , m_pChpok(NULL)
    , m_pMenu(NULL)
    , m_pBrim(NULL)
    , m_pBloop(NULL)
    , m_pFall1(NULL)
    , m_pFall2(NULL)
    , m_pFall3(NULL)
    , m_pFall4(NULL)
    , m_pFall5(NULL)
    , m_pFall6(NULL)
    , m_pFall7(NULL)
    , m_pFall8(NULL)
    , m_pSpare2(NULL)
    , m_pGlass(NULL)
{
    if (DirectSoundCreate(NULL, &m_pDirectSound, NULL) != DS_OK) {
        m_pDirectSound = NULL; // no sound on this machine; the game goes on silently
        return;
    }
    if (m_pDirectSound->SetCooperativeLevel(hWnd, DSSCL_NORMAL) != DS_OK) {
        AfxMessageBox("Cann't set sound cooperative level", MB_OK);
        m_pDirectSound->Release();
        m_pDirectSound = NULL;
        return;
    }

    m_pDone1 = SoundObjectCreate(m_pDirectSound, "Done1", 1, NULL);
    m_pDone2 = SoundObjectCreate(m_pDirectSound, "Done2", 1, NULL);
    m_pDone3 = SoundObjectCreate(m_pDirectSound, "Done3", 1, NULL);
    m_pOop = SoundObjectCreate(m_pDirectSound, "Oop", 1, NULL);
    m_pTsik = SoundObjectCreate(m_pDirectSound, "Tsik", 1, NULL);
    m_pChpok = SoundObjectCreate(m_pDirectSound, "Chpok", 5, NULL);
    m_pBrim = SoundObjectCreate(m_pDirectSound, "Brim", 1, NULL);
    m_pMenu = SoundObjectCreate(m_pDirectSound, "Menu", 3, NULL);
    m_pBloop = SoundObjectCreate(m_pDirectSound, "Bloop", 3, NULL);
    m_pFall1 = SoundObjectCreate(m_pDirectSound, "Fall1", 1, NULL);
    m_pFall2 = SoundObjectCreate(m_pDirectSound, "Fall2", 1, NULL);
    m_pFall3 = SoundObjectCreate(m_pDirectSound, "Fall3", 1, NULL);
    m_pFall4 = SoundObjectCreate(m_pDirectSound, "Fall4", 1, NULL);
    m_pFall5 = SoundObjectCreate(m_pDirectSound, "Fall5", 1, NULL);
    m_pFall6 = SoundObjectCreate(m_pDirectSound, "Fall6", 1, NULL);
    m_pFall7 = SoundObjectCreate(m_pDirectSound, "Fall7", 1, NULL);
    m_pFall8 = SoundObjectCreate(m_pDirectSound, "Fall8", 1, NULL);
    m_pGlass = SoundObjectCreate(m_pDirectSound, "Glass", 1, NULL);
    m_bLoaded = TRUE;

    if (m_pDone1 == NULL)
        AfxMessageBox("Cann't load sound resources", MB_OK);
    SoundObjectPlay(m_pDone1, 0);
}

DSound::~DSound()
{
    m_bLoaded = FALSE;
    if (m_pDirectSound == NULL)
        return;
    // The effects go before the device that made them, in field order.
    SoundObject** const apSlots[] = {&m_pSpare1, &m_pDone1, &m_pDone2, &m_pDone3, &m_pOop,   &m_pTsik,  &m_pChpok,
                                     &m_pMenu,   &m_pBrim,  &m_pBloop, &m_pFall1, &m_pFall2, &m_pFall3, &m_pFall4,
                                     &m_pFall5,  &m_pFall6, &m_pFall7, &m_pFall8, &m_pSpare2, &m_pGlass};
    for (SoundObject** ppSlot : apSlots) {
        SoundObjectDestroy(*ppSlot);
        *ppSlot = NULL;
    }
    m_pDirectSound->Release();
    m_pDirectSound = NULL;
}
