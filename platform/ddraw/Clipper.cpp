#include "ddraw/Clipper.h"

#include "pixels/Blitter.h"
#include "ddraw/Driver.h"
#include "ddraw/WindowPresenter.h"

#include <cstring>
#include <new>

namespace platform::ddraw {

HRESULT Clipper::Create(DWORD flags, IDirectDrawClipper** out)
{
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (flags != 0)
        return DDERR_INVALIDPARAMS;
    if (HRESULT hr = CurrentDriver().Reserve(ObjectKind::Clipper); FAILED(hr))
        return hr;
    *out = new (std::nothrow) Clipper();
    return *out ? DD_OK : DDERR_OUTOFMEMORY;
}

HRESULT Clipper::GetClipList(LPRECT lpRect, LPRGNDATA lpClipList, LPDWORD lpdwSize)
{
    if (!lpdwSize)
        return DDERR_INVALIDPARAMS;
    RECT area{};
    if (!m_hwnd || !CurrentPresenter().ClientAreaOnScreen(m_hwnd, &area))
        return DDERR_NOCLIPLIST;
    if (lpRect)
        area = blit::Intersect(area, *lpRect);
    const DWORD count = blit::IsEmpty(area) ? 0 : 1;
    const DWORD needed = sizeof(RGNDATAHEADER) + count * sizeof(RECT);
    if (!lpClipList) {
        *lpdwSize = needed;
        return DD_OK;
    }
    if (*lpdwSize < needed)
        return DDERR_REGIONTOOSMALL;
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = count;
    header.nRgnSize = count * sizeof(RECT);
    header.rcBound = area;
    lpClipList->rdh = header;
    if (count)
        std::memcpy(lpClipList->Buffer, &area, sizeof(RECT));
    return DD_OK;
}

HRESULT Clipper::GetHWnd(HWND* lphWnd)
{
    if (!lphWnd)
        return DDERR_INVALIDPARAMS;
    *lphWnd = m_hwnd;
    return DD_OK;
}

HRESULT Clipper::Initialize(LPDIRECTDRAW, DWORD) { return DDERR_ALREADYINITIALIZED; }

HRESULT Clipper::IsClipListChanged(BOOL* lpbChanged)
{
    if (!lpbChanged)
        return DDERR_INVALIDPARAMS;
    *lpbChanged = FALSE;
    return DD_OK;
}

// Only window clippers are offered.
HRESULT Clipper::SetClipList(LPRGNDATA, DWORD)
{
    return m_hwnd ? DDERR_CLIPPERISUSINGHWND : DDERR_UNSUPPORTED;
}

HRESULT Clipper::SetHWnd(DWORD dwFlags, HWND hWnd)
{
    if (dwFlags != 0 || (hWnd && !CurrentPresenter().Exists(hWnd)))
        return DDERR_INVALIDPARAMS;
    m_hwnd = hWnd;
    return DD_OK;
}

} // namespace platform::ddraw
