// The DirectMusic loader: segments from Standard MIDI Files, relative to a search directory.
#pragma once
#include <dmusici.h>

#include "base/ComObject.h"

#include <string>

namespace platform {

class Loader final : public ComObject<Loader, IID_IDirectMusicLoader, IDirectMusicLoader> {
public:
    STDMETHODIMP GetObject(LPDMUS_OBJECTDESC pDesc, REFIID riid, LPVOID* ppv) override;
    STDMETHODIMP SetSearchDirectory(REFGUID rguidClass, WCHAR* pwzPath, BOOL fClear) override;

private:
    // GetObject, which may throw when out of memory.
    HRESULT Load(LPDMUS_OBJECTDESC pDesc, REFIID riid, LPVOID* ppv);
    HRESULT FilePath(const DMUS_OBJECTDESC& desc, std::string& path) const;

    std::string m_searchDirectory; // a host path; empty for the working directory
};

HRESULT CreateDirectMusicLoader(REFIID riid, void** ppv);

} // namespace platform
