// Placeholders until the resource reader lands; it deletes this file.
#include <windows.h>

HMODULE GetModuleHandleA(LPCSTR) { return nullptr; }
HRSRC FindResourceA(HMODULE, LPCSTR, LPCSTR) { return nullptr; }
HGLOBAL LoadResource(HMODULE, HRSRC) { return nullptr; }
LPVOID LockResource(HGLOBAL) { return nullptr; }
DWORD SizeofResource(HMODULE, HRSRC) { return 0; }
