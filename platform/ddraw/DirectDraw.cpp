#include "ddraw/DirectDraw.h"

#include "ddraw/Clipper.h"
#include "ddraw/Driver.h"
#include "ddraw/Palette.h"
#include "pixels/PixelFormat.h"
#include "ddraw/Surface.h"
#include "win32/Clock.h"
#include "win32/Display.h"

#include <new>

namespace platform::ddraw {
namespace {

// The platform's two special driver values: hardware only, emulation only.
bool KnownDriver(const GUID* guid)
{
    const auto value = reinterpret_cast<uintptr_t>(guid);
    return value == 0 || value == 1 || value == 2;
}

int RefreshHz()
{
    const int hz = CurrentDisplayMode().refreshHz;
    return hz > 0 ? hz : 60;
}

} // namespace

HRESULT DirectDraw::Create(GUID* guid, IDirectDraw** out)
{
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (!KnownDriver(guid))
        return DDERR_INVALIDDIRECTDRAWGUID;
    if (HRESULT hr = CurrentDriver().Reserve(ObjectKind::DirectDraw); FAILED(hr))
        return hr;
    *out = static_cast<IDirectDraw*>(new (std::nothrow) DirectDraw());
    return *out ? DD_OK : DDERR_OUTOFMEMORY;
}

HRESULT DirectDraw::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv && riid == IID_IDirectDraw2)
        return Hand<IDirectDraw2>(ppv);
    return ComObject::QueryInterface(riid, ppv);
}

HRESULT DirectDraw::SetCooperativeLevel(HWND, DWORD dwFlags)
{
    const bool normal = dwFlags & DDSCL_NORMAL;
    const bool exclusive = dwFlags & DDSCL_EXCLUSIVE;
    if (normal == exclusive || (exclusive && !(dwFlags & DDSCL_FULLSCREEN)) || (normal && (dwFlags & DDSCL_FULLSCREEN)))
        return DDERR_INVALIDPARAMS;
    // Windowed use only: the display mode is never taken over.
    if (exclusive)
        return DDERR_UNSUPPORTED;
    m_levelSet = true;
    return DD_OK;
}

HRESULT DirectDraw::CreateSurface(LPDDSURFACEDESC lpDDSurfaceDesc, LPDIRECTDRAWSURFACE* lplpDDSurface,
                                  IUnknown* pUnkOuter)
{
    if (!lplpDDSurface)
        return DDERR_INVALIDPARAMS;
    *lplpDDSurface = nullptr;
    if (pUnkOuter)
        return CLASS_E_NOAGGREGATION;
    if (!m_levelSet)
        return DDERR_NOCOOPERATIVELEVELSET;
    return Surface::Create(lpDDSurfaceDesc, lplpDDSurface);
}

HRESULT DirectDraw::CreateClipper(DWORD dwFlags, LPDIRECTDRAWCLIPPER* lplpDDClipper, IUnknown* pUnkOuter)
{
    if (pUnkOuter) {
        if (lplpDDClipper)
            *lplpDDClipper = nullptr;
        return CLASS_E_NOAGGREGATION;
    }
    return Clipper::Create(dwFlags, lplpDDClipper);
}

HRESULT DirectDraw::CreatePalette(DWORD dwFlags, LPPALETTEENTRY lpColorTable, LPDIRECTDRAWPALETTE* lplpDDPalette,
                                  IUnknown* pUnkOuter)
{
    if (pUnkOuter) {
        if (lplpDDPalette)
            *lplpDDPalette = nullptr;
        return CLASS_E_NOAGGREGATION;
    }
    return Palette::Create(dwFlags, lpColorTable, lplpDDPalette);
}

HRESULT DirectDraw::GetDisplayMode(LPDDSURFACEDESC lpDDSurfaceDesc)
{
    if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC))
        return DDERR_INVALIDPARAMS;
    const DisplayMode mode = CurrentDisplayMode();
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(DDSURFACEDESC);
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    desc.dwWidth = static_cast<DWORD>(mode.width);
    desc.dwHeight = static_cast<DWORD>(mode.height);
    desc.ddpfPixelFormat = pixels::DisplayPixelFormat(mode.bitsPerPixel);
    desc.lPitch = static_cast<LONG>(mode.width * ((mode.bitsPerPixel + 7) / 8));
    desc.dwRefreshRate = static_cast<DWORD>(RefreshHz());
    *lpDDSurfaceDesc = desc;
    return DD_OK;
}

HRESULT DirectDraw::GetMonitorFrequency(LPDWORD lpdwFrequency)
{
    if (!lpdwFrequency)
        return DDERR_INVALIDPARAMS;
    *lpdwFrequency = static_cast<DWORD>(RefreshHz());
    return DD_OK;
}

HRESULT DirectDraw::WaitForVerticalBlank(DWORD dwFlags, HANDLE)
{
    if (dwFlags == DDWAITVB_BLOCKBEGINEVENT)
        return DDERR_UNSUPPORTED;
    if (dwFlags != DDWAITVB_BLOCKBEGIN && dwFlags != DDWAITVB_BLOCKEND)
        return DDERR_INVALIDPARAMS;
    // The next refresh tick of the screen, slept to on the program's clock.
    return clock::Current().WaitForVerticalBlank(RefreshHz());
}

// The display mode belongs to the desktop; nothing here changes it.
HRESULT DirectDraw::RestoreDisplayMode() { return DD_OK; }
HRESULT DirectDraw::SetDisplayMode(DWORD, DWORD, DWORD) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::SetDisplayMode(DWORD, DWORD, DWORD, DWORD, DWORD) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::FlipToGDISurface() { return DDERR_NOTFOUND; }
HRESULT DirectDraw::Compact() { return DDERR_NOEXCLUSIVEMODE; }

HRESULT DirectDraw::DuplicateSurface(LPDIRECTDRAWSURFACE, LPDIRECTDRAWSURFACE* out)
{
    if (out)
        *out = nullptr;
    return DDERR_CANTDUPLICATE;
}

HRESULT DirectDraw::GetGDISurface(LPDIRECTDRAWSURFACE* out)
{
    if (out)
        *out = nullptr;
    return DDERR_NOTFOUND;
}

HRESULT DirectDraw::EnumDisplayModes(DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMMODESCALLBACK)
{
    return DDERR_UNSUPPORTED;
}
HRESULT DirectDraw::EnumSurfaces(DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMSURFACESCALLBACK) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetCaps(LPDDCAPS, LPDDCAPS) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetFourCCCodes(LPDWORD, LPDWORD) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetScanLine(LPDWORD) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetVerticalBlankStatus(LPBOOL) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::GetAvailableVidMem(LPDDSCAPS, LPDWORD, LPDWORD) { return DDERR_UNSUPPORTED; }
HRESULT DirectDraw::Initialize(GUID*) { return DDERR_ALREADYINITIALIZED; }

} // namespace platform::ddraw

HRESULT WINAPI DirectDrawCreate(GUID* lpGUID, LPDIRECTDRAW* lplpDD, IUnknown* pUnkOuter)
{
    if (pUnkOuter) {
        if (lplpDD)
            *lplpDD = nullptr;
        return CLASS_E_NOAGGREGATION;
    }
    return platform::ddraw::DirectDraw::Create(lpGUID, lplpDD);
}
