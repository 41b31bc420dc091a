// Sound effects from WAV resources: a SoundObject holds one or more DirectSound
// buffers on the same samples, so an effect can sound several times at once.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

struct SoundObject {
    BYTE* m_pData;         // the samples inside the resource image (not owned)
    DWORD m_nDataSize;
    int m_nBuffers;        // 1 or more
    int m_nCurrent;        // the buffer a play request looks at first
    IDirectSoundBuffer* m_apBuffers[]; // m_nBuffers entries
};

// Size of a record with room for nBuffers buffers.
#define SOUNDOBJECT_SIZE(nBuffers) (offsetof(SoundObject, m_apBuffers) + (size_t)(nBuffers) * sizeof(IDirectSoundBuffer*))

// Walks a RIFF WAVE image of cbRes bytes to its "fmt " and "data" chunks; every
// output may be NULL. Nothing outside the cbRes bytes is read.
BOOL ParseWave(void* pvRes, DWORD cbRes, WAVEFORMATEX** ppWaveHeader, BYTE** ppbWaveData, DWORD* pcbWaveSize);
BOOL GetWaveResource(HMODULE hModule, LPCSTR lpName, WAVEFORMATEX** ppWaveHeader, BYTE** ppbWaveData,
                     DWORD* pcbWaveSize);
BOOL FillSoundBuffer(IDirectSoundBuffer* pDSB, BYTE* pbWaveData, DWORD cbWaveSize);
IDirectSoundBuffer* LoadSoundBuffer(IDirectSound* pDS, LPCSTR lpName, HMODULE hModule);

SoundObject* SoundObjectCreate(IDirectSound* pDS, LPCSTR lpName, int iConcurrent, HMODULE hModule);
void SoundObjectDestroy(SoundObject* pSO);
IDirectSoundBuffer* SoundObjectGetFreeBuffer(SoundObject* pSO);
BOOL SoundObjectPlay(SoundObject* pSO, DWORD dwPlayFlags);
