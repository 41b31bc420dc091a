// Kernel services: time, sleeping and local memory.
#pragma once
#include "windef.h"

void Sleep(DWORD dwMilliseconds);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency);
BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount);
DWORD GetTickCount();

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes);
HLOCAL LocalFree(HLOCAL hMem);

// The command line as the runtime library splits it (set by the program's start-up).
extern int __argc;
extern char** __argv;
