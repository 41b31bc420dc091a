// The Qt application behind the window core: opened by whoever starts the program (its
// start-up, a test's main); pumped by the message loop; the source of the display mode,
// the cursor position and the bell.
#include "qt/QtToolkit.h"

#include "qt/QtWindows.h"

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

namespace platform::qt {
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

class QtApp final : public backend::Application {
public:
    bool Open(const char* programName, const char* noDisplayLine) override
    {
        if (m_opened)
            return true;
        if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM"))
            return false;
        // Qt gets no arguments of ours to interpret: the command line belongs to the program.
        static char* argv[] = {const_cast<char*>(programName), nullptr};
        static int argc = 1;
        g_noDisplayLine = noDisplayLine;
        QtMessageHandler previous = qInstallMessageHandler(&StartupMessages);
        m_opened = new QApplication(argc, argv);
        qInstallMessageHandler(previous);
        qApp->setQuitOnLastWindowClosed(false);
        QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp,
                         [](Qt::ApplicationState) { qt::Report().ActivationChanged(); });
        return true;
    }

    void Close() override
    {
        delete m_opened;
        m_opened = nullptr;
    }

    bool IsOpen() override { return m_opened != nullptr; }

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
        QScreen* screen = m_opened ? QGuiApplication::primaryScreen() : nullptr;
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
        if (!m_opened)
            return POINT{};
        QPoint p = QCursor::pos();
        return POINT{p.x(), p.y()};
    }

    void Beep() override
    {
        // Before start-up there is no bell to ring.
        if (m_opened)
            QApplication::beep();
    }

private:
    QApplication* m_opened = nullptr;
};

QtApp& app()
{
    static QtApp a;
    return a;
}

backend::Events* g_report = nullptr;

} // namespace

backend::Application& Application() { return app(); }

bool IsOpen() { return app().IsOpen(); }

backend::Events& Report() { return *g_report; }

backend::Toolkit MakeToolkit(backend::Events& events)
{
    g_report = &events;
    return backend::Toolkit{&app(), &Widgets(), &Placement(), &MenuBars(), &MessageBoxes(), &Controls()};
}

} // namespace platform::qt
