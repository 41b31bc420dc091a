// The audio output under DirectSound: the only code that talks to OpenAL. It offers
// a shared output device, immutable blocks of uploaded samples and voices that play
// them; everything DirectSound means by a buffer (memory, positions, status, loss)
// lives above it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform::audio {

struct PcmFormat {
    int channels = 1;        // 1 or 2
    int bitsPerSample = 8;   // 8 (unsigned) or 16 (signed)
    uint32_t samplesPerSec = 22050;
};

struct Device;

// The default output device, shared by everyone who holds it; null when none can be opened.
std::shared_ptr<Device> OpenDevice();

// A copy of sample bytes in the output's own memory. It never changes: new bytes
// make a new block.
class Samples {
public:
    static std::shared_ptr<Samples> Upload(const std::shared_ptr<Device>& device, const PcmFormat& format,
                                           const uint8_t* bytes, size_t size);
    ~Samples();
    Samples(const Samples&) = delete;
    Samples& operator=(const Samples&) = delete;

private:
    Samples(std::shared_ptr<Device> device, unsigned id);
    friend class Voice;
    std::shared_ptr<Device> m_device;
    unsigned m_id;
};

// One sound playing a block of samples.
class Voice {
public:
    static std::unique_ptr<Voice> Create(const std::shared_ptr<Device>& device);
    ~Voice();
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    // Starts the block from the byte offset (restarting if it already plays).
    bool Play(const std::shared_ptr<Samples>& samples, uint32_t byteOffset, bool looping);
    void SetLooping(bool looping);
    void Seek(uint32_t byteOffset);
    void Halt();
    // False once it was halted or reached the end of a block it does not loop.
    bool IsPlaying() const;
    uint32_t ByteOffset() const;

private:
    Voice(std::shared_ptr<Device> device, unsigned id);
    std::shared_ptr<Device> m_device;
    unsigned m_id;
    std::shared_ptr<Samples> m_samples; // kept while the voice may refer to it
};

} // namespace platform::audio
