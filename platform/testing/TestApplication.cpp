#include "testing/TestApplication.h"

#include "testing/DisplayOverride.h"
#include "testing/GdiSeams.h"
#include "testing/InstallOnce.h"
#include "testing/TestClock.h"
#include "gdi/GdiObjects.h"

namespace platform::testing {

TestApplication& TheTestApplication()
{
    return InstallOnce<TestApplication>(backend::App, backend::InstallApplication);
}

void TestApplication::Wait(uint64_t timeoutNs)
{
    if (waitHook) {
        waitHook();
        return;
    }
    // Nothing moves a manual clock but the test: waiting for a timer means jumping to it.
    if (timeoutNs != UINT64_MAX && TheTestClock().manual()) {
        TheTestClock().Advance(timeoutNs);
        return;
    }
    m_real.Wait(timeoutNs);
}

void OverrideDisplayMode(int width, int height, int bitsPerPixel, int refreshHz)
{
    TheTestApplication().screen = DisplayMode{width, height, bitsPerPixel, refreshHz};
}

void ClearDisplayModeOverride() { TheTestApplication().screen.reset(); }

int BeepCount() { return TheTestApplication().beeps; }

void ResetBeepCount() { TheTestApplication().beeps = 0; }

int LiveGdiObjects() { return gdi::LiveObjectCount(); }

} // namespace platform::testing
