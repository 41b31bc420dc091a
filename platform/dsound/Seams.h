// What the test seams of DirectSound change (testing/DirectSoundSeams.h).
#pragma once
#include <dsound.h>

namespace platform::dsound {

bool DeviceAvailable();
// DS_OK unless a test made the cooperative level fail.
HRESULT CooperativeLevelResult();
bool IsWindowForSound(HWND hwnd);

} // namespace platform::dsound
