#include "support/SoundBuffers.h"

#include <chrono>
#include <thread>

namespace test_support {

WAVEFORMATEX PcmFormat(int channels, int bits, DWORD rate)
{
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = static_cast<WORD>(channels);
    f.nSamplesPerSec = rate;
    f.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    f.wBitsPerSample = static_cast<WORD>(bits);
    return f;
}

DSBUFFERDESC BufferDesc(WAVEFORMATEX* format, DWORD bytes)
{
    DSBUFFERDESC d{};
    d.dwSize = sizeof(DSBUFFERDESC);
    d.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    d.dwBufferBytes = bytes;
    d.lpwfxFormat = format;
    return d;
}

IDirectSoundBuffer* MakeBuffer(IDirectSound* ds, int channels, int bits, DWORD rate, DWORD bytes)
{
    WAVEFORMATEX f = PcmFormat(channels, bits, rate);
    DSBUFFERDESC d = BufferDesc(&f, bytes);
    IDirectSoundBuffer* buffer = nullptr;
    return SUCCEEDED(ds->CreateSoundBuffer(&d, &buffer, nullptr)) ? buffer : nullptr;
}

DWORD StatusOf(IDirectSoundBuffer* buffer)
{
    DWORD status = 0xDEAD;
    buffer->GetStatus(&status);
    return status;
}

DWORD PlayPositionOf(IDirectSoundBuffer* buffer)
{
    DWORD play = 0xDEAD, write = 0;
    buffer->GetCurrentPosition(&play, &write);
    return play;
}

template <typename Done>
static bool WaitFor(Done done)
{
    for (int i = 0; i < 500; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

bool WaitUntilStopped(IDirectSoundBuffer* buffer)
{
    return WaitFor([&] { return !(StatusOf(buffer) & DSBSTATUS_PLAYING); });
}

bool WaitUntilMoved(IDirectSoundBuffer* buffer)
{
    return WaitFor([&] { return PlayPositionOf(buffer) != 0; });
}

} // namespace test_support
