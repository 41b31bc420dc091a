#include "ddraw/WindowPresenter.h"

#include "base/Seam.h"

namespace platform::ddraw {
namespace {

class SystemWindows final : public WindowPresenter {
public:
    bool Exists(HWND hwnd) override { return hwnd && IsWindow(hwnd); }

    bool ClientAreaOnScreen(HWND hwnd, RECT* rect) override
    {
        RECT client{};
        POINT origin{0, 0};
        if (!GetClientRect(hwnd, &client) || !ClientToScreen(hwnd, &origin))
            return false;
        *rect = RECT{origin.x + client.left, origin.y + client.top, origin.x + client.right,
                     origin.y + client.bottom};
        return true;
    }

    bool Lock(HWND hwnd, PixelView* view) override { return LockWindowPixels(hwnd, view); }

    void Unlock(HWND hwnd, std::span<const RECT> changed) override { UnlockWindowPixels(hwnd, changed); }
};

} // namespace

WindowPresenter& CurrentPresenter() { return Seam<WindowPresenter, SystemWindows>::Current(); }

WindowPresenter& SystemPresenter() { return Seam<WindowPresenter, SystemWindows>::Platform(); }

void InstallPresenter(WindowPresenter* presenter) { Seam<WindowPresenter, SystemWindows>::Install(presenter); }

} // namespace platform::ddraw
