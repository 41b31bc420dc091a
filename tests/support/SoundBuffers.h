// DirectSound buffers for the sound tests, on the real output (OpenAL's null backend).
#pragma once
#include <dsound.h>

namespace testsupport {

WAVEFORMATEX PcmFormat(int channels, int bits, DWORD rate);

// A description as the game makes it: static, with the frequency, pan and volume controls.
DSBUFFERDESC BufferDesc(WAVEFORMATEX* format, DWORD bytes);

// A silent buffer, or NULL.
IDirectSoundBuffer* MakeBuffer(IDirectSound* ds, int channels, int bits, DWORD rate, DWORD bytes);

DWORD StatusOf(IDirectSoundBuffer* buffer);

// True when the buffer starts with exactly these bytes, in one locked part.
bool HoldsSamples(IDirectSoundBuffer* buffer, const BYTE* samples, DWORD count);
// Writes one byte at the offset through the buffer's lock.
bool PokeSample(IDirectSoundBuffer* buffer, DWORD offset, BYTE value);
DWORD PlayPositionOf(IDirectSoundBuffer* buffer);

// Waits (a few seconds at most) until the buffer no longer plays; false if it still does.
bool WaitUntilStopped(IDirectSoundBuffer* buffer);
// Waits until the play position has left 0; false if it never does.
bool WaitUntilMoved(IDirectSoundBuffer* buffer);

} // namespace testsupport
