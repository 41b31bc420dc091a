// The screen the program runs on: size, depth and refresh rate. GetDeviceCaps,
// DirectDraw's display mode and the vertical blank read it from here.
#pragma once

namespace platform {

struct DisplayMode {
    int width = 1024;
    int height = 768;
    int bitsPerPixel = 32;
    int refreshHz = 60;
};

// What the window backend reports (the default above while it has no screen).
DisplayMode CurrentDisplayMode();

} // namespace platform
