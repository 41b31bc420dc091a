// The Qt application behind the window core: created on first use unless the program's
// start-up made one, pumped by the message loop, and the source of the display mode.
#include "win32/Backend.h"
#include "win32/Display.h"
#include "win32/WindowEvents.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <thread>

namespace platform::backend {
namespace {

DisplayMode ScreenMode()
{
    DisplayMode mode;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return mode;
    mode.width = screen->size().width();
    mode.height = screen->size().height();
    mode.bitsPerPixel = screen->depth();
    const double hz = screen->refreshRate();
    mode.refreshHz = hz >= 1.0 ? static_cast<int>(std::lround(hz)) : 60;
    return mode;
}

} // namespace

bool HasApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

bool EnsureApplication()
{
    static bool connected = false;
    if (!QCoreApplication::instance()) {
        // Tests and tools that never ran the program's start-up: the application lives as
        // long as the process.
        static int argc = 1;
        static char name[] = "memory";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    if (!HasApplication())
        return false;
    if (!connected) {
        connected = true;
        qApp->setQuitOnLastWindowClosed(false);
        SetDisplayModeProvider(&ScreenMode);
        QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp,
                         [](Qt::ApplicationState) { win32::ActivationChanged(); });
    }
    return true;
}

void Pump()
{
    if (!QCoreApplication::instance())
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // No Qt event loop runs, so objects given up with deleteLater go here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Wait(uint64_t timeoutNs)
{
    if (!QCoreApplication::instance()) {
        // Nothing can arrive without the toolkit but a timer.
        std::this_thread::sleep_for(std::chrono::nanoseconds(std::min<uint64_t>(timeoutNs, 10000000)));
        return;
    }
    QTimer wake;
    if (timeoutNs != UINT64_MAX) {
        if (timeoutNs == 0) {
            Pump();
            return;
        }
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        wake.start(static_cast<int>(std::min<uint64_t>((timeoutNs + 999999) / 1000000, 0x7FFFFFFF)));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace platform::backend
