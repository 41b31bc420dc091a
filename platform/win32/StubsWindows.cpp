// Placeholders until the window backend lands; it deletes this file.
#include "win32/WindowPixels.h"

#include <cstdio>

BOOL IsWindow(HWND) { return FALSE; }
BOOL GetClientRect(HWND, LPRECT) { return FALSE; }
BOOL ClientToScreen(HWND, LPPOINT) { return FALSE; }

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "memory", text ? text : "");
    return IDOK;
}

namespace platform {
bool LockWindowPixels(HWND, PixelView*) { return false; }
void UnlockWindowPixels(HWND, const RECT&) {}
} // namespace platform
