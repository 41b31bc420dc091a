#include "sound/SoundObject.h"

static DWORD ReadDword(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

static BOOL IsFourCC(const BYTE* p, const char* id)
{
    return memcmp(p, id, 4) == 0;
}

BOOL ParseWave(void* pvRes, DWORD cbRes, WAVEFORMATEX** ppWaveHeader, BYTE** ppbWaveData, DWORD* pcbWaveSize)
{
    if (ppWaveHeader)
        *ppWaveHeader = NULL;
    if (ppbWaveData)
        *ppbWaveData = NULL;
    if (pcbWaveSize)
        *pcbWaveSize = 0;

    BYTE* pImage = (BYTE*)pvRes;
    if (!pImage || cbRes < 12)
        return FALSE;
    if (!IsFourCC(pImage, "RIFF") || !IsFourCC(pImage + 8, "WAVE"))
        return FALSE;

    // Offsets, 64-bit so that no stored size can wrap them. The walk ends where the
    // RIFF size says; every chunk must also lie inside the image itself.
    const ULONGLONG cbImage = cbRes;
    const ULONGLONG dwEnd = 8 + (ULONGLONG)ReadDword(pImage + 4);
    ULONGLONG dwPos = 12;
    if (dwPos >= dwEnd)
        return FALSE;

    for (;;) {
        if (dwPos + 8 > cbImage)
            return FALSE;
        const BYTE* pChunk = pImage + dwPos;
        const DWORD dwLength = ReadDword(pChunk + 4);
        const ULONGLONG dwBody = dwPos + 8;
        if (dwBody + dwLength > cbImage)
            return FALSE;

        if (IsFourCC(pChunk, "fmt ") && ppWaveHeader && !*ppWaveHeader) {
            if (dwLength < 14)
                return FALSE;
            // The buffer reads the PCM record's 16 bytes, even from a 14-byte chunk.
            if (dwBody + offsetof(WAVEFORMATEX, cbSize) > cbImage)
                return FALSE;
            *ppWaveHeader = (WAVEFORMATEX*)(pImage + dwBody);
            if ((!ppbWaveData || *ppbWaveData) && (!pcbWaveSize || *pcbWaveSize))
                return TRUE;
        } else if (IsFourCC(pChunk, "data") && ((ppbWaveData && !*ppbWaveData) || (pcbWaveSize && !*pcbWaveSize))) {
            if (ppbWaveData)
                *ppbWaveData = pImage + dwBody;
            if (pcbWaveSize)
                *pcbWaveSize = dwLength;
            if (!ppWaveHeader || *ppWaveHeader)
                return TRUE;
        }

        // Chunks of odd size are padded to an even offset.
        dwPos = dwBody + (((ULONGLONG)dwLength + 1) & ~(ULONGLONG)1);
        if (dwPos >= dwEnd)
            return FALSE;
    }
}

BOOL GetWaveResource(HMODULE hModule, LPCSTR lpName, WAVEFORMATEX** ppWaveHeader, BYTE** ppbWaveData,
                     DWORD* pcbWaveSize)
{
    HRSRC hResInfo = FindResourceA(hModule, lpName, "WAV");
    if (!hResInfo)
        return FALSE;
    HGLOBAL hResData = LoadResource(hModule, hResInfo);
    if (!hResData)
        return FALSE;
    void* pvRes = LockResource(hResData);
    if (!pvRes)
        return FALSE;
    return ParseWave(pvRes, SizeofResource(hModule, hResInfo), ppWaveHeader, ppbWaveData, pcbWaveSize);
}

BOOL FillSoundBuffer(IDirectSoundBuffer* pDSB, BYTE* pbWaveData, DWORD cbWaveSize)
{
    if (!pDSB || !pbWaveData || !cbWaveSize)
        return FALSE;

    LPVOID pMem1, pMem2;
    DWORD dwSize1, dwSize2;
    if (FAILED(pDSB->Lock(0, cbWaveSize, &pMem1, &dwSize1, &pMem2, &dwSize2, 0)))
        return FALSE;
    CopyMemory(pMem1, pbWaveData, dwSize1);
    if (dwSize2 != 0)
        CopyMemory(pMem2, pbWaveData + dwSize1, dwSize2);
    pDSB->Unlock(pMem1, dwSize1, pMem2, dwSize2);
    return TRUE;
}

IDirectSoundBuffer* LoadSoundBuffer(IDirectSound* pDS, LPCSTR lpName, HMODULE hModule)
{
    IDirectSoundBuffer* pDSB = NULL;
    DSBUFFERDESC dsbd;
    BYTE* pbWaveData;

    ZeroMemory(&dsbd, sizeof(dsbd));
    if (!GetWaveResource(hModule, lpName, &dsbd.lpwfxFormat, &pbWaveData, &dsbd.dwBufferBytes))
        return NULL;
    if (!pDS)
        return NULL;

    dsbd.dwSize = sizeof(dsbd);
    dsbd.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    dsbd.dwReserved = 0;
    if (FAILED(pDS->CreateSoundBuffer(&dsbd, &pDSB, NULL)))
        return NULL;

    if (!FillSoundBuffer(pDSB, pbWaveData, dsbd.dwBufferBytes)) {
        pDSB->Release();
        return NULL;
    }
    return pDSB;
}

SoundObject* SoundObjectCreate(IDirectSound* pDS, LPCSTR lpName, int iConcurrent, HMODULE hModule)
{
    WAVEFORMATEX* pWaveHeader;
    BYTE* pbData;
    DWORD cbData;
    if (!GetWaveResource(hModule, lpName, &pWaveHeader, &pbData, &cbData))
        return NULL;

    if (iConcurrent < 1)
        iConcurrent = 1;

    SoundObject* pSO = (SoundObject*)LocalAlloc(LPTR, SOUNDOBJECT_SIZE(iConcurrent));
    if (!pSO)
        return NULL;
    pSO->m_pData = pbData;
    pSO->m_nDataSize = cbData;
    pSO->m_nBuffers = iConcurrent;
    pSO->m_nCurrent = 0;

    // The first buffer is not tested: a record without it simply never plays.
    pSO->m_apBuffers[0] = LoadSoundBuffer(pDS, lpName, hModule);

    for (int i = 1; i < pSO->m_nBuffers; i++) {
        if (!pDS || FAILED(pDS->DuplicateSoundBuffer(pSO->m_apBuffers[0], &pSO->m_apBuffers[i]))) {
            pSO->m_apBuffers[i] = LoadSoundBuffer(pDS, lpName, hModule);
            if (!pSO->m_apBuffers[i]) {
                SoundObjectDestroy(pSO);
                return NULL;
            }
        }
    }
    return pSO;
}

void SoundObjectDestroy(SoundObject* pSO)
{
    if (!pSO)
        return;
    for (int i = 0; i < pSO->m_nBuffers; i++) {
        if (pSO->m_apBuffers[i]) {
            pSO->m_apBuffers[i]->Release();
            pSO->m_apBuffers[i] = NULL;
        }
    }
    LocalFree(pSO);
}

IDirectSoundBuffer* SoundObjectGetFreeBuffer(SoundObject* pSO)
{
    if (!pSO)
        return NULL;

    IDirectSoundBuffer* pDSB = pSO->m_apBuffers[pSO->m_nCurrent];
    if (!pDSB)
        return NULL;

    DWORD dwStatus;
    if (FAILED(pDSB->GetStatus(&dwStatus)))
        dwStatus = 0;

    if (dwStatus & DSBSTATUS_PLAYING) {
        // A one-buffer effect that still sounds goes on; the request is dropped.
        if (pSO->m_nBuffers <= 1)
            return NULL;
        if (++pSO->m_nCurrent >= pSO->m_nBuffers)
            pSO->m_nCurrent = 0;
        pDSB = pSO->m_apBuffers[pSO->m_nCurrent];
        if (!pDSB)
            return NULL;
        if (SUCCEEDED(pDSB->GetStatus(&dwStatus))) {
            if (dwStatus & DSBSTATUS_PLAYING) {
                pDSB->Stop();
                pDSB->SetCurrentPosition(0);
            }
        } else {
            dwStatus = 0;
        }
    }

    if (dwStatus & DSBSTATUS_BUFFERLOST) {
        if (FAILED(pDSB->Restore()))
            return NULL;
        if (!FillSoundBuffer(pDSB, pSO->m_pData, pSO->m_nDataSize))
            return NULL;
    }
    return pDSB;
}

BOOL SoundObjectPlay(SoundObject* pSO, DWORD dwPlayFlags)
{
    if (!pSO)
        return FALSE;
    // Only a one-buffer effect may loop.
    if ((dwPlayFlags & DSBPLAY_LOOPING) && pSO->m_nBuffers != 1)
        return FALSE;
    IDirectSoundBuffer* pDSB = SoundObjectGetFreeBuffer(pSO);
    if (!pDSB)
        return FALSE;
    return SUCCEEDED(pDSB->Play(0, 0, dwPlayFlags));
}
