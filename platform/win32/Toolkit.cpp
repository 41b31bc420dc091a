// The window toolkit in place, and the core's side of what it reports.
#include "win32/Backend.h"

#include "win32/WindowEvents.h"

#include <cstdio>
#include <cstdlib>

namespace platform::backend {
namespace {

Toolkit g_toolkit;
Application* g_application = nullptr; // a test's, in place of the toolkit's
MessageBoxes* g_messageBoxes = nullptr;

template <class Interface>
Interface& InPlace(Interface* implementation)
{
    if (!implementation) {
        std::fputs("memory: no window toolkit is in place\n", stderr);
        std::abort();
    }
    return *implementation;
}

class CoreEventsImpl final : public Events {
public:
    void Input(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, POINT screen) override
    {
        win32::PostInput(hwnd, msg, wParam, lParam, screen);
    }
    void GeometryChanged(HWND hwnd) override { win32::GeometryChanged(hwnd); }
    void ActivationChanged() override { win32::ActivationChanged(); }
};

} // namespace

Events& CoreEvents()
{
    static CoreEventsImpl events;
    return events;
}

void InstallToolkit(const Toolkit& toolkit) { g_toolkit = toolkit; }

Application& App() { return g_application ? *g_application : InPlace(g_toolkit.application); }

void InstallApplication(Application* app) { g_application = app; }

WindowWidgets& Widgets() { return InPlace(g_toolkit.widgets); }

WindowPlacement& Placement() { return InPlace(g_toolkit.placement); }

MenuBars& Menus() { return InPlace(g_toolkit.menuBars); }

MessageBoxes& Boxes() { return g_messageBoxes ? *g_messageBoxes : InPlace(g_toolkit.messageBoxes); }

void InstallMessageBoxes(MessageBoxes* boxes) { g_messageBoxes = boxes; }

Controls& DialogControls() { return InPlace(g_toolkit.controls); }

} // namespace platform::backend
