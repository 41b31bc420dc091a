// The sounds the game model asks of the main window: at a win and at the end of a deal.
#include "game/GameSounds.h"
#include "game/MemWin.h"

#include <cstdlib>

namespace {

SoundObject* DSound::* const s_apWinSounds[] = {&DSound::m_pDone1, &DSound::m_pDone2, &DSound::m_pDone3};

SoundObject* DSound::* const s_apStartSounds[] = {
    &DSound::m_pFall1, &DSound::m_pFall2, &DSound::m_pFall3, &DSound::m_pFall4, &DSound::m_pFall5,
    &DSound::m_pFall6, &DSound::m_pFall7, &DSound::m_pFall8, &DSound::m_pGlass,
};

// One of the effects at random; nothing is drawn from rand while sound is not wanted.
template <size_t N>
void PlayOneOf(MemWin* pWin, SoundObject* DSound::* const (&apEffects)[N])
{
    if (pWin->m_bUseSound && pWin->m_bSoundOn && pWin->m_pDSound)
        SoundObjectPlay(pWin->m_pDSound->*apEffects[rand() % N], 0);
}

} // namespace

void PlayGameSound(MemWin* pOwner, SoundObject* DSound::*pEffect)
{
    if (pOwner->m_bSoundOn && pOwner->m_pDSound)
        SoundObjectPlay(pOwner->m_pDSound->*pEffect, 0);
}

void MemWin::PlayWinSound()
{
    PlayOneOf(this, s_apWinSounds);
}

void MemWin::PlayStartSound()
{
    PlayOneOf(this, s_apStartSounds);
}
