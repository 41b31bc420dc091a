// A clipper: binds blits onto the primary surface to a window's client area.
#pragma once
#include "base/ComObject.h"

#include <ddraw.h>

namespace platform::ddraw {

class Clipper final : public ComObject<Clipper, IID_IDirectDrawClipper, IDirectDrawClipper> {
public:
    static HRESULT Create(DWORD flags, IDirectDrawClipper** out);

    HWND Window() const { return m_hwnd; }

    STDMETHOD(GetClipList)(LPRECT lpRect, LPRGNDATA lpClipList, LPDWORD lpdwSize) override;
    STDMETHOD(GetHWnd)(HWND* lphWnd) override;
    STDMETHOD(Initialize)(LPDIRECTDRAW lpDD, DWORD dwFlags) override;
    STDMETHOD(IsClipListChanged)(BOOL* lpbChanged) override;
    STDMETHOD(SetClipList)(LPRGNDATA lpClipList, DWORD dwFlags) override;
    STDMETHOD(SetHWnd)(DWORD dwFlags, HWND hWnd) override;

private:
    Clipper() = default;
    ~Clipper() override = default;
    HWND m_hwnd = nullptr;
};

} // namespace platform::ddraw
