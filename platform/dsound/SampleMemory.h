// The sample memory of a DirectSound buffer, shared by the buffer and its duplicates:
// the bytes the program locks and writes, their format, the copy the output plays,
// and whether the memory was lost.
#pragma once
#include "dsound/AudioOutput.h"

#include <dsound.h>

#include <memory>
#include <vector>

namespace platform::dsound {

class SoundBuffer;

class SampleMemory {
public:
    // Silent memory of the given size, already uploaded; null when out of memory.
    static std::shared_ptr<SampleMemory> Create(std::shared_ptr<audio::Device> device, const WAVEFORMATEX& format,
                                                DWORD bytes);

    BYTE* Data() { return m_bytes.get(); }
    DWORD Size() const { return m_size; }
    const WAVEFORMATEX& Format() const { return m_format; }
    const std::shared_ptr<audio::Device>& OutputDevice() const { return m_device; }
    const std::shared_ptr<audio::Samples>& Uploaded() const { return m_uploaded; }

    // True when [p, p + n) lies inside the memory.
    bool Contains(const void* p, DWORD n) const;

    // Gives the output a copy of the bytes as they are now; buffers that play go on
    // with the new copy where they are.
    bool Upload();

    bool IsLost() const { return m_lost; }
    // The memory is taken: every buffer on it stops and reports the loss until Restore.
    void MarkLost();
    // Gives the memory back, silent; the program refills it.
    bool Restore();

    void Attach(SoundBuffer* buffer);
    void Detach(SoundBuffer* buffer);

private:
    SampleMemory(std::shared_ptr<audio::Device> device, const WAVEFORMATEX& format, std::unique_ptr<BYTE[]> bytes,
                 DWORD size);
    void FillSilence();

    std::shared_ptr<audio::Device> m_device;
    WAVEFORMATEX m_format;
    std::unique_ptr<BYTE[]> m_bytes; // never reallocated: locked pointers stay valid
    DWORD m_size;
    std::shared_ptr<audio::Samples> m_uploaded;
    bool m_lost = false;
    std::vector<SoundBuffer*> m_sharers;
};

} // namespace platform::dsound
