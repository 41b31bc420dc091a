#include "base/Fence.h"
#include "gdi/GdiObjects.h"

#include "pixels/Blitter.h"
#include "win32/Display.h"

#include <climits>
#include <mutex>
#include <unordered_map>

namespace platform::gdi {
namespace {

struct Bitmap {
    Image image;
    uintptr_t selectedIn = 0; // the memory DC holding it, if any
    bool stock = false;
};

enum class DCKind { Memory, Surface, Window };

struct DC {
    DCKind kind = DCKind::Memory;
    HWND hwnd = nullptr;   // Window: the window, or null for the screen
    PixelView target;      // Surface: the pixels drawn into
    uintptr_t bitmap = 0;  // Memory: the selected bitmap
};

struct Table {
    std::mutex mutex;
    uintptr_t next = 0x10000;
    std::unordered_map<uintptr_t, Bitmap> bitmaps;
    std::unordered_map<uintptr_t, DC> dcs;
    uintptr_t stockBitmap = 0;

    Table()
    {
        // A memory DC starts with the 1 by 1 stock bitmap selected, as on the platform.
        Bitmap stock;
        stock.image = Image{1, 1, {0}};
        stock.stock = true;
        stockBitmap = Add(bitmaps, std::move(stock));
    }

    template <class Map, class Object>
    uintptr_t Add(Map& map, Object object)
    {
        const uintptr_t handle = next;
        next += 4;
        map.emplace(handle, std::move(object));
        return handle;
    }

    template <class Map>
    static auto* Find(Map& map, const void* handle)
    {
        auto it = map.find(reinterpret_cast<uintptr_t>(handle));
        return it == map.end() ? nullptr : &it->second;
    }

    // The DC of that kind behind the handle, or null.
    DC* FindDC(const void* handle, DCKind kind)
    {
        DC* dc = Find(dcs, handle);
        return dc && dc->kind == kind ? dc : nullptr;
    }

    void Erase(const void* handle) { dcs.erase(reinterpret_cast<uintptr_t>(handle)); }

    // What a DC draws into or reads from; false when it has no pixels (windows, the screen).
    bool Pixels(const DC& dc, PixelView* view)
    {
        if (dc.kind == DCKind::Surface) {
            *view = dc.target;
            return true;
        }
        if (dc.kind == DCKind::Memory) {
            Bitmap& b = bitmaps.at(dc.bitmap);
            *view = PixelView{b.image.pixels.data(), b.image.width, b.image.height, b.image.width};
            return true;
        }
        return false;
    }
};

Table& table()
{
    static Table t;
    return t;
}

template <class Handle>
Handle ToHandle(uintptr_t value)
{
    return reinterpret_cast<Handle>(value);
}

// The rectangle (x, y, x + w, y + h) when it fits in 32-bit coordinates.
bool MakeRect(int x, int y, int w, int h, RECT* r)
{
    const int64_t right = static_cast<int64_t>(x) + w, bottom = static_cast<int64_t>(y) + h;
    if (right > INT_MAX || bottom > INT_MAX)
        return false;
    *r = RECT{x, y, static_cast<LONG>(right), static_cast<LONG>(bottom)};
    return true;
}

} // namespace

HBITMAP CreateBitmap(Image image)
{
    Table& t = table();
    std::lock_guard lock(t.mutex);
    Bitmap b;
    b.image = std::move(image);
    return ToHandle<HBITMAP>(t.Add(t.bitmaps, std::move(b)));
}

HDC CreateSurfaceDC(const PixelView& pixels)
{
    Table& t = table();
    std::lock_guard lock(t.mutex);
    DC dc;
    dc.kind = DCKind::Surface;
    dc.target = pixels;
    return ToHandle<HDC>(t.Add(t.dcs, dc));
}

bool DeleteSurfaceDC(HDC hdc)
{
    Table& t = table();
    std::lock_guard lock(t.mutex);
    if (!t.FindDC(hdc, DCKind::Surface))
        return false;
    t.Erase(hdc);
    return true;
}

int LiveObjectCount()
{
    Table& t = table();
    std::lock_guard lock(t.mutex);
    return static_cast<int>(t.bitmaps.size() - 1 + t.dcs.size());
}

} // namespace platform::gdi

using platform::gdi::DC;
using platform::gdi::DCKind;
using platform::gdi::table;

HDC GetDC(HWND hWnd)
{
    return platform::Win32Call<HDC>(nullptr, [&]() -> HDC {
        if (hWnd && !IsWindow(hWnd))
            return nullptr;
        auto& t = table();
        std::lock_guard lock(t.mutex);
        DC dc;
        dc.kind = DCKind::Window;
        dc.hwnd = hWnd;
        return platform::gdi::ToHandle<HDC>(t.Add(t.dcs, dc));
    });
}

int ReleaseDC(HWND hWnd, HDC hDC)
{
    return platform::Win32Call<int>(0, [&]() -> int {
        auto& t = table();
        std::lock_guard lock(t.mutex);
        DC* dc = t.FindDC(hDC, DCKind::Window);
        if (!dc || dc->hwnd != hWnd)
            return 0;
        t.Erase(hDC);
        return 1;
    });
}

HDC CreateCompatibleDC(HDC hdc)
{
    return platform::Win32Call<HDC>(nullptr, [&]() -> HDC {
        auto& t = table();
        std::lock_guard lock(t.mutex);
        if (hdc && !t.Find(t.dcs, hdc))
            return nullptr;
        DC dc;
        dc.kind = DCKind::Memory;
        dc.bitmap = t.stockBitmap;
        return platform::gdi::ToHandle<HDC>(t.Add(t.dcs, dc));
    });
}

BOOL DeleteDC(HDC hdc)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        auto& t = table();
        std::lock_guard lock(t.mutex);
        // Window and surface DCs go back through ReleaseDC.
        DC* dc = t.FindDC(hdc, DCKind::Memory);
        if (!dc)
            return FALSE;
        t.bitmaps.at(dc->bitmap).selectedIn = 0;
        t.Erase(hdc);
        return TRUE;
    });
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    return platform::Win32Call<HGDIOBJ>(nullptr, [&]() -> HGDIOBJ {
        auto& t = table();
        std::lock_guard lock(t.mutex);
        DC* dc = t.FindDC(hdc, DCKind::Memory);
        auto* bitmap = t.Find(t.bitmaps, h);
        if (!dc || !bitmap)
            return nullptr;
        const auto handle = reinterpret_cast<uintptr_t>(h);
        const auto dcHandle = reinterpret_cast<uintptr_t>(hdc);
        // A bitmap can be selected into one DC at a time (the stock bitmap into any).
        if (!bitmap->stock && bitmap->selectedIn && bitmap->selectedIn != dcHandle)
            return nullptr;
        const uintptr_t previous = dc->bitmap;
        t.bitmaps.at(previous).selectedIn = 0;
        if (!bitmap->stock)
            bitmap->selectedIn = dcHandle;
        dc->bitmap = handle;
        return platform::gdi::ToHandle<HGDIOBJ>(previous);
    });
}

BOOL DeleteObject(HGDIOBJ h)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        auto& t = table();
        std::lock_guard lock(t.mutex);
        auto* bitmap = t.Find(t.bitmaps, h);
        if (!bitmap)
            return FALSE;
        if (bitmap->stock)
            return TRUE;
        // Still selected into a DC: the platform refuses to delete it.
        if (bitmap->selectedIn)
            return FALSE;
        t.bitmaps.erase(reinterpret_cast<uintptr_t>(h));
        return TRUE;
    });
}

int GetObjectA(HANDLE h, int c, LPVOID pv)
{
    return platform::Win32Call<int>(0, [&]() -> int {
        auto& t = table();
        std::lock_guard lock(t.mutex);
        auto* bitmap = t.Find(t.bitmaps, h);
        if (!bitmap)
            return 0;
        if (!pv)
            return sizeof(BITMAP);
        if (c < static_cast<int>(sizeof(BITMAP)))
            return 0;
        auto& image = bitmap->image;
        BITMAP bm{};
        bm.bmType = 0;
        bm.bmWidth = image.width;
        bm.bmHeight = image.height;
        bm.bmPlanes = 1;
        if (bitmap->stock) {
            // The stock bitmap is the platform's 1 by 1 monochrome one, with no bits to hand out.
            bm.bmWidthBytes = 2;
            bm.bmBitsPixel = 1;
        } else {
            bm.bmWidthBytes = image.width * 4;
            bm.bmBitsPixel = 32;
            bm.bmBits = image.pixels.data();
        }
        std::memcpy(pv, &bm, sizeof(bm));
        return sizeof(BITMAP);
    });
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        // Only the plain copy, left to right and top to bottom, is offered.
        if (rop != SRCCOPY || wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        RECT dstRect{}, srcRect{};
        if (!platform::gdi::MakeRect(xDest, yDest, wDest, hDest, &dstRect) ||
            !platform::gdi::MakeRect(xSrc, ySrc, wSrc, hSrc, &srcRect)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        auto& t = table();
        std::lock_guard lock(t.mutex);
        DC* dst = t.Find(t.dcs, hdcDest);
        DC* src = t.Find(t.dcs, hdcSrc);
        platform::PixelView dstView, srcView;
        if (!dst || !src || !t.Pixels(*dst, &dstView) || !t.Pixels(*src, &srcView)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        platform::blit::Stretch(dstView, dstRect, RECT{0, 0, dstView.width, dstView.height}, srcView, srcRect, nullptr);
        return TRUE;
    });
}

int GetDeviceCaps(HDC hdc, int index)
{
    return platform::Win32Call<int>(0, [&]() -> int {
        {
            auto& t = table();
            std::lock_guard lock(t.mutex);
            if (!t.Find(t.dcs, hdc))
                return 0;
        }
        const platform::DisplayMode mode = platform::CurrentDisplayMode();
        switch (index) {
        case HORZRES:
        case DESKTOPHORZRES:
            return mode.width;
        case VERTRES:
        case DESKTOPVERTRES:
            return mode.height;
        case BITSPIXEL:
            return mode.bitsPerPixel;
        case PLANES:
            return 1;
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case NUMCOLORS:
            return mode.bitsPerPixel <= 8 ? 20 : -1;
        case SIZEPALETTE:
            return mode.bitsPerPixel <= 8 ? 1 << mode.bitsPerPixel : 0;
        case NUMRESERVED:
            return mode.bitsPerPixel <= 8 ? 20 : 0;
        case RASTERCAPS:
            return RC_BITBLT | RC_STRETCHBLT | (mode.bitsPerPixel <= 8 ? RC_PALETTE : 0);
        case VREFRESH:
            return mode.refreshHz;
        default:
            return 0;
        }
    });
}
