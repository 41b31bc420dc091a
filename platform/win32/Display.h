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

// The test override if one is set, else what the window backend reports, else the default above.
DisplayMode CurrentDisplayMode();

// The window backend registers how to read the real screen.
void SetDisplayModeProvider(DisplayMode (*provider)());

} // namespace platform
