// The window system on Qt, as whoever starts the program puts it in place.
#pragma once
#include "win32/Backend.h"

namespace platform::qt {

// Qt's implementations of the window backend's interfaces, reporting to `events`.
backend::Toolkit MakeToolkit(backend::Events& events);

} // namespace platform::qt
