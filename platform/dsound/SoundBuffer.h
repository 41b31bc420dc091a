// A DirectSound secondary buffer: a voice of the audio output playing the sample
// memory it shares with its duplicates.
#pragma once
#include "base/ComObject.h"
#include "dsound/AudioOutput.h"
#include "dsound/SampleMemory.h"

#include <dsound.h>

#include <memory>

namespace platform::dsound {

class SoundBuffer final : public ComObject<SoundBuffer, IID_IDirectSoundBuffer, IDirectSoundBuffer> {
public:
    // Checks the description and makes a silent buffer from it (may throw when out of memory).
    static HRESULT Create(const std::shared_ptr<audio::Device>& device, LPCDSBUFFERDESC desc,
                          LPDIRECTSOUNDBUFFER* out);
    // A new buffer on the same sample memory, stopped at position 0 (may throw likewise).
    static HRESULT Duplicate(SoundBuffer& original, LPDIRECTSOUNDBUFFER* out);

    // Ours, or null for an interface of another implementation.
    static SoundBuffer* From(IDirectSoundBuffer* buffer);

    ~SoundBuffer() override;

    STDMETHOD(GetCaps)(LPDSBCAPS caps) override;
    STDMETHOD(GetCurrentPosition)(LPDWORD play, LPDWORD write) override;
    STDMETHOD(GetFormat)(LPWAVEFORMATEX format, DWORD sizeAllocated, LPDWORD sizeWritten) override;
    STDMETHOD(GetVolume)(LPLONG volume) override;
    STDMETHOD(GetPan)(LPLONG pan) override;
    STDMETHOD(GetFrequency)(LPDWORD frequency) override;
    STDMETHOD(GetStatus)(LPDWORD status) override;
    STDMETHOD(Initialize)(LPDIRECTSOUND ds, LPCDSBUFFERDESC desc) override;
    STDMETHOD(Lock)(DWORD offset, DWORD bytes, LPVOID* part1, LPDWORD bytes1, LPVOID* part2, LPDWORD bytes2,
                    DWORD flags) override;
    STDMETHOD(Play)(DWORD reserved, DWORD priority, DWORD flags) override;
    STDMETHOD(SetCurrentPosition)(DWORD position) override;
    STDMETHOD(SetFormat)(LPCWAVEFORMATEX format) override;
    STDMETHOD(SetVolume)(LONG volume) override;
    STDMETHOD(SetPan)(LONG pan) override;
    STDMETHOD(SetFrequency)(DWORD frequency) override;
    STDMETHOD(Stop)() override;
    STDMETHOD(Unlock)(LPVOID part1, DWORD bytes1, LPVOID part2, DWORD bytes2) override;
    STDMETHOD(Restore)() override;

    SampleMemory& Memory() { return *m_memory; }

    // Called by the sample memory.
    void OnSamplesReplaced();
    void OnLost();

private:
    SoundBuffer(std::shared_ptr<SampleMemory> memory, std::unique_ptr<audio::Voice> voice, DWORD flags);
    // Notices a voice that reached the end of the samples: it stopped and rewound.
    void Refresh();
    DWORD PlayPosition();
    DWORD WritePosition(DWORD play) const;
    template <typename T>
    HRESULT ReadControl(DWORD control, T value, T* out) const;
    template <typename T>
    HRESULT WriteControl(DWORD control, T value, T lowest, T highest, T* store);

    std::shared_ptr<SampleMemory> m_memory;
    std::unique_ptr<audio::Voice> m_voice;
    DWORD m_flags;
    bool m_playing = false;
    bool m_looping = false;
    DWORD m_position = 0; // where the next Play starts
    LONG m_volume = DSBVOLUME_MAX;
    LONG m_pan = DSBPAN_CENTER;
    DWORD m_frequency = DSBFREQUENCY_ORIGINAL;
};

} // namespace platform::dsound
