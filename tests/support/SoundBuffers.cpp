#include "support/SoundBuffers.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace testsupport {

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

bool HoldsSamples(IDirectSoundBuffer* buffer, const BYTE* samples, DWORD count)
{
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    if (FAILED(buffer->Lock(0, count, &p1, &n1, &p2, &n2, 0)))
        return false;
    const bool same = n1 == count && std::memcmp(p1, samples, n1) == 0;
    buffer->Unlock(p1, n1, p2, n2);
    return same;
}

bool PokeSample(IDirectSoundBuffer* buffer, DWORD offset, BYTE value)
{
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    if (FAILED(buffer->Lock(offset, 1, &p1, &n1, &p2, &n2, 0)) || n1 != 1)
        return false;
    *static_cast<BYTE*>(p1) = value;
    buffer->Unlock(p1, n1, p2, n2);
    return true;
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

} // namespace testsupport
