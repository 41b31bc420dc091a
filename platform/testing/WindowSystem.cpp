#include "testing/WindowSystem.h"

#include "win32/Backend.h"
#include "win32/Window.h"

namespace platform::testing {

bool StartWindowSystem() { return backend::EnsureApplication(); }

size_t OpenTopLevelWindows() { return win32::TopLevelWindows().size(); }

void DestroyAllWindows() { win32::DestroyAllWindows(); }

} // namespace platform::testing
