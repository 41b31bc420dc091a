#include "support/FaultyDirectSound.h"

namespace testsupport {

FaultyDirectSound::FaultyDirectSound(IDirectSound* real) : m_real(real) { m_real->AddRef(); }

FaultyDirectSound::~FaultyDirectSound()
{
    for (IDirectSoundBuffer* buffer : m_made)
        buffer->Release();
    m_real->Release();
}

STDMETHODIMP FaultyDirectSound::QueryInterface(REFIID, void** ppv)
{
    if (ppv)
        *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP FaultyDirectSound::CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer, LPUNKNOWN outer)
{
    if (createsBeforeFailing == 0) {
        if (buffer)
            *buffer = nullptr;
        return DSERR_OUTOFMEMORY;
    }
    const HRESULT hr = m_real->CreateSoundBuffer(desc, buffer, outer);
    if (SUCCEEDED(hr)) {
        ++creates;
        if (createsBeforeFailing > 0)
            --createsBeforeFailing;
        Keep(*buffer);
    }
    return hr;
}

STDMETHODIMP FaultyDirectSound::DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* duplicate)
{
    if (failDuplicates) {
        if (duplicate)
            *duplicate = nullptr;
        return DSERR_OUTOFMEMORY;
    }
    const HRESULT hr = m_real->DuplicateSoundBuffer(original, duplicate);
    if (SUCCEEDED(hr)) {
        ++duplicates;
        Keep(*duplicate);
    }
    return hr;
}

void FaultyDirectSound::Keep(IDirectSoundBuffer* buffer)
{
    buffer->AddRef();
    m_made.push_back(buffer);
}

bool FaultyDirectSound::AllBuffersReleased() const
{
    for (IDirectSoundBuffer* buffer : m_made) {
        buffer->AddRef();
        if (buffer->Release() != 1)
            return false;
    }
    return true;
}

} // namespace testsupport
