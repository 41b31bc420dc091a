// Placeholders until the resource reader lands; it deletes this file.
#include <windows.h>

HMODULE GetModuleHandleA(LPCSTR) { return nullptr; }
HRSRC FindResourceA(HMODULE, LPCSTR, LPCSTR) { return nullptr; }
HGLOBAL LoadResource(HMODULE, HRSRC) { return nullptr; }
LPVOID LockResource(HGLOBAL) { return nullptr; }
DWORD SizeofResource(HMODULE, HRSRC) { return 0; }
DWORD GetModuleFileNameA(HMODULE, LPSTR buffer, DWORD size)
{
    if (buffer && size)
        buffer[0] = 0;
    return 0;
}
int LoadStringA(HINSTANCE, UINT, LPSTR buffer, int size)
{
    if (buffer && size > 0)
        buffer[0] = 0;
    return 0;
}
