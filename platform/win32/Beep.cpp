// MessageBeep: the desktop's bell through Qt, counted for tests.
#include "testing/GdiSeams.h"

#include <windows.h>

#include <QApplication>

#include <atomic>

namespace {
std::atomic<int> g_beeps{0};
}

namespace platform::testing {
int BeepCount() { return g_beeps.load(); }
void ResetBeepCount() { g_beeps = 0; }
} // namespace platform::testing

BOOL MessageBeep(UINT)
{
    ++g_beeps;
    // Without a widget application (a test, or before start-up) there is no bell to ring.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
    return TRUE;
}
