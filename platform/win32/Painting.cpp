// Update regions, WM_PAINT's device context, and the client pixels a window shows.
#include "base/Fence.h"
#include "win32/Backend.h"
#include "win32/Window.h"
#include "win32/WindowPixels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::win32 {
namespace {

// The paint device context is a marker only: nothing draws through it.
HDC PaintDc(HWND hwnd) { return reinterpret_cast<HDC>(reinterpret_cast<uintptr_t>(hwnd) | 0x8); }

void AddToUpdate(Window& w, const RECT& r, bool erase)
{
    if (IsRectEmpty(&r))
        return;
    if (w.updatePending)
        UnionRect(&w.update, &w.update, &r);
    else
        w.update = r;
    w.updatePending = true;
    w.erasePending = w.erasePending || erase;
}

} // namespace

void InvalidateWholeClient(HWND hwnd, bool erase)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w)
        return;
    SIZE s = backend::Placement().ClientSize(hwnd);
    AddToUpdate(*w, RECT{0, 0, s.cx, s.cy}, erase);
}

void FitPixels(Window& w)
{
    SIZE s = backend::Placement().ClientSize(w.hwnd);
    if (s.cx == w.pixelWidth && s.cy == w.pixelHeight)
        return;
    std::vector<uint32_t> fresh(static_cast<size_t>(s.cx) * static_cast<size_t>(s.cy), 0);
    const int cw = std::min<int>(s.cx, w.pixelWidth);
    const int ch = std::min<int>(s.cy, w.pixelHeight);
    for (int y = 0; y < ch; ++y)
        std::memcpy(&fresh[static_cast<size_t>(y) * s.cx], &w.pixels[static_cast<size_t>(y) * w.pixelWidth],
                    static_cast<size_t>(cw) * sizeof(uint32_t));
    w.pixels.swap(fresh);
    w.pixelWidth = s.cx;
    w.pixelHeight = s.cy;
    backend::Widgets().SetPixels(w.hwnd, w.pixels.empty() ? nullptr : w.pixels.data(), w.pixelWidth, w.pixelHeight);
}

} // namespace platform::win32

namespace platform {

bool LockWindowPixels(HWND hwnd, PixelView* view)
{
    win32::Window* w = win32::FindWindowRecord(hwnd);
    if (!w || !view)
        return false;
    SIZE s = win32::ClientSize(hwnd);
    if (s.cx <= 0 || s.cy <= 0)
        return false;
    win32::FitPixels(*w);
    *view = PixelView{w->pixels.data(), w->pixelWidth, w->pixelHeight, w->pixelWidth};
    return true;
}

void UnlockWindowPixels(HWND hwnd, std::span<const RECT> changed)
{
    win32::Window* w = win32::FindWindowRecord(hwnd);
    if (!w)
        return;
    const RECT all{0, 0, w->pixelWidth, w->pixelHeight};
    std::vector<RECT> shown;
    for (const RECT& c : changed) {
        RECT r;
        if (IntersectRect(&r, &c, &all))
            shown.push_back(r);
    }
    if (!shown.empty())
        backend::Widgets().Repaint(hwnd, shown);
}

} // namespace platform

using namespace platform::win32;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        if (!hwnd) {
            for (HWND h : TopLevelWindows())
                InvalidateRect(h, nullptr, erase);
            return TRUE;
        }
        Window* w = FindWindowRecord(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        SIZE s = ClientSize(hwnd);
        RECT client{0, 0, s.cx, s.cy};
        RECT r = client;
        if (rect)
            IntersectRect(&r, rect, &client);
        AddToUpdate(*w, r, erase != 0);
        return TRUE;
    });
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // Only a rectangle that covers the whole update region validates it; a partial one
    // leaves it for the next WM_PAINT.
    RECT u;
    if (!rect || (UnionRect(&u, rect, &w->update) && EqualRect(&u, rect))) {
        w->updatePending = false;
        w->erasePending = false;
        w->update = RECT{};
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w)
        return FALSE;
    if (rect)
        *rect = w->updatePending ? w->update : RECT{};
    return w->updatePending;
}

BOOL UpdateWindow(HWND hwnd)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        Window* w = FindWindowRecord(hwnd);
        if (!w)
            return FALSE;
        SIZE s = ClientSize(hwnd);
        if (w->updatePending && platform::backend::Placement().IsVisible(hwnd) && s.cx > 0 && s.cy > 0)
            CallProcedure(hwnd, WM_PAINT, 0, 0);
        return TRUE;
    });
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps)
{
    return platform::Win32Call<HDC>(nullptr, [&]() -> HDC {
        Window* w = FindWindowRecord(hwnd);
        if (!w || !ps)
            return nullptr;
        *ps = PAINTSTRUCT{};
        ps->hdc = PaintDc(hwnd);
        ps->rcPaint = w->updatePending ? w->update : RECT{};
        const bool erase = w->erasePending;
        w->updatePending = false;
        w->erasePending = false;
        w->update = RECT{};
        if (erase)
            ps->fErase = CallProcedure(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0) ? FALSE : TRUE;
        return ps->hdc;
    });
}

BOOL EndPaint(HWND, const PAINTSTRUCT*) { return TRUE; }
