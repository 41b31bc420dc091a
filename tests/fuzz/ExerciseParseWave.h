// Runs ParseWave with every combination of outputs and reads everything it hands
// back, so that a sanitizer sees any pointer outside the image. Shared by the fuzzer
// and the test that replays its corpus.
#pragma once
#include "sound/SoundObject.h"

#include <cstdint>

// Null when every answer lay inside the image, else what was wrong. *pAllFound gets
// the result of the call with all three outputs.
inline const char* ExerciseParseWave(uint8_t* pImage, uint32_t cbImage, BOOL* pAllFound)
{
    volatile uint32_t dwSink = 0;
    const uintptr_t begin = (uintptr_t)pImage;
    const uintptr_t end = begin + cbImage;
    for (int mask = 0; mask < 8; mask++) {
        WAVEFORMATEX* pFormat = (WAVEFORMATEX*)pImage;
        BYTE* pData = pImage;
        DWORD cbData = 0xFFFFFFFF;
        BOOL ok = ParseWave(pImage, cbImage, (mask & 1) ? &pFormat : NULL, (mask & 2) ? &pData : NULL,
                            (mask & 4) ? &cbData : NULL);
        if (mask == 7)
            *pAllFound = ok;
        if ((mask & 1) && pFormat) {
            // The PCM record a buffer reads: 16 bytes, whatever the chunk's size.
            if ((uintptr_t)pFormat < begin || (uintptr_t)pFormat + 16 > end)
                return "format record outside the image";
            dwSink = dwSink + pFormat->wFormatTag + pFormat->nChannels + pFormat->nSamplesPerSec +
                     pFormat->nBlockAlign + pFormat->wBitsPerSample;
        }
        if ((mask & 2) && pData) {
            if ((uintptr_t)pData < begin || (uintptr_t)pData > end)
                return "samples outside the image";
            if ((mask & 4) && cbData > end - (uintptr_t)pData)
                return "sample count past the image";
            if (mask & 4)
                for (DWORD i = 0; i < cbData; i++)
                    dwSink = dwSink + pData[i];
        }
        if (ok && (((mask & 1) && !pFormat) || ((mask & 2) && !pData)))
            return "TRUE without every output";
    }
    (void)dwSink;
    return nullptr;
}
