// Multimedia services: the millisecond clock and the wave format record.
#pragma once
#include "windef.h"

typedef UINT MMRESULT;
#define TIMERR_NOERROR 0
#define MMSYSERR_NOERROR 0

DWORD timeGetTime();

#define WAVE_FORMAT_PCM 1

// Byte-packed as on the platform: the game points it straight into a RIFF image.
#pragma pack(push, 1)
typedef struct tWAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
} WAVEFORMATEX, *PWAVEFORMATEX, *LPWAVEFORMATEX;
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;
#pragma pack(pop)
