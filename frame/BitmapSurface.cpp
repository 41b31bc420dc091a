#include "frame/BitmapSurface.h"

#include "frame/DirectDrawWin.h"

namespace {

// The resource of that name, else a bitmap file of that name (relative to the working directory).
HBITMAP LoadBitmapImage(LPCSTR pszName, int dx, int dy, LPCSTR pszModuleName)
{
    HBITMAP hBitmap = (HBITMAP)LoadImageA(GetModuleHandleA(pszModuleName), pszName, IMAGE_BITMAP, dx, dy,
                                          LR_CREATEDIBSECTION);
    if (!hBitmap)
        hBitmap = (HBITMAP)LoadImageA(NULL, pszName, IMAGE_BITMAP, dx, dy, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    return hBitmap;
}

void GetSurfaceSize(LPDIRECTDRAWSURFACE pSurface, DDSURFACEDESC* pDesc)
{
    ZeroMemory(pDesc, sizeof(*pDesc));
    pDesc->dwSize = sizeof(*pDesc);
    pDesc->dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    pSurface->GetSurfaceDesc(pDesc);
}

} // namespace

HRESULT CopyBitmapToSurface(LPDIRECTDRAWSURFACE pSurface, HBITMAP hBitmap, int x, int y, int dx, int dy)
{
    if (hBitmap == NULL || pSurface == NULL)
        return E_FAIL;

    pSurface->Restore();

    HDC hdcImage = CreateCompatibleDC(NULL);
    SelectObject(hdcImage, hBitmap);

    BITMAP bm;
    ZeroMemory(&bm, sizeof(bm));
    GetObjectA(hBitmap, sizeof(bm), &bm);
    dx = dx == 0 ? bm.bmWidth : dx;
    dy = dy == 0 ? bm.bmHeight : dy;

    DDSURFACEDESC desc;
    GetSurfaceSize(pSurface, &desc);

    HDC hdc;
    HRESULT hr = pSurface->GetDC(&hdc);
    if (hr == DD_OK) {
        StretchBlt(hdc, 0, 0, desc.dwWidth, desc.dwHeight, hdcImage, x, y, dx, dy, SRCCOPY);
        pSurface->ReleaseDC(hdc);
    }
    DeleteDC(hdcImage);
    return hr;
}

LPDIRECTDRAWSURFACE LoadBitmapSurface(LPDIRECTDRAW2 pDirectDraw, LPCSTR pszName, int dx, int dy, LPCSTR pszModuleName)
{
    HBITMAP hBitmap = LoadBitmapImage(pszName, dx, dy, pszModuleName);
    if (!hBitmap)
        return NULL;

    BITMAP bm;
    ZeroMemory(&bm, sizeof(bm));
    GetObjectA(hBitmap, sizeof(bm), &bm);

    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = bm.bmWidth;
    desc.dwHeight = bm.bmHeight;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;

    LPDIRECTDRAWSURFACE pSurface = NULL;
    if (!pDirectDraw || pDirectDraw->CreateSurface(&desc, &pSurface, NULL) != DD_OK) {
        DeleteObject(hBitmap);
        return NULL;
    }
    CopyBitmapToSurface(pSurface, hBitmap, 0, 0, 0, 0);
    DeleteObject(hBitmap);
    return pSurface;
}

HRESULT ReloadBitmapSurface(LPDIRECTDRAWSURFACE pSurface, LPCSTR pszName, LPCSTR pszModuleName)
{
    HBITMAP hBitmap = LoadBitmapImage(pszName, 0, 0, pszModuleName);
    if (!hBitmap)
        return E_FAIL;
    HRESULT hr = CopyBitmapToSurface(pSurface, hBitmap, 0, 0, 0, 0);
    DeleteObject(hBitmap);
    return hr;
}

BOOL DirectDrawWin::BltClipped(LPDIRECTDRAWSURFACE pDest, LPDIRECTDRAWSURFACE pSrc, int x, int y, BOOL bSrcColorKey)
{
    if (!pDest || !pSrc)
        return FALSE;

    DDSURFACEDESC destDesc;
    DDSURFACEDESC srcDesc;
    GetSurfaceSize(pDest, &destDesc);
    GetSurfaceSize(pSrc, &srcDesc);
    const int W = (int)destDesc.dwWidth;
    const int H = (int)destDesc.dwHeight;
    const int w = (int)srcDesc.dwWidth;
    const int h = (int)srcDesc.dwHeight;

    if (x >= W || y >= H || x + w <= 0 || y + h <= 0)
        return FALSE;

    RECT rcSrc;
    rcSrc.left = x < 0 ? -x : 0;
    rcSrc.top = y < 0 ? -y : 0;
    rcSrc.right = x + w > W ? W - x : w;
    rcSrc.bottom = y + h > H ? H - y : h;

    if (x >= 0 && y >= 0) {
        DWORD dwFlags = bSrcColorKey ? DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT : DDBLTFAST_WAIT;
        pDest->BltFast(x, y, pSrc, &rcSrc, dwFlags);
    } else {
        RECT rcDest;
        rcDest.left = x > 0 ? x : 0;
        rcDest.top = y > 0 ? y : 0;
        rcDest.right = x + rcSrc.right;
        rcDest.bottom = y + rcSrc.bottom;
        DWORD dwFlags = bSrcColorKey ? DDBLT_WAIT | DDBLT_KEYSRC : DDBLT_WAIT;
        pDest->Blt(&rcDest, pSrc, &rcSrc, dwFlags, NULL);
    }
    return TRUE;
}
