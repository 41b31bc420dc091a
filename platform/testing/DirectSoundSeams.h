// Test seams for DirectSound: no device, a failing cooperative level, lost buffers
// and how many objects are alive.
#pragma once
#include <dsound.h>

namespace platform::testing {

// While unavailable, DirectSoundCreate fails with DSERR_NODRIVER as on a machine without sound.
void SetSoundDeviceAvailable(bool available);

// SetCooperativeLevel fails with this result; DS_OK makes it work again.
void FailSoundCooperativeLevel(HRESULT result);

// Takes the buffer's sample memory away: the buffer and its duplicates stop, GetStatus
// reports DSBSTATUS_BUFFERLOST and Play and Lock fail with DSERR_BUFFERLOST until
// Restore, which gives back silent memory. False for a buffer not made by DirectSoundCreate's device.
bool MarkSoundBufferLost(IDirectSoundBuffer* buffer);

// How many device objects and buffers exist now: made and not yet released.
int LiveDirectSoundDevices();
int LiveSoundBuffers();

// Everything above back to normal.
void ResetDirectSoundSeams();

} // namespace platform::testing
