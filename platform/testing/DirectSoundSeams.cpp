#include "testing/DirectSoundSeams.h"

#include "dsound/DirectSound.h"
#include "dsound/SoundBuffer.h"
#include "testing/TestAudio.h"

namespace platform::testing {

void SetSoundDeviceAvailable(bool available) { TheTestAudio().deviceAvailable = available; }

void FailSoundCooperativeLevel(HRESULT result) { TheTestAudio().claimResult = result; }

bool MarkSoundBufferLost(IDirectSoundBuffer* buffer)
{
    dsound::SoundBuffer* ours = dsound::SoundBuffer::From(buffer);
    if (!ours)
        return false;
    ours->Memory().MarkLost();
    return true;
}

int LiveDirectSoundDevices() { return LiveCount<dsound::DirectSound>::Count(); }

int LiveSoundBuffers() { return LiveCount<dsound::SoundBuffer>::Count(); }

void ResetDirectSoundSeams()
{
    TestAudio& t = TheTestAudio();
    t.deviceAvailable = true;
    t.claimResult = DS_OK;
}

} // namespace platform::testing
