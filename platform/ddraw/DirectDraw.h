// The DirectDraw object: one object behind both IDirectDraw and IDirectDraw2.
#pragma once
#include "base/ComObject.h"

#include <ddraw.h>

namespace platform::ddraw {

class DirectDraw final : public ComObject<DirectDraw, IID_IDirectDraw, IDirectDraw, IDirectDraw2> {
public:
    static HRESULT Create(GUID* guid, IDirectDraw** out);

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD(Compact)() override;
    STDMETHOD(CreateClipper)(DWORD dwFlags, LPDIRECTDRAWCLIPPER* lplpDDClipper, IUnknown* pUnkOuter) override;
    STDMETHOD(CreatePalette)(DWORD dwFlags, LPPALETTEENTRY lpColorTable, LPDIRECTDRAWPALETTE* lplpDDPalette,
                             IUnknown* pUnkOuter) override;
    STDMETHOD(CreateSurface)(LPDDSURFACEDESC lpDDSurfaceDesc, LPDIRECTDRAWSURFACE* lplpDDSurface,
                             IUnknown* pUnkOuter) override;
    STDMETHOD(DuplicateSurface)(LPDIRECTDRAWSURFACE lpDDSurface, LPDIRECTDRAWSURFACE* lplpDupDDSurface) override;
    STDMETHOD(EnumDisplayModes)(DWORD dwFlags, LPDDSURFACEDESC lpDDSurfaceDesc, LPVOID lpContext,
                                LPDDENUMMODESCALLBACK lpEnumModesCallback) override;
    STDMETHOD(EnumSurfaces)(DWORD dwFlags, LPDDSURFACEDESC lpDDSD, LPVOID lpContext,
                            LPDDENUMSURFACESCALLBACK lpEnumSurfacesCallback) override;
    STDMETHOD(FlipToGDISurface)() override;
    STDMETHOD(GetCaps)(LPDDCAPS lpDDDriverCaps, LPDDCAPS lpDDHELCaps) override;
    STDMETHOD(GetDisplayMode)(LPDDSURFACEDESC lpDDSurfaceDesc) override;
    STDMETHOD(GetFourCCCodes)(LPDWORD lpNumCodes, LPDWORD lpCodes) override;
    STDMETHOD(GetGDISurface)(LPDIRECTDRAWSURFACE* lplpGDIDDSSurface) override;
    STDMETHOD(GetMonitorFrequency)(LPDWORD lpdwFrequency) override;
    STDMETHOD(GetScanLine)(LPDWORD lpdwScanLine) override;
    STDMETHOD(GetVerticalBlankStatus)(LPBOOL lpbIsInVB) override;
    STDMETHOD(Initialize)(GUID* lpGUID) override;
    STDMETHOD(RestoreDisplayMode)() override;
    STDMETHOD(SetCooperativeLevel)(HWND hWnd, DWORD dwFlags) override;
    STDMETHOD(SetDisplayMode)(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP) override;
    STDMETHOD(SetDisplayMode)(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD dwRefreshRate,
                              DWORD dwFlags) override;
    STDMETHOD(WaitForVerticalBlank)(DWORD dwFlags, HANDLE hEvent) override;
    STDMETHOD(GetAvailableVidMem)(LPDDSCAPS lpDDSCaps, LPDWORD lpdwTotal, LPDWORD lpdwFree) override;

private:
    DirectDraw() = default;
    ~DirectDraw() override = default;

    bool m_levelSet = false;
};

} // namespace platform::ddraw
