// The fuzzer links only SoundObject.cpp: the platform calls its other functions make
// are answered here, and no input reaches them.
#include <windows.h>

HRSRC FindResourceA(HMODULE, LPCSTR, LPCSTR) { return NULL; }
HGLOBAL LoadResource(HMODULE, HRSRC) { return NULL; }
LPVOID LockResource(HGLOBAL) { return NULL; }
DWORD SizeofResource(HMODULE, HRSRC) { return 0; }
HLOCAL LocalAlloc(UINT, SIZE_T) { return NULL; }
HLOCAL LocalFree(HLOCAL) { return NULL; }
