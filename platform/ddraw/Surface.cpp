#include "ddraw/Surface.h"

#include "ddraw/Clipper.h"
#include "ddraw/Driver.h"
#include "ddraw/Palette.h"
#include "pixels/PixelFormat.h"
#include "ddraw/References.h"
#include "ddraw/WindowDamage.h"
#include "ddraw/WindowPresenter.h"
#include "win32/Display.h"
#include "gdi/GdiObjects.h"

#include <algorithm>
#include <climits>
#include <new>

namespace platform::ddraw {
namespace {

constexpr DWORD kMaxSide = 16384;
// Destination rectangles reach no further than this from the origin; farther is nonsense.
constexpr LONG kMaxCoordinate = 1 << 24;
constexpr uint64_t kMaxPixels = 1ull << 26;

constexpr DWORD kKnownDescFlags =
    DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT | DDSD_CKSRCBLT | DDSD_CKDESTBLT;
constexpr DWORD kPrimaryCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM | DDSCAPS_VISIBLE;
constexpr DWORD kOffscreenCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY |
                                 DDSCAPS_LOCALVIDMEM | DDSCAPS_NONLOCALVIDMEM | DDSCAPS_WRITEONLY | DDSCAPS_OWNDC;
constexpr DWORD kBltFlags = DDBLT_WAIT | DDBLT_ASYNC | DDBLT_DONOTWAIT | DDBLT_KEYSRC | DDBLT_KEYSRCOVERRIDE |
                            DDBLT_COLORFILL | DDBLT_ROP;

bool SameFormat(const DDPIXELFORMAT& a, const DDPIXELFORMAT& b)
{
    return a.dwFlags == b.dwFlags && a.dwRGBBitCount == b.dwRGBBitCount && a.dwRBitMask == b.dwRBitMask &&
           a.dwGBitMask == b.dwGBitMask && a.dwBBitMask == b.dwBBitMask;
}

bool WithinReach(const RECT& r)
{
    for (LONG v : {r.left, r.top, r.right, r.bottom}) {
        if (v < -kMaxCoordinate || v > kMaxCoordinate)
            return false;
    }
    return true;
}

RECT Offset(const RECT& r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

HRESULT CheckPrimaryDesc(const DDSURFACEDESC& desc, DWORD caps)
{
    if (desc.dwFlags & (DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT))
        return DDERR_INVALIDPARAMS;
    // A flipping chain needs the exclusive full-screen level, which this program never asks for.
    if (caps & (DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_BACKBUFFER))
        return DDERR_NOEXCLUSIVEMODE;
    if (caps & ~kPrimaryCaps)
        return DDERR_INVALIDCAPS;
    return DD_OK;
}

HRESULT CheckOffscreenDesc(const DDSURFACEDESC& desc, DWORD caps, const DDPIXELFORMAT& display)
{
    if (!(desc.dwFlags & DDSD_WIDTH) || !(desc.dwFlags & DDSD_HEIGHT) || desc.dwWidth == 0 || desc.dwHeight == 0)
        return DDERR_INVALIDPARAMS;
    if (caps & ~kOffscreenCaps)
        return DDERR_INVALIDCAPS;
    if ((caps & DDSCAPS_SYSTEMMEMORY) && (caps & DDSCAPS_VIDEOMEMORY))
        return DDERR_INVALIDCAPS;
    if ((caps & (DDSCAPS_LOCALVIDMEM | DDSCAPS_NONLOCALVIDMEM)) && !(caps & DDSCAPS_VIDEOMEMORY))
        return DDERR_INVALIDCAPS;
    if (desc.dwWidth > kMaxSide)
        return DDERR_TOOBIGWIDTH;
    if (desc.dwHeight > kMaxSide)
        return DDERR_TOOBIGHEIGHT;
    if (static_cast<uint64_t>(desc.dwWidth) * desc.dwHeight > kMaxPixels)
        return DDERR_OUTOFMEMORY;
    if (desc.dwFlags & DDSD_PIXELFORMAT) {
        const DDPIXELFORMAT& pf = desc.ddpfPixelFormat;
        if (pf.dwSize != sizeof(DDPIXELFORMAT))
            return DDERR_INVALIDPARAMS;
        if (!SameFormat(pf, display) && !SameFormat(pf, pixels::MemoryPixelFormat()))
            return DDERR_INVALIDPIXELFORMAT;
    }
    return DD_OK;
}

} // namespace

HRESULT Surface::Create(const DDSURFACEDESC* desc, IDirectDrawSurface** out)
{
    if (!desc || !out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (desc->dwSize != sizeof(DDSURFACEDESC) || (desc->dwFlags & ~kKnownDescFlags))
        return DDERR_INVALIDPARAMS;
    DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
    const DisplayMode mode = CurrentDisplayMode();
    const DDPIXELFORMAT display = pixels::DisplayPixelFormat(mode.bitsPerPixel);
    const bool primary = caps & DDSCAPS_PRIMARYSURFACE;
    HRESULT hr = primary ? CheckPrimaryDesc(*desc, caps) : CheckOffscreenDesc(*desc, caps, display);
    if (FAILED(hr))
        return hr;
    if (hr = CurrentDriver().Reserve(ObjectKind::Surface); FAILED(hr))
        return hr;

    Surface* surface = nullptr;
    try {
        if (primary) {
            caps |= DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM | DDSCAPS_VISIBLE;
            surface = new Surface(true, std::max(mode.width, 0), std::max(mode.height, 0), caps, display);
        } else {
            if (caps & DDSCAPS_VIDEOMEMORY) {
                if (!CurrentDriver().HasVideoMemory())
                    return DDERR_OUTOFVIDEOMEMORY;
                caps |= DDSCAPS_LOCALVIDMEM;
            } else if (!(caps & DDSCAPS_SYSTEMMEMORY)) {
                // No placement asked: video memory while there is any.
                caps |= CurrentDriver().HasVideoMemory() ? (DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM) : DDSCAPS_SYSTEMMEMORY;
            }
            caps |= DDSCAPS_OFFSCREENPLAIN;
            const DDPIXELFORMAT format = (desc->dwFlags & DDSD_PIXELFORMAT) ? desc->ddpfPixelFormat : display;
            surface = new Surface(false, static_cast<int>(desc->dwWidth), static_cast<int>(desc->dwHeight), caps,
                                  format);
        }
    } catch (const std::bad_alloc&) {
        return DDERR_OUTOFMEMORY;
    }
    if (desc->dwFlags & DDSD_CKSRCBLT)
        surface->m_srcKey = desc->ddckCKSrcBlt;
    if (desc->dwFlags & DDSD_CKDESTBLT)
        surface->m_destKey = desc->ddckCKDestBlt;
    *out = surface;
    return DD_OK;
}

Surface* Surface::From(IDirectDrawSurface* surface) { return dynamic_cast<Surface*>(surface); }

Surface::Surface(bool primary, int width, int height, DWORD caps, const DDPIXELFORMAT& format)
    : m_primary(primary), m_width(width), m_height(height), m_caps(caps), m_format(format)
{
    // The primary surface is the screen: it has no memory of its own.
    if (!primary)
        m_pixels.assign(static_cast<size_t>(width) * height, 0);
}

Surface::~Surface()
{
    if (m_dc)
        gdi::DeleteSurfaceDC(m_dc);
    Hold<Clipper>(m_clipper, nullptr);
    Hold<Palette>(m_palette, nullptr);
}

PixelView Surface::View() const
{
    return PixelView{const_cast<uint32_t*>(m_pixels.data()), m_width, m_height, m_width};
}

HRESULT Surface::Usable() const
{
    if (m_lost)
        return DDERR_SURFACELOST;
    if (m_locked || m_dc)
        return DDERR_SURFACEBUSY;
    return DD_OK;
}

void Surface::Paint::Apply(const PixelView& dst, const RECT& destRect, const RECT& clip) const
{
    if (src)
        blit::Stretch(dst, destRect, clip, src->View(), srcRect, key);
    else
        blit::Fill(dst, blit::Intersect(destRect, clip), fill);
}

HRESULT Surface::Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect, DWORD dwFlags,
                     LPDDBLTFX fx)
{
    if (dwFlags & ~kBltFlags)
        return DDERR_UNSUPPORTED;
    const bool fill = dwFlags & DDBLT_COLORFILL;
    const DWORD keyFlags = dwFlags & (DDBLT_KEYSRC | DDBLT_KEYSRCOVERRIDE);
    if (keyFlags == (DDBLT_KEYSRC | DDBLT_KEYSRCOVERRIDE) || (fill && (keyFlags || (dwFlags & DDBLT_ROP))))
        return DDERR_INVALIDPARAMS;
    if ((dwFlags & (DDBLT_COLORFILL | DDBLT_KEYSRCOVERRIDE | DDBLT_ROP)) && (!fx || fx->dwSize != sizeof(DDBLTFX)))
        return DDERR_INVALIDPARAMS;
    if ((dwFlags & DDBLT_ROP) && fx->dwROP != SRCCOPY)
        return DDERR_NORASTEROPHW;

    Surface* src = nullptr;
    if (!fill) {
        src = From(lpDDSrcSurface);
        if (!src)
            return DDERR_INVALIDPARAMS;
    }
    if (HRESULT hr = Usable(); FAILED(hr))
        return hr;
    if (src && src != this) {
        if (HRESULT hr = src->Usable(); FAILED(hr))
            return hr;
    }
    // The screen is written, never read back.
    if (src && src->m_primary)
        return DDERR_UNSUPPORTED;

    const RECT destRect = lpDestRect ? *lpDestRect : Bounds();
    if (blit::IsEmpty(destRect) || !WithinReach(destRect))
        return DDERR_INVALIDRECT;
    Paint paint;
    std::optional<blit::ColorKey> key;
    if (src) {
        paint.src = src;
        paint.srcRect = lpSrcRect ? *lpSrcRect : src->Bounds();
        if (!blit::InsideBounds(paint.srcRect, src->m_width, src->m_height))
            return DDERR_INVALIDRECT;
        if (dwFlags & DDBLT_KEYSRC) {
            if (!src->m_srcKey)
                return DDERR_COLORKEYNOTSET;
            key.emplace(*src->m_srcKey, src->m_format);
        } else if (dwFlags & DDBLT_KEYSRCOVERRIDE) {
            key.emplace(fx->ddckSrcColorkey, src->m_format);
        }
        paint.key = key ? &*key : nullptr;
    } else {
        paint.fill = pixels::PixelPacker(m_format).Unpack(fx->dwFillColor);
    }

    if (m_primary) {
        PaintWindow(destRect, paint);
        return DD_OK;
    }
    // Without a clipper the rectangle must lie on the surface; with one it is clipped to it.
    if (!m_clipper && !blit::InsideBounds(destRect, m_width, m_height))
        return DDERR_INVALIDRECT;
    paint.Apply(View(), destRect, Bounds());
    return DD_OK;
}

void Surface::PaintWindow(const RECT& destRect, const Paint& paint) const
{
    const HWND hwnd = m_clipper ? m_clipper->Window() : nullptr;
    WindowPresenter& presenter = CurrentPresenter();
    RECT client{};
    if (!hwnd || !presenter.ClientAreaOnScreen(hwnd, &client))
        return;
    if (blit::IsEmpty(blit::Intersect(destRect, client)))
        return;
    PixelView view;
    if (!presenter.Lock(hwnd, &view))
        return;
    const RECT target = Offset(destRect, -client.left, -client.top);
    const RECT clip = blit::Intersect(RECT{0, 0, client.right - client.left, client.bottom - client.top},
                                      RECT{0, 0, view.width, view.height});
    const RECT area = blit::Intersect(target, clip);
    std::vector<RECT> damage;
    if (!blit::IsEmpty(area))
        WriteChanged(view, area, Frame(view, target, area, paint), &damage);
    presenter.Unlock(hwnd, damage);
}

PixelView Surface::Frame(const PixelView& window, const RECT& target, const RECT& area, const Paint& paint)
{
    const int w = blit::RectWidth(area), h = blit::RectHeight(area);
    // An unkeyed copy of the same size is the source itself (the source rectangle lies on it).
    if (paint.src && !paint.key && blit::RectWidth(paint.srcRect) == blit::RectWidth(target) &&
        blit::RectHeight(paint.srcRect) == blit::RectHeight(target)) {
        const PixelView src = paint.src->View();
        const int x = paint.srcRect.left + (area.left - target.left);
        const int y = paint.srcRect.top + (area.top - target.top);
        return PixelView{src.pixels + static_cast<size_t>(y) * src.stride + x, w, h, src.stride};
    }
    // Stretches, keys and fills are drawn over a copy of what the window holds, so that the
    // pixels a key leaves alone stay as they are.
    thread_local std::vector<uint32_t> scratch;
    scratch.resize(static_cast<size_t>(w) * h);
    const PixelView frame{scratch.data(), w, h, w};
    blit::Copy(frame, 0, 0, window, area.left, area.top, w, h, nullptr);
    paint.Apply(frame, Offset(target, -area.left, -area.top), RECT{0, 0, w, h});
    return frame;
}

HRESULT Surface::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect, DWORD dwTrans)
{
    if (dwTrans & ~(DDBLTFAST_SRCCOLORKEY | DDBLTFAST_DESTCOLORKEY | DDBLTFAST_WAIT | DDBLTFAST_DONOTWAIT))
        return DDERR_INVALIDPARAMS;
    if (dwTrans & DDBLTFAST_DESTCOLORKEY)
        return DDERR_UNSUPPORTED;
    Surface* src = From(lpDDSrcSurface);
    if (!src)
        return DDERR_INVALIDPARAMS;
    const RECT srcRect = lpSrcRect ? *lpSrcRect : src->Bounds();
    RECT destRect{};
    if (x <= INT_MAX && y <= INT_MAX) {
        const int64_t right = static_cast<int64_t>(x) + blit::RectWidth(srcRect);
        const int64_t bottom = static_cast<int64_t>(y) + blit::RectHeight(srcRect);
        if (right <= INT_MAX && bottom <= INT_MAX)
            destRect = RECT{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(right),
                            static_cast<LONG>(bottom)};
    }
    if (HRESULT hr = Usable(); FAILED(hr))
        return hr;
    if (src != this) {
        if (HRESULT hr = src->Usable(); FAILED(hr))
            return hr;
    }
    // BltFast does no clipping: a surface with a clipper needs Blt.
    if (m_clipper)
        return DDERR_BLTFASTCANTCLIP;
    if (src->m_primary)
        return DDERR_UNSUPPORTED;
    if (!blit::InsideBounds(srcRect, src->m_width, src->m_height))
        return DDERR_INVALIDRECT;
    if (m_primary)
        return DD_OK; // the screen with no window to show it in
    if (!blit::InsideBounds(destRect, m_width, m_height))
        return DDERR_INVALIDRECT;
    std::optional<blit::ColorKey> key;
    if (dwTrans & DDBLTFAST_SRCCOLORKEY) {
        if (!src->m_srcKey)
            return DDERR_COLORKEYNOTSET;
        key.emplace(*src->m_srcKey, src->m_format);
    }
    blit::Copy(View(), destRect.left, destRect.top, src->View(), srcRect.left, srcRect.top,
               blit::RectWidth(srcRect), blit::RectHeight(srcRect), key ? &*key : nullptr);
    return DD_OK;
}

HRESULT Surface::GetDC(HDC* lphDC)
{
    if (!lphDC)
        return DDERR_INVALIDPARAMS;
    *lphDC = nullptr;
    if (m_dc)
        return DDERR_DCALREADYCREATED;
    if (HRESULT hr = Usable(); FAILED(hr))
        return hr;
    if (m_primary)
        return DDERR_CANTCREATEDC;
    m_dc = gdi::CreateSurfaceDC(View());
    if (!m_dc)
        return DDERR_CANTCREATEDC;
    *lphDC = m_dc;
    return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC hDC)
{
    if (!m_dc)
        return DDERR_NODC;
    if (hDC != m_dc)
        return DDERR_INVALIDPARAMS;
    gdi::DeleteSurfaceDC(m_dc);
    m_dc = nullptr;
    return DD_OK;
}

void Surface::Describe(DDSURFACEDESC* desc) const
{
    const DWORD size = desc->dwSize;
    *desc = DDSURFACEDESC{};
    desc->dwSize = size;
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(m_width);
    desc->dwHeight = static_cast<DWORD>(m_height);
    desc->lPitch = m_width * static_cast<LONG>(sizeof(uint32_t));
    desc->ddpfPixelFormat = m_format;
    desc->ddsCaps.dwCaps = m_caps;
    if (m_srcKey) {
        desc->dwFlags |= DDSD_CKSRCBLT;
        desc->ddckCKSrcBlt = *m_srcKey;
    }
    if (m_destKey) {
        desc->dwFlags |= DDSD_CKDESTBLT;
        desc->ddckCKDestBlt = *m_destKey;
    }
}

HRESULT Surface::GetSurfaceDesc(LPDDSURFACEDESC lpDDSurfaceDesc)
{
    if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC))
        return DDERR_INVALIDPARAMS;
    Describe(lpDDSurfaceDesc);
    return DD_OK;
}

HRESULT Surface::GetPixelFormat(LPDDPIXELFORMAT lpDDPixelFormat)
{
    if (!lpDDPixelFormat || lpDDPixelFormat->dwSize != sizeof(DDPIXELFORMAT))
        return DDERR_INVALIDPARAMS;
    *lpDDPixelFormat = m_format;
    return DD_OK;
}

HRESULT Surface::GetCaps(LPDDSCAPS lpDDSCaps)
{
    if (!lpDDSCaps)
        return DDERR_INVALIDPARAMS;
    lpDDSCaps->dwCaps = m_caps;
    return DD_OK;
}

HRESULT Surface::IsLost() { return m_lost ? DDERR_SURFACELOST : DD_OK; }

HRESULT Surface::Restore()
{
    // The memory is kept, but what it held is gone.
    if (m_lost) {
        std::fill(m_pixels.begin(), m_pixels.end(), 0u);
        m_lost = false;
    }
    return DD_OK;
}

HRESULT Surface::Lock(LPRECT lpDestRect, LPDDSURFACEDESC lpDDSurfaceDesc, DWORD, HANDLE)
{
    if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC))
        return DDERR_INVALIDPARAMS;
    if (HRESULT hr = Usable(); FAILED(hr))
        return hr;
    if (m_primary)
        return DDERR_CANTLOCKSURFACE;
    const RECT r = lpDestRect ? *lpDestRect : Bounds();
    if (!blit::InsideBounds(r, m_width, m_height))
        return DDERR_INVALIDRECT;
    Describe(lpDDSurfaceDesc);
    // The memory as it is: 32-bit XRGB, whatever the display's depth.
    lpDDSurfaceDesc->ddpfPixelFormat = pixels::MemoryPixelFormat();
    lpDDSurfaceDesc->dwFlags |= DDSD_LPSURFACE;
    lpDDSurfaceDesc->lpSurface = View().pixels + static_cast<size_t>(r.top) * m_width + r.left;
    m_locked = true;
    return DD_OK;
}

HRESULT Surface::Unlock(LPVOID)
{
    if (!m_locked)
        return DDERR_NOTLOCKED;
    m_locked = false;
    return DD_OK;
}

HRESULT Surface::SetClipper(LPDIRECTDRAWCLIPPER lpDDClipper)
{
    Clipper* clipper = dynamic_cast<Clipper*>(lpDDClipper);
    if (lpDDClipper && !clipper)
        return DDERR_INVALIDPARAMS;
    Hold(m_clipper, clipper);
    return DD_OK;
}

HRESULT Surface::GetClipper(LPDIRECTDRAWCLIPPER* lplpDDClipper)
{
    return HandOut(m_clipper, lplpDDClipper, DDERR_NOCLIPPERATTACHED);
}

namespace {

// A palette on the primary surface is the screen's palette: every top-level window hears
// which window changed it. The caller uses nothing of the surface after this, as a window
// may release it while it hears.
void AnnouncePaletteChange(HWND changedBy)
{
    SendMessageA(HWND_BROADCAST, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(changedBy), 0);
}

} // namespace

HRESULT Surface::SetPalette(LPDIRECTDRAWPALETTE lpDDPalette)
{
    Palette* palette = dynamic_cast<Palette*>(lpDDPalette);
    if (lpDDPalette && !palette)
        return DDERR_INVALIDPARAMS;
    // Only a palette-indexed surface takes a palette.
    if (palette && !(m_format.dwFlags & DDPF_PALETTEINDEXED8))
        return DDERR_INVALIDPIXELFORMAT;
    const bool changesScreen = m_primary && palette && palette != m_palette;
    Hold(m_palette, palette);
    if (changesScreen)
        AnnouncePaletteChange(m_clipper ? m_clipper->Window() : nullptr);
    return DD_OK;
}


HRESULT Surface::GetPalette(LPDIRECTDRAWPALETTE* lplpDDPalette)
{
    return HandOut(m_palette, lplpDDPalette, DDERR_NOPALETTEATTACHED);
}

HRESULT Surface::SetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey)
{
    const DWORD kind = dwFlags & ~DDCKEY_COLORSPACE;
    std::optional<DDCOLORKEY>* slot = kind == DDCKEY_SRCBLT ? &m_srcKey : kind == DDCKEY_DESTBLT ? &m_destKey : nullptr;
    if (!slot) {
        const bool overlay = kind == DDCKEY_SRCOVERLAY || kind == DDCKEY_DESTOVERLAY;
        return overlay ? DDERR_NOOVERLAYHW : DDERR_INVALIDPARAMS;
    }
    if (!lpDDColorKey) {
        slot->reset();
        return DD_OK;
    }
    DDCOLORKEY key = *lpDDColorKey;
    // A single colour unless a range is asked for.
    if (!(dwFlags & DDCKEY_COLORSPACE))
        key.dwColorSpaceHighValue = key.dwColorSpaceLowValue;
    *slot = key;
    return DD_OK;
}

HRESULT Surface::GetColorKey(DWORD dwFlags, LPDDCOLORKEY lpDDColorKey)
{
    if (!lpDDColorKey)
        return DDERR_INVALIDPARAMS;
    const std::optional<DDCOLORKEY>* slot =
        dwFlags == DDCKEY_SRCBLT ? &m_srcKey : dwFlags == DDCKEY_DESTBLT ? &m_destKey : nullptr;
    if (!slot)
        return DDERR_INVALIDPARAMS;
    if (!*slot)
        return DDERR_NOCOLORKEY;
    *lpDDColorKey = **slot;
    return DD_OK;
}

HRESULT Surface::GetBltStatus(DWORD dwFlags)
{
    if (dwFlags != DDGBS_CANBLT && dwFlags != DDGBS_ISBLTDONE)
        return DDERR_INVALIDPARAMS;
    return m_lost ? DDERR_SURFACELOST : DD_OK; // every blit is done when it returns
}

// Windowed surfaces have no attachments, flipping or overlays.
HRESULT Surface::AddAttachedSurface(LPDIRECTDRAWSURFACE) { return DDERR_CANNOTATTACHSURFACE; }
HRESULT Surface::DeleteAttachedSurface(DWORD, LPDIRECTDRAWSURFACE) { return DDERR_SURFACENOTATTACHED; }
HRESULT Surface::EnumAttachedSurfaces(LPVOID, LPDDENUMSURFACESCALLBACK callback)
{
    return callback ? DD_OK : DDERR_INVALIDPARAMS;
}
HRESULT Surface::GetAttachedSurface(LPDDSCAPS, LPDIRECTDRAWSURFACE* out)
{
    if (out)
        *out = nullptr;
    return DDERR_NOTFOUND;
}
HRESULT Surface::Flip(LPDIRECTDRAWSURFACE, DWORD) { return DDERR_NOTFLIPPABLE; }
HRESULT Surface::GetFlipStatus(DWORD) { return DDERR_NOTFLIPPABLE; }
HRESULT Surface::BltBatch(LPDDBLTBATCH, DWORD, DWORD) { return DDERR_UNSUPPORTED; }
HRESULT Surface::AddOverlayDirtyRect(LPRECT) { return DDERR_NOTAOVERLAYSURFACE; }
HRESULT Surface::EnumOverlayZOrders(DWORD, LPVOID, LPDDENUMSURFACESCALLBACK) { return DDERR_NOTAOVERLAYSURFACE; }
HRESULT Surface::GetOverlayPosition(LPLONG, LPLONG) { return DDERR_NOTAOVERLAYSURFACE; }
HRESULT Surface::SetOverlayPosition(LONG, LONG) { return DDERR_NOTAOVERLAYSURFACE; }
HRESULT Surface::UpdateOverlay(LPRECT, LPDIRECTDRAWSURFACE, LPRECT, DWORD, LPDDOVERLAYFX)
{
    return DDERR_NOTAOVERLAYSURFACE;
}
HRESULT Surface::UpdateOverlayDisplay(DWORD) { return DDERR_NOTAOVERLAYSURFACE; }
HRESULT Surface::UpdateOverlayZOrder(DWORD, LPDIRECTDRAWSURFACE) { return DDERR_NOTAOVERLAYSURFACE; }
HRESULT Surface::Initialize(LPDIRECTDRAW, LPDDSURFACEDESC) { return DDERR_ALREADYINITIALIZED; }

} // namespace platform::ddraw
