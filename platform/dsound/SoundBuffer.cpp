#include "dsound/SoundBuffer.h"

#include <algorithm>

namespace platform::dsound {
namespace {

constexpr DWORD kKnownFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_STATIC | DSBCAPS_LOCHARDWARE | DSBCAPS_LOCSOFTWARE |
                              DSBCAPS_CTRL3D | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
                              DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_CTRLFX | DSBCAPS_STICKYFOCUS |
                              DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_MUTE3DATMAXDISTANCE |
                              DSBCAPS_LOCDEFER;

HRESULT CheckDescription(LPCDSBUFFERDESC desc)
{
    if (!desc || desc->dwSize != sizeof(DSBUFFERDESC))
        return DSERR_INVALIDPARAM;
    const DWORD flags = desc->dwFlags;
    if (flags & ~kKnownFlags)
        return DSERR_INVALIDPARAM;
    // Only secondary buffers: the mixer is the output's.
    if (flags & DSBCAPS_PRIMARYBUFFER)
        return DSERR_UNSUPPORTED;
    const DWORD location = flags & (DSBCAPS_LOCHARDWARE | DSBCAPS_LOCSOFTWARE | DSBCAPS_LOCDEFER);
    if (location & (location - 1))
        return DSERR_INVALIDPARAM;

    const WAVEFORMATEX* f = desc->lpwfxFormat;
    if (!f || f->wFormatTag != WAVE_FORMAT_PCM)
        return DSERR_INVALIDPARAM;
    if ((f->nChannels != 1 && f->nChannels != 2) || (f->wBitsPerSample != 8 && f->wBitsPerSample != 16))
        return DSERR_INVALIDPARAM;
    if ((flags & DSBCAPS_CTRL3D) && f->nChannels != 1)
        return DSERR_INVALIDPARAM;
    if (f->nSamplesPerSec < DSBFREQUENCY_MIN || f->nSamplesPerSec > DSBFREQUENCY_MAX)
        return DSERR_INVALIDPARAM;
    if (f->nBlockAlign != f->nChannels * f->wBitsPerSample / 8)
        return DSERR_INVALIDPARAM;
    if (desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX ||
        desc->dwBufferBytes % f->nBlockAlign != 0)
        return DSERR_INVALIDPARAM;
    return DS_OK;
}

// The PCM record as the buffer keeps it; the caller's extra bytes are not read.
WAVEFORMATEX CopyPcmFormat(const WAVEFORMATEX& f)
{
    WAVEFORMATEX copy{};
    copy.wFormatTag = WAVE_FORMAT_PCM;
    copy.nChannels = f.nChannels;
    copy.nSamplesPerSec = f.nSamplesPerSec;
    copy.nBlockAlign = f.nBlockAlign;
    copy.wBitsPerSample = f.wBitsPerSample;
    copy.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
    copy.cbSize = 0;
    return copy;
}

} // namespace

HRESULT SoundBuffer::Create(const std::shared_ptr<audio::Device>& device, LPCDSBUFFERDESC desc,
                            LPDIRECTSOUNDBUFFER* out)
{
    if (!out)
        return DSERR_INVALIDPARAM;
    *out = nullptr;
    if (HRESULT hr = CheckDescription(desc); FAILED(hr))
        return hr;
    auto memory = SampleMemory::Create(device, CopyPcmFormat(*desc->lpwfxFormat), desc->dwBufferBytes);
    if (!memory)
        return DSERR_OUTOFMEMORY;
    auto voice = device->CreateVoice();
    if (!voice)
        return DSERR_OUTOFMEMORY;
    *out = new SoundBuffer(std::move(memory), std::move(voice), desc->dwFlags);
    return DS_OK;
}

HRESULT SoundBuffer::Duplicate(SoundBuffer& original, LPDIRECTSOUNDBUFFER* out)
{
    if (!out)
        return DSERR_INVALIDPARAM;
    *out = nullptr;
    auto voice = original.m_memory->OutputDevice()->CreateVoice();
    if (!voice)
        return DSERR_OUTOFMEMORY;
    auto* copy = new SoundBuffer(original.m_memory, std::move(voice), original.m_flags);
    copy->m_volume = original.m_volume;
    copy->m_pan = original.m_pan;
    copy->m_frequency = original.m_frequency;
    *out = copy;
    return DS_OK;
}

SoundBuffer* SoundBuffer::From(IDirectSoundBuffer* buffer) { return dynamic_cast<SoundBuffer*>(buffer); }

SoundBuffer::SoundBuffer(std::shared_ptr<SampleMemory> memory, std::unique_ptr<audio::Voice> voice, DWORD flags)
    : m_memory(std::move(memory)), m_voice(std::move(voice)), m_flags(flags)
{
    m_memory->Attach(this);
}

SoundBuffer::~SoundBuffer()
{
    m_memory->Detach(this);
}

void SoundBuffer::Refresh()
{
    // A buffer that played to its end stops and starts again from the beginning.
    if (m_playing && !m_voice->IsPlaying()) {
        m_playing = false;
        m_position = 0;
    }
}

DWORD SoundBuffer::PlayPosition()
{
    Refresh();
    if (!m_playing)
        return m_position;
    const DWORD size = m_memory->Size();
    const DWORD align = m_memory->Format().nBlockAlign;
    DWORD at = std::min(m_voice->ByteOffset(), size - 1);
    return at - at % align;
}

DWORD SoundBuffer::WritePosition(DWORD play) const
{
    if (!m_playing)
        return play;
    // The mixer reads a little ahead of what is heard: about 10 ms.
    const WAVEFORMATEX& f = m_memory->Format();
    const uint64_t lead = static_cast<uint64_t>(f.nSamplesPerSec / 100) * f.nBlockAlign;
    return static_cast<DWORD>((play + lead) % m_memory->Size());
}

STDMETHODIMP SoundBuffer::GetCaps(LPDSBCAPS caps)
{
    if (!caps || caps->dwSize != sizeof(DSBCAPS))
        return DSERR_INVALIDPARAM;
    caps->dwFlags = m_flags;
    caps->dwBufferBytes = m_memory->Size();
    caps->dwUnlockTransferRate = 0;
    caps->dwPlayCpuOverhead = 0;
    return DS_OK;
}

STDMETHODIMP SoundBuffer::GetCurrentPosition(LPDWORD play, LPDWORD write)
{
    DWORD at = PlayPosition();
    if (play)
        *play = at;
    if (write)
        *write = WritePosition(at);
    return DS_OK;
}

STDMETHODIMP SoundBuffer::GetFormat(LPWAVEFORMATEX format, DWORD sizeAllocated, LPDWORD sizeWritten)
{
    if (!format) {
        if (!sizeWritten)
            return DSERR_INVALIDPARAM;
        *sizeWritten = sizeof(WAVEFORMATEX);
        return DS_OK;
    }
    if (sizeAllocated < sizeof(WAVEFORMATEX))
        return DSERR_INVALIDPARAM;
    *format = m_memory->Format();
    if (sizeWritten)
        *sizeWritten = sizeof(WAVEFORMATEX);
    return DS_OK;
}

// Volume, pan and frequency are kept but not applied: nothing in the program changes them.
template <typename T>
HRESULT SoundBuffer::ReadControl(DWORD control, T value, T* out) const
{
    if (!out)
        return DSERR_INVALIDPARAM;
    if (!(m_flags & control))
        return DSERR_CONTROLUNAVAIL;
    *out = value;
    return DS_OK;
}

template <typename T>
HRESULT SoundBuffer::WriteControl(DWORD control, T value, T lowest, T highest, T* store)
{
    if (!(m_flags & control))
        return DSERR_CONTROLUNAVAIL;
    if (value < lowest || value > highest)
        return DSERR_INVALIDPARAM;
    *store = value;
    return DS_OK;
}

STDMETHODIMP SoundBuffer::GetVolume(LPLONG volume) { return ReadControl(DSBCAPS_CTRLVOLUME, m_volume, volume); }

STDMETHODIMP SoundBuffer::GetPan(LPLONG pan) { return ReadControl(DSBCAPS_CTRLPAN, m_pan, pan); }

STDMETHODIMP SoundBuffer::GetFrequency(LPDWORD frequency)
{
    const DWORD rate = m_frequency != DSBFREQUENCY_ORIGINAL ? m_frequency : m_memory->Format().nSamplesPerSec;
    return ReadControl(DSBCAPS_CTRLFREQUENCY, rate, frequency);
}

STDMETHODIMP SoundBuffer::SetVolume(LONG volume)
{
    return WriteControl<LONG>(DSBCAPS_CTRLVOLUME, volume, DSBVOLUME_MIN, DSBVOLUME_MAX, &m_volume);
}

STDMETHODIMP SoundBuffer::SetPan(LONG pan)
{
    return WriteControl<LONG>(DSBCAPS_CTRLPAN, pan, DSBPAN_LEFT, DSBPAN_RIGHT, &m_pan);
}

STDMETHODIMP SoundBuffer::SetFrequency(DWORD frequency)
{
    // 0 goes back to the buffer's own rate.
    if (frequency == DSBFREQUENCY_ORIGINAL)
        return WriteControl<DWORD>(DSBCAPS_CTRLFREQUENCY, frequency, 0, 0, &m_frequency);
    return WriteControl<DWORD>(DSBCAPS_CTRLFREQUENCY, frequency, DSBFREQUENCY_MIN, DSBFREQUENCY_MAX, &m_frequency);
}

STDMETHODIMP SoundBuffer::GetStatus(LPDWORD status)
{
    if (!status)
        return DSERR_INVALIDPARAM;
    Refresh();
    DWORD s = 0;
    if (m_memory->IsLost())
        s |= DSBSTATUS_BUFFERLOST;
    if (m_playing)
        s |= DSBSTATUS_PLAYING | (m_looping ? DSBSTATUS_LOOPING : 0);
    *status = s;
    return DS_OK;
}

STDMETHODIMP SoundBuffer::Initialize(LPDIRECTSOUND, LPCDSBUFFERDESC) { return DSERR_ALREADYINITIALIZED; }

STDMETHODIMP SoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* part1, LPDWORD bytes1, LPVOID* part2,
                               LPDWORD bytes2, DWORD flags)
{
    if (part1)
        *part1 = nullptr;
    if (bytes1)
        *bytes1 = 0;
    if (part2)
        *part2 = nullptr;
    if (bytes2)
        *bytes2 = 0;
    if (!part1 || !bytes1 || (flags & ~(DSBLOCK_FROMWRITECURSOR | DSBLOCK_ENTIREBUFFER)))
        return DSERR_INVALIDPARAM;
    if (m_memory->IsLost())
        return DSERR_BUFFERLOST;

    const DWORD size = m_memory->Size();
    if (flags & DSBLOCK_FROMWRITECURSOR)
        offset = WritePosition(PlayPosition());
    if (flags & DSBLOCK_ENTIREBUFFER)
        bytes = size;
    if (offset >= size || bytes == 0 || bytes > size)
        return DSERR_INVALIDPARAM;

    // A lock that runs past the end goes on at the start: the second part.
    const DWORD first = std::min(bytes, size - offset);
    const DWORD second = bytes - first;
    if (second && (!part2 || !bytes2))
        return DSERR_INVALIDPARAM;
    *part1 = m_memory->Data() + offset;
    *bytes1 = first;
    if (second) {
        *part2 = m_memory->Data();
        *bytes2 = second;
    }
    return DS_OK;
}

STDMETHODIMP SoundBuffer::Unlock(LPVOID part1, DWORD bytes1, LPVOID part2, DWORD bytes2)
{
    if (!part1 || !m_memory->Contains(part1, bytes1))
        return DSERR_INVALIDPARAM;
    if (part2 ? !m_memory->Contains(part2, bytes2) : bytes2 != 0)
        return DSERR_INVALIDPARAM;
    if (m_memory->IsLost())
        return DSERR_BUFFERLOST;
    // What was written is what plays from now on, for every buffer on this memory.
    return WithoutExceptions([this] { return m_memory->Upload() ? DS_OK : DSERR_OUTOFMEMORY; });
}

STDMETHODIMP SoundBuffer::Play(DWORD, DWORD priority, DWORD flags)
{
    if (flags & ~DSBPLAY_LOOPING)
        return DSERR_INVALIDPARAM;
    if (priority != 0 && !(m_flags & DSBCAPS_LOCDEFER))
        return DSERR_INVALIDPARAM;
    if (m_memory->IsLost())
        return DSERR_BUFFERLOST;
    Refresh();
    const bool looping = (flags & DSBPLAY_LOOPING) != 0;
    if (m_playing) {
        // Playing again only changes whether it loops.
        m_voice->SetLooping(looping);
    } else {
        if (!m_voice->Play(m_memory->Uploaded(), m_position, looping))
            return DSERR_GENERIC;
        m_playing = true;
    }
    m_looping = looping;
    return DS_OK;
}

STDMETHODIMP SoundBuffer::SetCurrentPosition(DWORD position)
{
    if (position >= m_memory->Size())
        return DSERR_INVALIDPARAM;
    position -= position % m_memory->Format().nBlockAlign;
    Refresh();
    if (m_playing)
        m_voice->Seek(position);
    else
        m_position = position;
    return DS_OK;
}

STDMETHODIMP SoundBuffer::SetFormat(LPCWAVEFORMATEX) { return DSERR_INVALIDCALL; }

STDMETHODIMP SoundBuffer::Stop()
{
    Refresh();
    if (m_playing) {
        // The position stays where the sound was: the next Play goes on from there.
        m_position = PlayPosition();
        m_voice->Halt();
        m_playing = false;
    }
    return DS_OK;
}

STDMETHODIMP SoundBuffer::Restore()
{
    return WithoutExceptions([this] { return m_memory->Restore() ? DS_OK : DSERR_OUTOFMEMORY; });
}

void SoundBuffer::OnSamplesReplaced()
{
    const DWORD at = PlayPosition();
    if (m_playing)
        m_voice->Play(m_memory->Uploaded(), at, m_looping);
}

void SoundBuffer::OnLost()
{
    m_voice->Halt();
    m_playing = false;
    m_position = 0;
}

} // namespace platform::dsound
