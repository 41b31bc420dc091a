// DirectDraw objects for tests: a DirectDraw object at the normal level, surfaces of a
// given size, and pixel access through Lock.
#pragma once
#include <ddraw.h>

#include <cstdint>
#include <functional>

namespace testsupport {

// Releases a COM interface at the end of a scope.
template <class T>
struct ComPtr {
    T* p = nullptr;
    ComPtr() = default;
    explicit ComPtr(T* q) : p(q) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }
    void reset()
    {
        if (p)
            p->Release();
        p = nullptr;
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
    operator T*() const { return p; }
};

// IDirectDraw2 at DDSCL_NORMAL, as the frame makes it; null (and a test failure) if that fails.
IDirectDraw2* CreateDirectDraw2();

// A surface from the description, or null.
IDirectDrawSurface* CreateSurface(IDirectDraw2* dd, DDSURFACEDESC desc);

DDSURFACEDESC OffscreenDesc(int width, int height, DWORD caps = DDSCAPS_OFFSCREENPLAIN);
DDSURFACEDESC PrimaryDesc();

// The surface's description (GetSurfaceDesc), checked to succeed.
DDSURFACEDESC DescOf(IDirectDrawSurface* surface);

// Reads or writes the pixels (XRGB) of an off-screen surface through Lock.
uint32_t PixelAt(IDirectDrawSurface* surface, int x, int y);
void Paint(IDirectDrawSurface* surface, const std::function<uint32_t(int x, int y)>& pixel);

} // namespace testsupport
