// Test seam: pretend the screen has another size or depth (GetDeviceCaps, GetDisplayMode).
#pragma once

namespace platform::testing {

void OverrideDisplayMode(int width, int height, int bitsPerPixel, int refreshHz = 60);
void ClearDisplayModeOverride();

} // namespace platform::testing
