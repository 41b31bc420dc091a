// The display driver under DirectDraw: what it can still make, and every blit it is
// given. The stand-in's own driver can always make more and keeps no record; a test
// installs one that runs short or fails, or records the blits.
#pragma once
#include <ddraw.h>

namespace platform::ddraw {

enum class ObjectKind { DirectDraw, Surface, Clipper, Palette };

// One Blt or BltFast call as the program made it, and its result.
struct BlitCall {
    IDirectDrawSurface* dest = nullptr;
    IDirectDrawSurface* src = nullptr;
    bool fast = false;           // BltFast rather than Blt
    bool destRectGiven = false;  // Blt: a destination rectangle was passed
    bool srcRectGiven = false;   // a source rectangle was passed
    RECT destRect{};             // as passed, or the whole surface; BltFast: position and source size
    RECT srcRect{};              // as passed, or the whole source
    DWORD flags = 0;
    HRESULT result = DD_OK;
};

class Driver {
public:
    virtual ~Driver() = default;
    // DD_OK when one more object of the kind can be made, else the error the creation returns.
    virtual HRESULT Reserve(ObjectKind kind) = 0;
    // Whether video memory is left for another surface.
    virtual bool HasVideoMemory() = 0;
    // Sees every blit once it is done (or refused).
    virtual void Blitted(const BlitCall& call) = 0;
};

// The driver in use; nullptr goes back to the stand-in's own.
Driver& CurrentDriver();
void InstallDriver(Driver* driver);

} // namespace platform::ddraw
