// The Qt application behind the window core: opened by the program's start-up, or
// created on first use by tests and tools; pumped by the message loop; the source of
// the display mode, the cursor position and the bell.
#include "win32/Backend.h"

#include "base/Seam.h"
#include "win32/WindowEvents.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace platform::backend {
namespace {

bool Set(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

const char* g_noDisplayLine = "";

// While Qt starts, its messages stay quiet; a fatal one (no display could be opened)
// becomes the program's one line and a plain exit instead of an abort.
void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type == QtFatalMsg) {
        std::fputs(g_noDisplayLine, stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
}

class QtApp final : public Application {
public:
    bool Open(const char* programName, const char* noDisplayLine) override
    {
        if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM"))
            return false;
        // Qt gets no arguments of ours to interpret: the command line belongs to the program.
        static char* argv[] = {const_cast<char*>(programName), nullptr};
        static int argc = 1;
        g_noDisplayLine = noDisplayLine;
        QtMessageHandler previous = qInstallMessageHandler(&StartupMessages);
        m_opened = new QApplication(argc, argv);
        qInstallMessageHandler(previous);
        return Start();
    }

    void Close() override
    {
        delete m_opened;
        m_opened = nullptr;
    }

    bool Start() override
    {
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
        if (!m_connected) {
            m_connected = true;
            qApp->setQuitOnLastWindowClosed(false);
            QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp,
                             [](Qt::ApplicationState) { win32::ActivationChanged(); });
        }
        return true;
    }

    void Pump() override
    {
        if (!QCoreApplication::instance())
            return;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // No Qt event loop runs, so objects given up with deleteLater go here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Wait(uint64_t timeoutNs) override
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

    DisplayMode Screen() override
    {
        DisplayMode mode;
        QScreen* screen = HasApplication() && m_connected ? QGuiApplication::primaryScreen() : nullptr;
        if (!screen)
            return mode;
        mode.width = screen->size().width();
        mode.height = screen->size().height();
        mode.bitsPerPixel = screen->depth();
        const double hz = screen->refreshRate();
        mode.refreshHz = hz >= 1.0 ? static_cast<int>(std::lround(hz)) : 60;
        return mode;
    }

    POINT CursorPos() override
    {
        if (!HasApplication())
            return POINT{};
        QPoint p = QCursor::pos();
        return POINT{p.x(), p.y()};
    }

    void Beep() override
    {
        // Without a widget application (a test, or before start-up) there is no bell to ring.
        if (HasApplication())
            QApplication::beep();
    }

private:
    static bool HasApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

    QApplication* m_opened = nullptr;
    bool m_connected = false;
};

} // namespace

Application& App() { return Seam<Application, QtApp>::Current(); }

void InstallApplication(Application* app) { Seam<Application, QtApp>::Install(app); }

} // namespace platform::backend
