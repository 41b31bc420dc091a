// A DirectDraw surface: our own 32-bit XRGB pixel buffer, or, for the primary surface,
// the screen, which a blit reaches through a clipper bound to a window.
#pragma once
#include "base/ComObject.h"
#include "pixels/Blitter.h"

#include <ddraw.h>

#include <optional>
#include <vector>

namespace platform::ddraw {

class Clipper;
class Palette;

class Surface final : public ComObject<Surface, IID_IDirectDrawSurface, IDirectDrawSurface> {
public:
    // Checks the description as the platform does and makes the surface.
    static HRESULT Create(const DDSURFACEDESC* desc, IDirectDrawSurface** out);
    // Our surface behind the interface, or null for anything else.
    static Surface* From(IDirectDrawSurface* surface);

    void MarkLost() { m_lost = true; }

    STDMETHOD(AddAttachedSurface)(LPDIRECTDRAWSURFACE lpDDSAttachedSurface) override;
    STDMETHOD(AddOverlayDirtyRect)(LPRECT lpRect) override;
    STDMETHOD(Blt)(LPRECT lpDestRect, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect, DWORD dwFlags,
                   LPDDBLTFX lpDDBltFx) override;
    STDMETHOD(BltBatch)(LPDDBLTBATCH lpDDBltBatch, DWORD dwCount, DWORD dwFlags) override;
    STDMETHOD(BltFast)(DWORD dwX, DWORD dwY, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect,
                       DWORD dwTrans) override;
    STDMETHOD(DeleteAttachedSurface)(DWORD dwFlags, LPDIRECTDRAWSURFACE lpDDSAttachedSurface) override;
    STDMETHOD(EnumAttachedSurfaces)(LPVOID lpContext, LPDDENUMSURFACESCALLBACK lpEnumSurfacesCallback) override;
    STDMETHOD(EnumOverlayZOrders)(DWORD dwFlags, LPVOID lpContext, LPDDENUMSURFACESCALLBACK lpfnCallback) override;
    STDMETHOD(Flip)(LPDIRECTDRAWSURFACE lpDDSurfaceTargetOverride, DWORD dwFlags) override;
    STDMETHOD(GetAttachedSurface)(LPDDSCAPS lpDDSCaps, LPDIRECTDRAWSURFACE* lplpDDAttachedSurface) override;
    STDMETHOD(GetBltStatus)(DWORD dwFlags) override;
    STDMETHOD(GetCaps)(LPDDSCAPS lpDDSCaps) override;
    STDMETHOD(GetClipper)(LPDIRECTDRAWCLIPPER* lplpDDClipper) override;
    STDMETHOD(GetColorKey)(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) override;
    STDMETHOD(GetDC)(HDC* lphDC) override;
    STDMETHOD(GetFlipStatus)(DWORD dwFlags) override;
    STDMETHOD(GetOverlayPosition)(LPLONG lplX, LPLONG lplY) override;
    STDMETHOD(GetPalette)(LPDIRECTDRAWPALETTE* lplpDDPalette) override;
    STDMETHOD(GetPixelFormat)(LPDDPIXELFORMAT lpDDPixelFormat) override;
    STDMETHOD(GetSurfaceDesc)(LPDDSURFACEDESC lpDDSurfaceDesc) override;
    STDMETHOD(Initialize)(LPDIRECTDRAW lpDD, LPDDSURFACEDESC lpDDSurfaceDesc) override;
    STDMETHOD(IsLost)() override;
    STDMETHOD(Lock)(LPRECT lpDestRect, LPDDSURFACEDESC lpDDSurfaceDesc, DWORD dwFlags, HANDLE hEvent) override;
    STDMETHOD(ReleaseDC)(HDC hDC) override;
    STDMETHOD(Restore)() override;
    STDMETHOD(SetClipper)(LPDIRECTDRAWCLIPPER lpDDClipper) override;
    STDMETHOD(SetColorKey)(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey) override;
    STDMETHOD(SetOverlayPosition)(LONG lX, LONG lY) override;
    STDMETHOD(SetPalette)(LPDIRECTDRAWPALETTE lpDDPalette) override;
    STDMETHOD(Unlock)(LPVOID lpSurfaceData) override;
    STDMETHOD(UpdateOverlay)(LPRECT lpSrcRect, LPDIRECTDRAWSURFACE lpDDDestSurface, LPRECT lpDestRect,
                             DWORD dwFlags, LPDDOVERLAYFX lpDDOverlayFx) override;
    STDMETHOD(UpdateOverlayDisplay)(DWORD dwFlags) override;
    STDMETHOD(UpdateOverlayZOrder)(DWORD dwFlags, LPDIRECTDRAWSURFACE lpDDSReference) override;

private:
    // What a blit puts into the destination: a colour, or a source part (stretched to fit).
    struct Paint {
        const Surface* src = nullptr;
        RECT srcRect{};
        const blit::ColorKey* key = nullptr;
        uint32_t fill = 0;
        void Apply(const PixelView& dst, const RECT& destRect, const RECT& clip) const;
    };

    Surface(bool primary, int width, int height, DWORD caps, const DDPIXELFORMAT& format);
    ~Surface() override;

    RECT Bounds() const { return RECT{0, 0, m_width, m_height}; }
    PixelView View() const;
    // DDERR_SURFACELOST or DDERR_SURFACEBUSY when the surface cannot take part in a blit.
    HRESULT Usable() const;
    // A blit onto the primary surface: into the clipper's window, clipped to its client area.
    // Only the pixels that change are written, and only they are shown anew.
    void PaintWindow(const RECT& destRect, const Paint& paint) const;
    // The pixels the paint gives the window's part `area` (client coordinates), as a view
    // whose (0, 0) is the area's top-left corner.
    static PixelView Frame(const PixelView& window, const RECT& target, const RECT& area, const Paint& paint);
    void Describe(DDSURFACEDESC* desc) const;

    const bool m_primary;
    const int m_width;
    const int m_height;
    const DWORD m_caps;
    const DDPIXELFORMAT m_format;
    std::vector<uint32_t> m_pixels;
    bool m_lost = false;
    bool m_locked = false;
    HDC m_dc = nullptr;
    std::optional<DDCOLORKEY> m_srcKey;
    std::optional<DDCOLORKEY> m_destKey;
    Clipper* m_clipper = nullptr;
    Palette* m_palette = nullptr;
};

} // namespace platform::ddraw
