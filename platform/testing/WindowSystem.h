// Test seam: the window system as a whole, for a test program that runs the class
// library's start-up itself.
#pragma once
#include <cstddef>

namespace platform::testing {

// Starts the window toolkit; false without a display.
bool StartWindowSystem();

// The top-level windows that are still open.
size_t OpenTopLevelWindows();

// Destroys every window that is still open.
void DestroyAllWindows();

} // namespace platform::testing
