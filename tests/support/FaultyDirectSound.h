// A DirectSound device for the sound-object tests: passes every call on to a real
// device, counts the buffers made through it, and fails duplicates or creations on
// demand, as a device short of memory would.
#pragma once
#include <dsound.h>

#include <vector>

namespace testsupport {

class FaultyDirectSound final : public IDirectSound {
public:
    // Takes a reference of its own on the real device.
    explicit FaultyDirectSound(IDirectSound* real);
    ~FaultyDirectSound();
    FaultyDirectSound(const FaultyDirectSound&) = delete;
    FaultyDirectSound& operator=(const FaultyDirectSound&) = delete;

    bool failDuplicates = false;
    int createsBeforeFailing = -1; // creations that still succeed; below 0, all do

    int creates = 0;    // buffers made by CreateSoundBuffer
    int duplicates = 0; // buffers made by DuplicateSoundBuffer

    // True when every buffer made through this device has been released by whoever got it.
    bool AllBuffersReleased() const;

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(CreateSoundBuffer)(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer, LPUNKNOWN outer) override;
    STDMETHOD(GetCaps)(LPDSCAPS caps) override { return m_real->GetCaps(caps); }
    STDMETHOD(DuplicateSoundBuffer)(LPDIRECTSOUNDBUFFER original, LPDIRECTSOUNDBUFFER* duplicate) override;
    STDMETHOD(SetCooperativeLevel)(HWND hwnd, DWORD level) override { return m_real->SetCooperativeLevel(hwnd, level); }
    STDMETHOD(Compact)() override { return m_real->Compact(); }
    STDMETHOD(GetSpeakerConfig)(LPDWORD config) override { return m_real->GetSpeakerConfig(config); }
    STDMETHOD(SetSpeakerConfig)(DWORD config) override { return m_real->SetSpeakerConfig(config); }
    STDMETHOD(Initialize)(LPCGUID device) override { return m_real->Initialize(device); }

private:
    void Keep(IDirectSoundBuffer* buffer);

    IDirectSound* m_real;
    std::vector<IDirectSoundBuffer*> m_made; // each with one reference of ours
};

} // namespace testsupport
