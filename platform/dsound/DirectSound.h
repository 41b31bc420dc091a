// The DirectSound device object: one per DirectSoundCreate, all sharing the audio output.
#pragma once
#include "base/ComObject.h"
#include "dsound/AudioOutput.h"

#include <dsound.h>

#include <memory>

namespace platform::dsound {

class DirectSound final : public ComObject<DirectSound, IID_IDirectSound, IDirectSound> {
public:
    explicit DirectSound(std::shared_ptr<audio::Device> device);

    STDMETHOD(CreateSoundBuffer)(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer, LPUNKNOWN outer) override;
    STDMETHOD(GetCaps)(LPDSCAPS caps) override;
    STDMETHOD(DuplicateSoundBuffer)(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* duplicate) override;
    STDMETHOD(SetCooperativeLevel)(HWND hwnd, DWORD level) override;
    STDMETHOD(Compact)() override;
    STDMETHOD(GetSpeakerConfig)(LPDWORD config) override;
    STDMETHOD(SetSpeakerConfig)(DWORD config) override;
    STDMETHOD(Initialize)(LPCGUID device) override;

private:
    // Buffers hold the output too, so they may outlive this object.
    std::shared_ptr<audio::Device> m_device;
};

} // namespace platform::dsound
