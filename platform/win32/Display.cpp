#include "win32/Display.h"

#include "win32/Backend.h"

namespace platform {

DisplayMode CurrentDisplayMode() { return backend::App().Screen(); }

} // namespace platform
