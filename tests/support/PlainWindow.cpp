#include "support/PlainWindow.h"

namespace testsupport {

HWND MakePlainWindow()
{
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &DefWindowProcA;
        wc.lpszClassName = "PlainTestWindow";
        return RegisterClassA(&wc) != 0;
    }();
    if (!registered)
        return nullptr;
    return CreateWindowExA(0, "PlainTestWindow", "Test", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr,
                           nullptr, nullptr);
}

} // namespace testsupport
