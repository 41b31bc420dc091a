// Test seam: make resources of the program look missing, as if it had been built without
// them, or hold other bytes.
#pragma once
#include <windef.h>

#include <cstdint>
#include <vector>

namespace platform::testing {

// Hides the resource `name` (an id or a string, case-insensitive) of type `type`, or of
// every type when `type` is null, from FindResourceA and the platform's own lookups.
void HideResource(LPCSTR name, LPCSTR type = nullptr);
// The resource `name` of type `type` holds these bytes instead (found even where there was none).
void ReplaceResource(LPCSTR name, LPCSTR type, std::vector<uint8_t> bytes);
// Every resource as the program was built with it again.
void UnhideAllResources();

} // namespace platform::testing
