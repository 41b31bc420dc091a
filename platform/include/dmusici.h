// DirectMusic: the loader, the performance and segments.
#pragma once
#include "windows.h"
#include "objbase.h"
#include "dmerror.h"

struct IDirectSound;
typedef struct IDirectSound* LPDIRECTSOUND;
struct IDirectMusic;
struct IDirectMusicPort;
struct IDirectMusicSegmentState;
struct IStream;

typedef LONG MUSIC_TIME;
typedef LONGLONG REFERENCE_TIME;

#ifndef _FILETIME_
#define _FILETIME_
typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;
#endif

typedef struct _DMUS_VERSION {
    DWORD dwVersionMS;
    DWORD dwVersionLS;
} DMUS_VERSION, *LPDMUS_VERSION;

#define DMUS_MAX_NAME 64
#define DMUS_MAX_CATEGORY 64
#define DMUS_MAX_FILENAME MAX_PATH

// Which fields of DMUS_OBJECTDESC are valid.
#define DMUS_OBJ_OBJECT (1 << 0)
#define DMUS_OBJ_CLASS (1 << 1)
#define DMUS_OBJ_NAME (1 << 2)
#define DMUS_OBJ_CATEGORY (1 << 3)
#define DMUS_OBJ_FILENAME (1 << 4)
#define DMUS_OBJ_FULLPATH (1 << 5)
#define DMUS_OBJ_URL (1 << 6)
#define DMUS_OBJ_VERSION (1 << 7)
#define DMUS_OBJ_DATE (1 << 8)
#define DMUS_OBJ_LOADED (1 << 9)
#define DMUS_OBJ_MEMORY (1 << 10)
#define DMUS_OBJ_STREAM (1 << 11)

typedef struct _DMUS_OBJECTDESC {
    DWORD dwSize;
    DWORD dwValidData;
    GUID guidObject;
    GUID guidClass;
    FILETIME ftDate;
    DMUS_VERSION vVersion;
    WCHAR wszName[DMUS_MAX_NAME];
    WCHAR wszCategory[DMUS_MAX_CATEGORY];
    WCHAR wszFileName[DMUS_MAX_FILENAME];
    LONGLONG llMemLength;
    LPBYTE pbMemData;
    IStream* pStream;
} DMUS_OBJECTDESC, *LPDMUS_OBJECTDESC;

// Segment start boundaries for PlaySegment.
#define DMUS_SEGF_BEAT 0x1000

DEFINE_GUID(CLSID_DirectMusicLoader, 0xD2AC2892, 0xB39B, 0x11D1, 0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xB1, 0xBD);
DEFINE_GUID(CLSID_DirectMusicPerformance, 0xD2AC2881, 0xB39B, 0x11D1, 0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xB1, 0xBD);
DEFINE_GUID(CLSID_DirectMusicSegment, 0xD2AC2882, 0xB39B, 0x11D1, 0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xB1, 0xBD);
DEFINE_GUID(GUID_DirectMusicAllTypes, 0xD2AC2893, 0xB39B, 0x11D1, 0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xB1, 0xBD);
DEFINE_GUID(GUID_PerfAutoDownload, 0xFB09565B, 0x3631, 0x11D2, 0xBC, 0xB8, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEB);

DEFINE_GUID(IID_IDirectMusicLoader, 0x2FFAACA2, 0x5DCA, 0x11D2, 0xAF, 0xA6, 0x00, 0xAA, 0x00, 0x24, 0xD8, 0xB6);
DEFINE_GUID(IID_IDirectMusicPerformance, 0x07D43D03, 0x6523, 0x11D2, 0x87, 0x1D, 0x00, 0x60, 0x08, 0x93, 0xB1, 0xBD);
DEFINE_GUID(IID_IDirectMusicSegment, 0xF96029A2, 0x4282, 0x11D2, 0x87, 0x17, 0x00, 0x60, 0x08, 0x93, 0xB1, 0xBD);

DECLARE_INTERFACE_(IDirectMusicSegment, IUnknown){};
typedef IDirectMusicSegment* LPDIRECTMUSICSEGMENT;

DECLARE_INTERFACE_(IDirectMusicLoader, IUnknown)
{
    STDMETHOD(GetObject)(LPDMUS_OBJECTDESC pDesc, REFIID riid, LPVOID* ppv) PURE;
    STDMETHOD(SetSearchDirectory)(REFGUID rguidClass, WCHAR* pwzPath, BOOL fClear) PURE;
};
typedef IDirectMusicLoader* LPDIRECTMUSICLOADER;

DECLARE_INTERFACE_(IDirectMusicPerformance, IUnknown)
{
    STDMETHOD(Init)(IDirectMusic** ppDirectMusic, LPDIRECTSOUND pDirectSound, HWND hWnd) PURE;
    STDMETHOD(PlaySegment)(IDirectMusicSegment* pSegment, DWORD dwFlags, LONGLONG i64StartTime,
                           IDirectMusicSegmentState** ppSegmentState) PURE;
    STDMETHOD(Stop)(IDirectMusicSegment* pSegment, IDirectMusicSegmentState* pSegmentState, MUSIC_TIME mtTime,
                    DWORD dwFlags) PURE;
    STDMETHOD(SetGlobalParam)(REFGUID rguidType, void* pParam, DWORD dwSize) PURE;
    STDMETHOD(AddPort)(IDirectMusicPort* pPort) PURE;
    STDMETHOD(CloseDown)() PURE;
};
typedef IDirectMusicPerformance* LPDIRECTMUSICPERFORMANCE;
