#include "ddraw/WindowTarget.h"

#include "ddraw/DeviceState.h"

namespace platform::ddraw {
namespace {

testing::FakeWindow* Fake(HWND hwnd)
{
    testing::FakeWindow* fake = State().fakeWindow;
    return fake && fake->hwnd == hwnd ? fake : nullptr;
}

} // namespace

bool WindowExists(HWND hwnd)
{
    if (!hwnd)
        return false;
    if (State().fakeWindow)
        return Fake(hwnd) != nullptr;
    return IsWindow(hwnd) != FALSE;
}

bool ClientAreaOnScreen(HWND hwnd, RECT* rect)
{
    if (State().fakeWindow) {
        testing::FakeWindow* fake = Fake(hwnd);
        if (!fake)
            return false;
        const POINT o = fake->clientOrigin;
        *rect = RECT{o.x, o.y, o.x + fake->pixels.width, o.y + fake->pixels.height};
        return true;
    }
    RECT client{};
    POINT origin{0, 0};
    if (!GetClientRect(hwnd, &client) || !ClientToScreen(hwnd, &origin))
        return false;
    *rect = RECT{origin.x + client.left, origin.y + client.top, origin.x + client.right, origin.y + client.bottom};
    return true;
}

bool LockWindow(HWND hwnd, PixelView* view)
{
    if (State().fakeWindow) {
        testing::FakeWindow* fake = Fake(hwnd);
        if (!fake || !fake->pixels.pixels)
            return false;
        *view = fake->pixels;
        return true;
    }
    return LockWindowPixels(hwnd, view);
}

void UnlockWindow(HWND hwnd, const RECT& changed)
{
    if (State().fakeWindow) {
        if (testing::FakeWindow* fake = Fake(hwnd))
            fake->updates.push_back(changed);
        return;
    }
    UnlockWindowPixels(hwnd, changed);
}

} // namespace platform::ddraw
