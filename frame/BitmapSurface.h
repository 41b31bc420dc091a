// Windows bitmaps into DirectDraw surfaces: from the program's resources or,
// failing that, from a bitmap file of the same name.
#pragma once
#include <windows.h>
#include <ddraw.h>

HRESULT CopyBitmapToSurface(LPDIRECTDRAWSURFACE pSurface, HBITMAP hBitmap, int x, int y, int dx, int dy);
LPDIRECTDRAWSURFACE LoadBitmapSurface(LPDIRECTDRAW2 pDirectDraw, LPCSTR pszName, int dx, int dy, LPCSTR pszModuleName);
HRESULT ReloadBitmapSurface(LPDIRECTDRAWSURFACE pSurface, LPCSTR pszName, LPCSTR pszModuleName);
