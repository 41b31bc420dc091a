// Test seams for GDI and the system beep.
#pragma once

namespace platform::testing {

// MessageBeep calls since the start or the last reset.
int BeepCount();
void ResetBeepCount();

// GDI bitmaps and device contexts alive: catches leaks of handles.
int LiveGdiObjects();

} // namespace platform::testing
