#include "dsound/Seams.h"

#include "dsound/SoundBuffer.h"
#include "testing/DirectSoundSeams.h"

#include <windows.h>

#include <atomic>

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

// Not reset with the seams: they count what exists.
std::atomic<int> g_liveDevices{0};
std::atomic<int> g_liveBuffers{0};

} // namespace

bool DeviceAvailable() { return seams().deviceAvailable; }

HRESULT CooperativeLevelResult() { return seams().cooperativeLevel; }

bool IsWindowForSound(HWND hwnd)
{
    const auto& check = seams().windowCheck;
    return check ? check(hwnd) : IsWindow(hwnd) != FALSE;
}

void CountDevice(int delta) { g_liveDevices += delta; }

void CountBuffer(int delta) { g_liveBuffers += delta; }

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

int LiveDirectSoundDevices() { return dsound::g_liveDevices; }

int LiveSoundBuffers() { return dsound::g_liveBuffers; }

void ResetDirectSoundSeams() { dsound::seams() = dsound::SeamState{}; }

} // namespace platform::testing
