// The widgets of a window: the client widget shows the pixels and turns input into
// messages; the frame holds the menu bar and the client widget and reports changes of
// size, place, state and activation.
#include "qt/QtWindows.h"

#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace platform::qt {
namespace {

WPARAM KeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    WPARAM flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

// The message of a button going down or up; 0 for buttons the platform does not report.
UINT ButtonMessage(Qt::MouseButton button, bool down)
{
    switch (button) {
    case Qt::LeftButton:
        return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case Qt::RightButton:
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case Qt::MiddleButton:
        return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default:
        return 0;
    }
}

} // namespace

void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const QPoint screen = QCursor::pos();
    Report().Input(hwnd, message, wParam, lParam, POINT{screen.x(), screen.y()});
}

void Name(QObject* object, const char* name, HWND hwnd)
{
    object->setObjectName(QLatin1String(name));
    object->setProperty(kHwndProperty, QVariant::fromValue(reinterpret_cast<quintptr>(hwnd)));
}

// --- ClientWidget ---

ClientWidget::ClientWidget(HWND hwnd, QWidget* parent) : QWidget(parent), m_hwnd(hwnd)
{
    Name(this, "client", hwnd);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void ClientWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // Only the parts asked for: a few cards, not the board around them.
    const QRegion area = event->region();
    const BackendWindow* w = FindBackendWindow(m_hwnd);
    QRect image;
    if (w && w->pixels && w->pixelWidth > 0 && w->pixelHeight > 0) {
        image = QRect(0, 0, w->pixelWidth, w->pixelHeight);
        QImage pixels(reinterpret_cast<const uchar*>(w->pixels), w->pixelWidth, w->pixelHeight,
                      w->pixelWidth * 4, QImage::Format_RGB32);
        // Each part clipped to itself: under a clip of many rectangles Qt would blend span by
        // span on its thread pool instead of copying.
        for (const QRect& part : area & image) {
            painter.setClipRect(part);
            painter.drawImage(part.topLeft(), pixels, part);
        }
    }
    // What the pixels do not cover yet is black.
    for (const QRect& r : area.subtracted(QRegion(image))) {
        painter.setClipRect(r);
        painter.fillRect(r, Qt::black);
    }
}

void ClientWidget::PostMouse(QMouseEvent* event, UINT message)
{
    if (!message)
        return;
    const QPoint p = event->position().toPoint();
    const QPoint screen = event->globalPosition().toPoint();
    Report().Input(m_hwnd, message, KeyState(event->buttons(), event->modifiers()),
                   MAKELPARAM(static_cast<WORD>(p.x()), static_cast<WORD>(p.y())), POINT{screen.x(), screen.y()});
}

void ClientWidget::mousePressEvent(QMouseEvent* event) { PostMouse(event, ButtonMessage(event->button(), true)); }

void ClientWidget::mouseReleaseEvent(QMouseEvent* event) { PostMouse(event, ButtonMessage(event->button(), false)); }

void ClientWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Only classes that ask for double clicks get them; others see a second press.
    const BackendWindow* w = FindBackendWindow(m_hwnd);
    UINT message = ButtonMessage(event->button(), true);
    if (w && w->doubleClicks && message)
        message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    PostMouse(event, message);
}

void ClientWidget::mouseMoveEvent(QMouseEvent* event) { PostMouse(event, WM_MOUSEMOVE); }

void ClientWidget::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Characters in the program's single-byte code page; others become '?'.
    LPARAM flags = 1 | (static_cast<LPARAM>(event->nativeScanCode() & 0xFF) << 16) | (event->isAutoRepeat() ? 1 << 30 : 0);
    for (QChar c : text)
        PostInput(m_hwnd, WM_CHAR, c.unicode() < 256 ? c.unicode() : '?', flags);
}

void ClientWidget::resizeEvent(QResizeEvent*)
{
    if (!isWindow() && !dynamic_cast<FrameWidget*>(parentWidget()))
        Report().GeometryChanged(m_hwnd);
}

void ClientWidget::moveEvent(QMoveEvent*)
{
    if (!dynamic_cast<FrameWidget*>(parentWidget()))
        Report().GeometryChanged(m_hwnd);
}

// --- FrameWidget ---

FrameWidget::FrameWidget(HWND hwnd) : QWidget(nullptr), m_hwnd(hwnd), m_client(new ClientWidget(hwnd, this))
{
    Name(this, "frame", hwnd);
    m_client->setFocus();
}

void FrameWidget::SetMenuBar(QMenuBar* bar)
{
    if (m_menuBar) {
        m_menuBar->setObjectName(QString());
        m_menuBar->deleteLater();
    }
    m_menuBar = bar;
    if (bar) {
        bar->setObjectName(QStringLiteral("menuBar"));
        bar->setParent(this);
        bar->setNativeMenuBar(false);
        bar->show();
    }
    LayOut(size());
}

void FrameWidget::LayOut(QSize contents)
{
    // The bar is given the one-line height that AdjustWindowRect counts, so the client
    // area is exactly what the window was made for.
    const int bar = m_menuBar ? std::min(MenuBarHeight(), contents.height()) : 0;
    if (m_menuBar)
        m_menuBar->setGeometry(0, 0, contents.width(), bar);
    m_client->setGeometry(0, bar, contents.width(), std::max(0, contents.height() - bar));
}

void FrameWidget::resizeEvent(QResizeEvent*)
{
    LayOut(size());
    Report().GeometryChanged(m_hwnd);
}

void FrameWidget::moveEvent(QMoveEvent*) { Report().GeometryChanged(m_hwnd); }

void FrameWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange)
        Report().GeometryChanged(m_hwnd);
    else if (event->type() == QEvent::ActivationChange)
        Report().ActivationChanged();
    QWidget::changeEvent(event);
}

void FrameWidget::closeEvent(QCloseEvent* event)
{
    // The close button is the system menu's Close: the window decides in WM_CLOSE.
    event->ignore();
    PostInput(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

} // namespace platform::qt
