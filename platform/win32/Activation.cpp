// Which window is active, whether the application is, and the notices of the window
// system (geometry and activation changes) that wait for the next pump.
#include "base/Fence.h"
#include "win32/Backend.h"
#include "win32/Window.h"
#include "win32/WindowEvents.h"

#include <algorithm>

namespace platform::win32 {
namespace {

struct State {
    HWND active = nullptr;
    bool appActive = false;
    HWND focus = nullptr;
    std::vector<HWND> geometryPending;
    bool activationPending = false;
};

State& state()
{
    static State s;
    return s;
}

WPARAM ActivateParam(WORD how, HWND hwnd) { return MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0); }

} // namespace

void SetActivation(HWND active, bool appActive)
{
    State& s = state();
    Window* w = FindWindowRecord(active);
    if (!w || w->IsChild())
        active = nullptr;
    if (active)
        appActive = true;
    const HWND oldActive = s.active;
    const bool oldApp = s.appActive;
    if (oldActive == active && oldApp == appActive)
        return;
    s.active = active;
    s.appActive = appActive;
    if (active)
        s.focus = active;
    // As on the platform: the window losing the activation hears of it first, then every
    // top-level window hears of the application's change, then the window gaining it.
    if (oldActive != active && FindWindowRecord(oldActive))
        CallProcedure(oldActive, WM_ACTIVATE, ActivateParam(WA_INACTIVE, oldActive), reinterpret_cast<LPARAM>(active));
    // A window still inside its WM_CREATE (a message box it shows there takes the activation)
    // is not told; it hears of the application's state at the first change after it.
    for (HWND h : TopLevelWindows()) {
        Window* w = FindWindowRecord(h);
        if (!w || !w->created || w->appActiveTold == appActive)
            continue;
        w->appActiveTold = appActive;
        CallProcedure(h, WM_ACTIVATEAPP, appActive ? TRUE : FALSE, 0);
    }
    if (oldActive != active && FindWindowRecord(active))
        CallProcedure(active, WM_ACTIVATE, ActivateParam(WA_ACTIVE, active), reinterpret_cast<LPARAM>(oldActive));
}

HWND ActiveWindow()
{
    if (!FindWindowRecord(state().active))
        state().active = nullptr;
    return state().active;
}

bool ApplicationActive() { return state().appActive; }

bool ProgramInView()
{
    if (!state().appActive)
        return false;
    for (HWND h : TopLevelWindows()) {
        Window* w = FindWindowRecord(h);
        if (w && !w->destroying && backend::Placement().IsVisible(h) && !backend::Placement().IsMinimized(h))
            return true;
    }
    return false;
}

void PassActivationOn(HWND leaving)
{
    if (ActiveWindow() != leaving)
        return;
    for (HWND h : TopLevelWindows()) {
        Window* w = FindWindowRecord(h);
        if (h != leaving && w && !w->destroying && w->enabled && backend::Placement().IsVisible(h) && !backend::Placement().IsMinimized(h)) {
            SetActivation(h, true);
            backend::Placement().Activate(h);
            return;
        }
    }
    SetActivation(nullptr, false);
}

void GeometryChanged(HWND hwnd)
{
    auto& pending = state().geometryPending;
    if (std::find(pending.begin(), pending.end(), hwnd) == pending.end())
        pending.push_back(hwnd);
}

void ActivationChanged() { state().activationPending = true; }

void DeliverWindowSystemNotices()
{
    State& s = state();
    while (!s.geometryPending.empty()) {
        HWND h = s.geometryPending.front();
        s.geometryPending.erase(s.geometryPending.begin());
        // Creation tells a window of its geometry once its WM_CREATE has returned.
        Window* w = FindWindowRecord(h);
        if (w && w->created)
            NotifyGeometry(h);
    }
    if (s.activationPending) {
        s.activationPending = false;
        HWND active = nullptr;
        bool appActive = false;
        backend::Placement().QueryActivation(&active, &appActive);
        SetActivation(active, appActive);
    }
}

} // namespace platform::win32

using namespace platform::win32;

HWND SetActiveWindow(HWND hwnd)
{
    return platform::Win32Call<HWND>(nullptr, [&]() -> HWND {
        Window* w = FindWindowRecord(hwnd);
        if (!w || w->IsChild())
            return nullptr;
        HWND previous = ActiveWindow();
        SetActivation(hwnd, true);
        platform::backend::Placement().Activate(hwnd);
        return previous;
    });
}

HWND GetActiveWindow() { return ActiveWindow(); }

HWND GetForegroundWindow() { return ActiveWindow(); }

BOOL SetForegroundWindow(HWND hwnd) { return SetActiveWindow(hwnd) != nullptr || ActiveWindow() == hwnd; }

HWND SetFocus(HWND hwnd)
{
    return platform::Win32Call<HWND>(nullptr, [&]() -> HWND {
        State& s = state();
        HWND previous = FindWindowRecord(s.focus) ? s.focus : nullptr;
        if (hwnd && !FindWindowRecord(hwnd))
            return nullptr;
        if (previous == hwnd)
            return previous;
        s.focus = hwnd;
        if (previous)
            CallProcedure(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        if (hwnd) {
            platform::backend::Placement().Focus(hwnd);
            CallProcedure(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
        }
        return previous;
    });
}

HWND GetFocus()
{
    HWND f = state().focus;
    return FindWindowRecord(f) ? f : nullptr;
}
