// State shared by all DirectDraw objects: the live objects (for the test seams that
// act on all surfaces) and the seams' switches.
#pragma once
#include "testing/DirectDrawSeams.h"

#include <ddraw.h>

#include <set>
#include <vector>

namespace platform::ddraw {

class Surface;

struct PendingFailures {
    int count = 0;
    HRESULT error = DD_OK;
    // DD_OK, or the error when a failure was pending (and is now used up).
    HRESULT Take();
};

struct DeviceState {
    std::set<Surface*> surfaces;
    testing::DirectDrawCounts live;
    bool videoMemoryShort = false;
    PendingFailures directDrawFailures, surfaceFailures, clipperFailures, paletteFailures;
    bool vblankFails = false;
    HRESULT vblankError = DD_OK;
    bool recordBlits = false;
    std::vector<testing::BlitRecord> blits;
    testing::FakeWindow* fakeWindow = nullptr;
};

// Everything runs on the user-interface thread, as on the platform's window thread.
DeviceState& State();

} // namespace platform::ddraw
