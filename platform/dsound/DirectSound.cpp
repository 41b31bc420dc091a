#include "dsound/DirectSound.h"

#include "dsound/SoundBuffer.h"


namespace platform::dsound {

DirectSound::DirectSound(std::shared_ptr<audio::Device> device) : m_device(std::move(device)) {}

STDMETHODIMP DirectSound::CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer, LPUNKNOWN outer)
{
    if (buffer && outer) {
        *buffer = nullptr;
        return DSERR_NOAGGREGATION;
    }
    return WithoutExceptions([&] { return SoundBuffer::Create(m_device, desc, buffer); });
}

STDMETHODIMP DirectSound::GetCaps(LPDSCAPS caps)
{
    if (!caps || caps->dwSize != sizeof(DSCAPS))
        return DSERR_INVALIDPARAM;
    *caps = DSCAPS{};
    caps->dwSize = sizeof(DSCAPS);
    caps->dwMinSecondarySampleRate = DSBFREQUENCY_MIN;
    caps->dwMaxSecondarySampleRate = DSBFREQUENCY_MAX;
    caps->dwPrimaryBuffers = 1;
    return DS_OK;
}

STDMETHODIMP DirectSound::DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* duplicate)
{
    if (!duplicate)
        return DSERR_INVALIDPARAM;
    *duplicate = nullptr;
    SoundBuffer* ours = original ? SoundBuffer::From(original) : nullptr;
    if (!ours)
        return DSERR_INVALIDPARAM;
    return WithoutExceptions([&] { return SoundBuffer::Duplicate(*ours, duplicate); });
}

STDMETHODIMP DirectSound::SetCooperativeLevel(HWND hwnd, DWORD level)
{
    if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY || !IsWindow(hwnd))
        return DSERR_INVALIDPARAM;
    return m_device->Claim(hwnd, level);
}

STDMETHODIMP DirectSound::Compact() { return DS_OK; }

STDMETHODIMP DirectSound::GetSpeakerConfig(LPDWORD) { return DSERR_UNSUPPORTED; }

STDMETHODIMP DirectSound::SetSpeakerConfig(DWORD) { return DS_OK; }

STDMETHODIMP DirectSound::Initialize(LPCGUID) { return DSERR_ALREADYINITIALIZED; }

} // namespace platform::dsound

HRESULT WINAPI DirectSoundCreate(LPCGUID device, LPDIRECTSOUND* ppDS, LPUNKNOWN outer)
{
    if (!ppDS)
        return DSERR_INVALIDPARAM;
    *ppDS = nullptr;
    if (outer)
        return DSERR_NOAGGREGATION;
    // Only the default device exists (NULL, or the null GUID).
    if (device && *device != GUID{})
        return DSERR_NODRIVER;
    return platform::WithoutExceptions([ppDS] {
        auto output = platform::audio::CurrentOutput().OpenDevice();
        if (!output)
            return DSERR_NODRIVER;
        *ppDS = new platform::dsound::DirectSound(std::move(output));
        return DS_OK;
    });
}
