// Placeholder until the resource reader lands; delete this file with StubsResources.cpp.
#include "resources/ResourceTemplates.h"

namespace platform::res {
bool FindProgramResource(LPCSTR, LPCSTR, const uint8_t**, size_t*) { return false; }
} // namespace platform::res
