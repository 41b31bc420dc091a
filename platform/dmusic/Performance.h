// The DirectMusic performance: plays segments through the synthesiser on the default port.
#pragma once
#include <dmusici.h>

#include "base/ComObject.h"
#include "dmusic/MidiSynth.h"
#include "dmusic/Segment.h"
#include "dsound/AudioOutput.h"

#include <memory>
#include <mutex>
#include <optional>

namespace platform {

class Performance final : public ComObject<Performance, IID_IDirectMusicPerformance, IDirectMusicPerformance> {
public:
    ~Performance() override;

    STDMETHODIMP Init(IDirectMusic** ppDirectMusic, LPDIRECTSOUND pDirectSound, HWND hWnd) override;
    STDMETHODIMP PlaySegment(IDirectMusicSegment* pSegment, DWORD dwFlags, LONGLONG i64StartTime,
                             IDirectMusicSegmentState** ppSegmentState) override;
    STDMETHODIMP Stop(IDirectMusicSegment* pSegment, IDirectMusicSegmentState* pSegmentState, MUSIC_TIME mtTime,
                      DWORD dwFlags) override;
    STDMETHODIMP SetGlobalParam(REFGUID rguidType, void* pParam, DWORD dwSize) override;
    STDMETHODIMP AddPort(IDirectMusicPort* pPort) override;
    STDMETHODIMP CloseDown() override;

private:
    // A song waiting for the beat of the song playing.
    struct Waiting {
        std::shared_ptr<const Song> song;
        uint32_t beatTick = 0;
    };

    // Renders the port's sound; a waiting song starts once its beat has come.
    void Render(int16_t* stereo, size_t frames);
    void Start(std::shared_ptr<const Song> song);

    // Guards everything below but the output, which the audio thread renders from.
    std::mutex m_mutex;
    bool m_initialised = false;
    BOOL m_autoDownload = FALSE; // instruments come from the soundfont whichever way it is set
    std::unique_ptr<MidiSynth> m_synth; // null without a soundfont: the music is not heard
    std::shared_ptr<const Song> m_playing;
    std::optional<Waiting> m_waiting;

    // Opened and closed on the caller's thread only, never under m_mutex: closing the stream
    // waits for the audio thread, which takes m_mutex to render.
    std::shared_ptr<audio::Device> m_device;
    std::unique_ptr<audio::Stream> m_stream;
};

HRESULT CreateDirectMusicPerformance(REFIID riid, void** ppv);

} // namespace platform
