#include "dsound/Seams.h"

#include "dsound/SoundBuffer.h"
#include "testing/DirectSoundSeams.h"

#include <windows.h>

namespace platform::dsound {
namespace {

struct SeamState {
    bool deviceAvailable = true;
    HRESULT cooperativeLevel = DS_OK;
    std::function<bool(HWND)> windowCheck;
};

SeamState& seams()
{
    static SeamState s;
    return s;
}

} // namespace

bool DeviceAvailable() { return seams().deviceAvailable; }

HRESULT CooperativeLevelResult() { return seams().cooperativeLevel; }

bool IsWindowForSound(HWND hwnd)
{
    const auto& check = seams().windowCheck;
    return check ? check(hwnd) : IsWindow(hwnd) != FALSE;
}

} // namespace platform::dsound

namespace platform::testing {

void SetSoundDeviceAvailable(bool available) { dsound::seams().deviceAvailable = available; }

void FailSoundCooperativeLevel(HRESULT result) { dsound::seams().cooperativeLevel = result; }

void SetSoundWindowCheck(std::function<bool(HWND)> check) { dsound::seams().windowCheck = std::move(check); }

bool MarkSoundBufferLost(IDirectSoundBuffer* buffer)
{
    dsound::SoundBuffer* ours = dsound::SoundBuffer::From(buffer);
    if (!ours)
        return false;
    ours->Memory().MarkLost();
    return true;
}

void ResetDirectSoundSeams() { dsound::seams() = dsound::SeamState{}; }

} // namespace platform::testing
