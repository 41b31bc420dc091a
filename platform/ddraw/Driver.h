// The display driver under DirectDraw: what it can still make. The stand-in's own driver
// can always make more; a test installs one that runs short or fails.
#pragma once
#include <ddraw.h>

namespace platform::ddraw {

enum class ObjectKind { DirectDraw, Surface, Clipper, Palette };

class Driver {
public:
    virtual ~Driver() = default;
    // DD_OK when one more object of the kind can be made, else the error the creation returns.
    virtual HRESULT Reserve(ObjectKind kind) = 0;
    // Whether video memory is left for another surface.
    virtual bool HasVideoMemory() = 0;
};

// The driver in use; nullptr goes back to the stand-in's own.
Driver& CurrentDriver();
void InstallDriver(Driver* driver);

} // namespace platform::ddraw
