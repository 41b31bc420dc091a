// Test seam: make resources of the program look missing, as if it had been built without them.
#pragma once
#include <windef.h>

namespace platform::testing {

// Hides the resource `name` (an id or a string, case-insensitive) of type `type`, or of
// every type when `type` is null, from FindResourceA and the platform's own lookups.
void HideResource(LPCSTR name, LPCSTR type = nullptr);
void UnhideAllResources();

} // namespace platform::testing
