#include "ddraw/Palette.h"

#include "ddraw/Driver.h"

#include <algorithm>

namespace platform::ddraw {

HRESULT Palette::Create(DWORD flags, const PALETTEENTRY* entries, IDirectDrawPalette** out)
{
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    static constexpr struct {
        DWORD flag;
        size_t entries;
    } kSizes[] = {{DDPCAPS_1BIT, 2}, {DDPCAPS_2BIT, 4}, {DDPCAPS_4BIT, 16}, {DDPCAPS_8BIT, 256}};
    size_t count = 0;
    int sizes = 0;
    for (const auto& size : kSizes) {
        if (flags & size.flag) {
            count = size.entries;
            ++sizes;
        }
    }
    if (sizes != 1 || !entries)
        return DDERR_INVALIDPARAMS;
    if (HRESULT hr = CurrentDriver().Reserve(ObjectKind::Palette); FAILED(hr))
        return hr;
    const HRESULT hr = WithoutExceptions([&] {
        *out = new Palette(flags, entries, count);
        return DD_OK;
    });
    return SUCCEEDED(hr) ? DD_OK : DDERR_OUTOFMEMORY;
}

Palette::Palette(DWORD flags, const PALETTEENTRY* entries, size_t count)
    : m_caps(flags), m_entries(entries, entries + count)
{
}

HRESULT Palette::GetCaps(LPDWORD lpdwCaps)
{
    if (!lpdwCaps)
        return DDERR_INVALIDPARAMS;
    *lpdwCaps = m_caps;
    return DD_OK;
}

HRESULT Palette::GetEntries(DWORD dwFlags, DWORD dwBase, DWORD dwNumEntries, LPPALETTEENTRY lpEntries)
{
    if (dwFlags != 0 || !lpEntries || !InRange(dwBase, dwNumEntries))
        return DDERR_INVALIDPARAMS;
    std::copy_n(m_entries.begin() + dwBase, dwNumEntries, lpEntries);
    return DD_OK;
}

HRESULT Palette::Initialize(LPDIRECTDRAW, DWORD, LPPALETTEENTRY) { return DDERR_ALREADYINITIALIZED; }

HRESULT Palette::SetEntries(DWORD dwFlags, DWORD dwStartingEntry, DWORD dwCount, LPPALETTEENTRY lpEntries)
{
    if (dwFlags != 0 || !lpEntries || !InRange(dwStartingEntry, dwCount))
        return DDERR_INVALIDPARAMS;
    std::copy_n(lpEntries, dwCount, m_entries.begin() + dwStartingEntry);
    return DD_OK;
}

} // namespace platform::ddraw
