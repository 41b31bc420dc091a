// Test seam: the window system as a whole. Every test program's main puts it in place first,
// as the program's start-up does.
#pragma once
#include <cstddef>

namespace platform::testing {

// Puts Qt's window toolkit in place, with the tests' application around it (TestApplication.h).
void InstallWindowSystem();

// Puts it in place if it is not yet, and opens it; false without a display.
bool StartWindowSystem();

// The top-level windows that are still open.
size_t OpenTopLevelWindows();

// Destroys every window that is still open.
void DestroyAllWindows();

} // namespace platform::testing
