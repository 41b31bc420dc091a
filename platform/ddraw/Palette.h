// A DirectDraw palette: 2, 4, 16 or 256 entries.
#pragma once
#include "base/ComObject.h"

#include <ddraw.h>

#include <vector>

namespace platform::ddraw {

class Palette final : public ComObject<Palette, IID_IDirectDrawPalette, IDirectDrawPalette> {
public:
    static HRESULT Create(DWORD flags, const PALETTEENTRY* entries, IDirectDrawPalette** out);

    STDMETHOD(GetCaps)(LPDWORD lpdwCaps) override;
    STDMETHOD(GetEntries)(DWORD dwFlags, DWORD dwBase, DWORD dwNumEntries, LPPALETTEENTRY lpEntries) override;
    STDMETHOD(Initialize)(LPDIRECTDRAW lpDD, DWORD dwFlags, LPPALETTEENTRY lpDDColorTable) override;
    STDMETHOD(SetEntries)(DWORD dwFlags, DWORD dwStartingEntry, DWORD dwCount, LPPALETTEENTRY lpEntries) override;

private:
    Palette(DWORD flags, const PALETTEENTRY* entries, size_t count);
    ~Palette() override = default;
    bool InRange(DWORD first, DWORD count) const
    {
        return first <= m_entries.size() && count <= m_entries.size() - first;
    }

    DWORD m_caps;
    std::vector<PALETTEENTRY> m_entries;
};

} // namespace platform::ddraw
