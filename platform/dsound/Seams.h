// What the test seams of DirectSound change (testing/DirectSoundSeams.h).
#pragma once
#include <dsound.h>

namespace platform::dsound {

bool DeviceAvailable();
// DS_OK unless a test made the cooperative level fail.
HRESULT CooperativeLevelResult();
bool IsWindowForSound(HWND hwnd);

// Counted for the tests' leak checks.
void CountDevice(int delta);
void CountBuffer(int delta);

} // namespace platform::dsound
