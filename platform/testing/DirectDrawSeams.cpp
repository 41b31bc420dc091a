#include "testing/DirectDrawSeams.h"

#include "ddraw/DeviceState.h"
#include "ddraw/Surface.h"

namespace platform::testing {

using ddraw::State;

void MarkSurfaceLost(IDirectDrawSurface* surface)
{
    if (ddraw::Surface* s = ddraw::Surface::From(surface))
        s->MarkLost();
}

void MarkAllSurfacesLost()
{
    for (ddraw::Surface* s : State().surfaces)
        s->MarkLost();
}

void SetVideoMemoryShort(bool isShort) { State().videoMemoryShort = isShort; }

void FailNextDirectDrawCreations(int count, HRESULT error) { State().directDrawFailures = {count, error}; }
void FailNextSurfaceCreations(int count, HRESULT error) { State().surfaceFailures = {count, error}; }
void FailNextClipperCreations(int count, HRESULT error) { State().clipperFailures = {count, error}; }
void FailNextPaletteCreations(int count, HRESULT error) { State().paletteFailures = {count, error}; }

void SetVerticalBlankFails(bool fails, HRESULT error)
{
    State().vblankFails = fails;
    State().vblankError = error;
}

DirectDrawCounts LiveDirectDrawObjects() { return State().live; }

void RecordBlits(bool on)
{
    State().recordBlits = on;
    State().blits.clear();
}

const std::vector<BlitRecord>& RecordedBlits() { return State().blits; }

void UseFakeWindow(FakeWindow* window) { State().fakeWindow = window; }

void ResetDirectDrawSeams()
{
    SetVideoMemoryShort(false);
    FailNextDirectDrawCreations(0);
    FailNextSurfaceCreations(0);
    FailNextClipperCreations(0);
    FailNextPaletteCreations(0);
    SetVerticalBlankFails(false);
    RecordBlits(false);
    UseFakeWindow(nullptr);
}

} // namespace platform::testing
