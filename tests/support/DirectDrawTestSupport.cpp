#include "support/DirectDrawTestSupport.h"

#include <gtest/gtest.h>

namespace testsupport {

IDirectDraw2* CreateDirectDraw2()
{
    IDirectDraw* dd = nullptr;
    EXPECT_EQ(DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    if (!dd)
        return nullptr;
    IDirectDraw2* dd2 = nullptr;
    EXPECT_EQ(dd->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&dd2)), DD_OK);
    dd->Release();
    if (dd2) {
        EXPECT_EQ(dd2->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    }
    return dd2;
}

IDirectDrawSurface* CreateSurface(IDirectDraw2* dd, DDSURFACEDESC desc)
{
    IDirectDrawSurface* surface = nullptr;
    if (dd->CreateSurface(&desc, &surface, nullptr) != DD_OK)
        return nullptr;
    return surface;
}

DDSURFACEDESC OffscreenDesc(int width, int height, DWORD caps)
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = caps;
    return desc;
}

DDSURFACEDESC PrimaryDesc()
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    return desc;
}

DDSURFACEDESC DescOf(IDirectDrawSurface* surface)
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(surface->GetSurfaceDesc(&desc), DD_OK);
    return desc;
}

uint32_t PixelAt(IDirectDrawSurface* surface, int x, int y)
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) {
        ADD_FAILURE() << "surface cannot be locked";
        return 0xDEADBEEF;
    }
    const auto* row = reinterpret_cast<const uint8_t*>(desc.lpSurface) + static_cast<ptrdiff_t>(y) * desc.lPitch;
    const uint32_t value = reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
    surface->Unlock(nullptr);
    return value;
}

void Paint(IDirectDrawSurface* surface, const std::function<uint32_t(int x, int y)>& pixel)
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    for (DWORD y = 0; y < desc.dwHeight; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(desc.lpSurface) + y * desc.lPitch);
        for (DWORD x = 0; x < desc.dwWidth; ++x)
            row[x] = pixel(static_cast<int>(x), static_cast<int>(y));
    }
    surface->Unlock(nullptr);
}

} // namespace testsupport
