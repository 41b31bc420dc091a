// Test seams for DirectDraw: lost surfaces, short video memory, failing creations and
// vertical-blank waits, counts of live objects, a record of blits and a stand-in window
// for the primary surface to draw into.
#pragma once
#include <ddraw.h>

#include "win32/WindowPixels.h"

#include <vector>

namespace platform::testing {

// IsLost then answers DDERR_SURFACELOST and blits fail with it until Restore.
void MarkSurfaceLost(IDirectDrawSurface* surface);

// Surfaces asked for in video memory fail with DDERR_OUTOFVIDEOMEMORY.
void SetVideoMemoryShort(bool isShort);

// The next `count` calls of the kind fail with `error` (creating nothing).
void FailNextDirectDrawCreations(int count, HRESULT error = DDERR_GENERIC);
void FailNextSurfaceCreations(int count, HRESULT error = DDERR_OUTOFMEMORY);
void FailNextClipperCreations(int count, HRESULT error = DDERR_OUTOFMEMORY);
void FailNextPaletteCreations(int count, HRESULT error = DDERR_OUTOFMEMORY);

// WaitForVerticalBlank returns `error` at once, without waiting.
void SetVerticalBlankFails(bool fails, HRESULT error = DDERR_GENERIC);

struct DirectDrawCounts {
    int directDraws = 0;
    int surfaces = 0;
    int clippers = 0;
    int palettes = 0;
};
// Objects not yet released to a count of zero.
DirectDrawCounts LiveDirectDrawObjects();

// One Blt or BltFast call as the program made it, and its result.
struct BlitRecord {
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
// Starts (clearing the record) or stops recording every Blt and BltFast on the stand-in's surfaces.
void RecordBlits(bool on);
const std::vector<BlitRecord>& RecordedBlits();

// A window for the primary surface to present into, in place of the window backend:
// `hwnd` is what clippers are bound to, its client area lies at clientOrigin on the
// screen and shows `pixels`; every changed part (client coordinates) is added to `updates`.
struct FakeWindow {
    HWND hwnd = nullptr;
    POINT clientOrigin{0, 0};
    PixelView pixels;
    std::vector<RECT> updates;
};
// nullptr goes back to the window backend.
void UseFakeWindow(FakeWindow* window);

// Everything above back to normal (recording off, no fake window, no pending failures).
void ResetDirectDrawSeams();

} // namespace platform::testing
