#include "dmusic/Performance.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// While a song waits for its beat, the position is looked at this often: a synthesiser
// block of FluidSynth, 1.5 ms.
constexpr size_t kBeatCheckFrames = 64;

} // namespace

Performance::~Performance() { CloseDown(); }

HRESULT Performance::Init(IDirectMusic** ppDirectMusic, LPDIRECTSOUND, HWND)
{
    // The performance always makes its own DirectMusic and plays to its own output; it cannot
    // hand out a DirectMusic object.
    if (ppDirectMusic)
        return E_NOTIMPL;
    std::lock_guard lock(m_mutex);
    if (m_initialised)
        return DMUS_E_ALREADY_INITED;
    return WithoutExceptions([this] {
        m_synth = CurrentSynthSource().Create();
        m_initialised = true;
        return S_OK;
    });
}

HRESULT Performance::SetGlobalParam(REFGUID rguidType, void* pParam, DWORD dwSize)
{
    if (!pParam)
        return E_POINTER;
    if (rguidType != GUID_PerfAutoDownload || dwSize != sizeof(BOOL))
        return E_INVALIDARG;
    std::lock_guard lock(m_mutex);
    std::memcpy(&m_autoDownload, pParam, sizeof(BOOL));
    return S_OK;
}

HRESULT Performance::AddPort(IDirectMusicPort* pPort)
{
    if (pPort)
        return E_NOTIMPL; // only the default port is offered
    {
        std::lock_guard lock(m_mutex);
        if (!m_initialised)
            return DMUS_E_NOT_INIT;
        // Without a synthesiser there is nothing to hear.
        if (!m_synth)
            return S_OK;
    }
    // No audio device: the port is there all the same, and plays into silence.
    if (m_stream)
        return S_OK;
    return WithoutExceptions([this] {
        m_device = audio::CurrentOutput().OpenDevice();
        if (m_device)
            m_stream = m_device->OpenStream(kMusicSampleRate, [this](int16_t* stereo, size_t frames) { Render(stereo, frames); });
        return S_OK;
    });
}

HRESULT Performance::PlaySegment(IDirectMusicSegment* pSegment, DWORD dwFlags, LONGLONG i64StartTime,
                                 IDirectMusicSegmentState** ppSegmentState)
{
    if (ppSegmentState)
        *ppSegmentState = nullptr;
    if (!pSegment)
        return E_POINTER;
    auto* segment = dynamic_cast<Segment*>(pSegment);
    if (!segment)
        return E_INVALIDARG;
    // Segments start now or on the next beat; neither a later start nor segment states are offered.
    if (i64StartTime != 0 || ppSegmentState || (dwFlags & ~DWORD(DMUS_SEGF_BEAT)))
        return E_NOTIMPL;
    std::lock_guard lock(m_mutex);
    if (!m_initialised)
        return DMUS_E_NOT_INIT;
    const std::shared_ptr<const Song>& song = segment->GetSong();
    if ((dwFlags & DMUS_SEGF_BEAT) && m_playing && m_synth && m_synth->IsPlaying()) {
        // The first beat (quarter note) of the song playing at or after where it stands.
        const uint32_t beat = std::max<uint32_t>(m_playing->ticksPerBeat, 1);
        const uint64_t tick = m_synth->Tick();
        m_waiting = Waiting{song, static_cast<uint32_t>((tick + beat - 1) / beat * beat)};
        return S_OK;
    }
    m_waiting.reset();
    Start(song);
    return S_OK;
}

HRESULT Performance::Stop(IDirectMusicSegment* pSegment, IDirectMusicSegmentState* pSegmentState, MUSIC_TIME mtTime,
                          DWORD dwFlags)
{
    // Only everything, at once.
    if (pSegment || pSegmentState || mtTime != 0 || dwFlags != 0)
        return E_NOTIMPL;
    std::lock_guard lock(m_mutex);
    if (!m_initialised)
        return DMUS_E_NOT_INIT;
    m_waiting.reset();
    m_playing.reset();
    if (m_synth)
        m_synth->Stop();
    return S_OK;
}

HRESULT Performance::CloseDown()
{
    m_stream.reset();
    m_device.reset();
    std::lock_guard lock(m_mutex);
    m_waiting.reset();
    m_playing.reset();
    m_synth.reset();
    m_initialised = false;
    return S_OK;
}

void Performance::Start(std::shared_ptr<const Song> song)
{
    m_playing = std::move(song);
    // A song the synthesiser cannot play is not heard.
    if (m_synth)
        m_synth->Play(m_playing->file);
}

void Performance::Render(int16_t* stereo, size_t frames)
{
    std::lock_guard lock(m_mutex);
    if (!m_synth) {
        std::memset(stereo, 0, frames * 2 * sizeof(int16_t));
        return;
    }
    while (frames > 0) {
        size_t span = frames;
        if (m_waiting) {
            if (!m_synth->IsPlaying() || m_synth->Tick() >= m_waiting->beatTick) {
                Start(std::move(m_waiting->song));
                m_waiting.reset();
            } else {
                span = std::min(frames, kBeatCheckFrames);
            }
        }
        m_synth->Render(stereo, span);
        stereo += span * 2;
        frames -= span;
    }
}

HRESULT CreateDirectMusicPerformance(REFIID riid, void** ppv)
{
    return Performance::Create(new (std::nothrow) Performance, riid, ppv);
}

} // namespace platform
