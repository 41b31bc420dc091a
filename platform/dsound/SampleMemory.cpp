#include "dsound/SampleMemory.h"

#include "dsound/SoundBuffer.h"

#include <algorithm>
#include <new>

namespace platform::dsound {

std::shared_ptr<SampleMemory> SampleMemory::Create(std::shared_ptr<audio::Device> device, const WAVEFORMATEX& format,
                                                   DWORD bytes)
{
    std::unique_ptr<BYTE[]> memory(new (std::nothrow) BYTE[bytes]);
    if (!memory)
        return nullptr;
    std::shared_ptr<SampleMemory> shared(new SampleMemory(std::move(device), format, std::move(memory), bytes));
    shared->FillSilence();
    if (!shared->Upload())
        return nullptr;
    return shared;
}

SampleMemory::SampleMemory(std::shared_ptr<audio::Device> device, const WAVEFORMATEX& format,
                           std::unique_ptr<BYTE[]> bytes, DWORD size)
    : m_device(std::move(device)), m_format(format), m_bytes(std::move(bytes)), m_size(size)
{
}

void SampleMemory::FillSilence()
{
    // 8-bit samples are unsigned: their silence is the middle value.
    std::fill_n(m_bytes.get(), m_size, m_format.wBitsPerSample == 8 ? 0x80 : 0x00);
}

bool SampleMemory::Contains(const void* p, DWORD n) const
{
    auto begin = reinterpret_cast<uintptr_t>(m_bytes.get());
    auto at = reinterpret_cast<uintptr_t>(p);
    return at >= begin && at - begin <= m_size && n <= m_size - (at - begin);
}

bool SampleMemory::Upload()
{
    audio::PcmFormat pcm;
    pcm.channels = m_format.nChannels;
    pcm.bitsPerSample = m_format.wBitsPerSample;
    pcm.samplesPerSec = m_format.nSamplesPerSec;
    auto samples = m_device->Upload(pcm, m_bytes.get(), m_size);
    if (!samples)
        return false;
    m_uploaded = std::move(samples);
    for (SoundBuffer* sharer : m_sharers)
        sharer->OnSamplesReplaced();
    return true;
}

void SampleMemory::MarkLost()
{
    m_lost = true;
    for (SoundBuffer* sharer : m_sharers)
        sharer->OnLost();
}

bool SampleMemory::Restore()
{
    if (!m_lost)
        return true;
    FillSilence();
    if (!Upload())
        return false;
    m_lost = false;
    return true;
}

void SampleMemory::Attach(SoundBuffer* buffer) { m_sharers.push_back(buffer); }

void SampleMemory::Detach(SoundBuffer* buffer) { std::erase(m_sharers, buffer); }

} // namespace platform::dsound
