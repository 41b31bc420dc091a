// The audio output under DirectSound and DirectMusic: the only code that talks to OpenAL.
// It offers the shared output device, immutable blocks of uploaded samples, voices that
// play them and streams that pull rendered music; everything DirectSound means by a
// buffer (memory, positions, status, loss) lives above it.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform::audio {

struct PcmFormat {
    int channels = 1;        // 1 or 2
    int bitsPerSample = 8;   // 8 (unsigned) or 16 (signed)
    uint32_t samplesPerSec = 22050;
};

// A copy of sample bytes in the output's own memory. It never changes: new bytes
// make a new block.
class Samples {
public:
    virtual ~Samples() = default;
};

// One sound playing a block of samples.
class Voice {
public:
    virtual ~Voice() = default;
    // Starts the block from the byte offset (restarting if it already plays).
    virtual bool Play(const std::shared_ptr<Samples>& samples, uint32_t byteOffset, bool looping) = 0;
    // Whether it goes back to the start at the end.
    virtual void SetLooping(bool looping) = 0;
    // Moves the playing position.
    virtual void Seek(uint32_t byteOffset) = 0;
    // Stops where it is.
    virtual void Halt() = 0;
    // False once it was halted or reached the end of a block it does not loop.
    virtual bool IsPlaying() const = 0;
    // Where it plays in the block.
    virtual uint32_t ByteOffset() const = 0;
};

// Fills interleaved 16-bit stereo frames; called on the stream's own thread.
using StreamRenderer = std::function<void(int16_t* stereo, size_t frames)>;

// Pulls rendered frames and plays them for as long as it exists.
class Stream {
public:
    virtual ~Stream() = default; // stops pulling before it returns
};

// The open output device, shared by everyone who holds it.
class Device {
public:
    virtual ~Device() = default;
    // Takes the device for the window whose focus it follows, at a DirectSound cooperative
    // level: DS_OK, or the device's refusal.
    virtual HRESULT Claim(HWND window, DWORD level) = 0;
    // A block of the bytes; null when the output has no room.
    virtual std::shared_ptr<Samples> Upload(const PcmFormat& format, const uint8_t* bytes, size_t size) = 0;
    // A voice for blocks of this device; null when none is left.
    virtual std::unique_ptr<Voice> CreateVoice() = 0;
    // Plays 16-bit stereo at sampleRate from `render`; null when it cannot.
    virtual std::unique_ptr<Stream> OpenStream(int sampleRate, StreamRenderer render) = 0;
};

// Where devices come from.
class Output {
public:
    virtual ~Output() = default;
    // The default output device (shared while anyone holds it); null when none can be opened.
    virtual std::shared_ptr<Device> OpenDevice() = 0;
};

// The output in use: OpenAL's unless a test installed another (nullptr: OpenAL's again).
Output& CurrentOutput();
void InstallOutput(Output* output);

} // namespace platform::audio
