// Looks at the widgets that show a window and gives them input, the way a tool for
// testing Qt programs does: through Qt's own object tree, where the window backend
// names its widgets (see qt/QtWindows.h) and nothing of the backend's own.
#include "testing/WindowProbe.h"

#include "testing/QtNamedWidgets.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

namespace platform::testing {

QWidget* NamedWidget(HWND hwnd, const char* name)
{
    if (!hwnd || !qApp)
        return nullptr;
    const QVariant handle = QVariant::fromValue(reinterpret_cast<quintptr>(hwnd));
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == QLatin1String(name) && w->property("hwnd") == handle)
            return w;
    return nullptr;
}

namespace {

QMenuBar* Bar(HWND hwnd)
{
    QWidget* frame = NamedWidget(hwnd, "frame");
    return frame ? frame->findChild<QMenuBar*>(QStringLiteral("menuBar"), Qt::FindDirectChildrenOnly) : nullptr;
}

QAction* FindAction(const QList<QAction*>& actions, UINT commandId)
{
    for (QAction* a : actions) {
        if (a->menu()) {
            if (QAction* found = FindAction(a->menu()->actions(), commandId))
                return found;
        } else if (!a->isSeparator() && a->data().isValid() && a->data().toUInt() == commandId) {
            return a;
        }
    }
    return nullptr;
}

QAction* FindAction(HWND hwnd, UINT commandId)
{
    QMenuBar* bar = Bar(hwnd);
    return bar ? FindAction(bar->actions(), commandId) : nullptr;
}

Qt::MouseButton Button(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return Qt::LeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return Qt::RightButton;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return Qt::MiddleButton;
    default:
        return Qt::NoButton;
    }
}

QEvent::Type MouseEventType(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return QEvent::MouseButtonPress;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return QEvent::MouseButtonRelease;
    case WM_LBUTTONDBLCLK:
        return QEvent::MouseButtonDblClick;
    default:
        return QEvent::MouseMove;
    }
}

} // namespace

std::vector<std::string> MenuBarTexts(HWND hwnd)
{
    std::vector<std::string> texts;
    if (QMenuBar* bar = Bar(hwnd))
        for (QAction* a : bar->actions())
            texts.push_back(a->text().toStdString());
    return texts;
}

MenuItemView MenuBarItem(HWND hwnd, UINT commandId)
{
    MenuItemView view;
    if (QAction* a = FindAction(hwnd, commandId)) {
        view.found = true;
        view.text = a->text().toStdString();
        view.checkable = a->isCheckable();
        view.checked = a->isChecked();
        view.enabled = a->isEnabled();
    }
    return view;
}

bool ChooseMenuItem(HWND hwnd, UINT commandId)
{
    QAction* a = FindAction(hwnd, commandId);
    if (!a)
        return false;
    a->trigger();
    return true;
}

int MenuBarWidgetHeight(HWND hwnd)
{
    QMenuBar* bar = Bar(hwnd);
    return bar ? bar->height() : 0;
}

SIZE ClientWidgetSize(HWND hwnd)
{
    QWidget* client = NamedWidget(hwnd, "client");
    return client ? SIZE{client->width(), client->height()} : SIZE{};
}

void SendMouse(HWND hwnd, UINT message, int x, int y, UINT keyState)
{
    QWidget* client = NamedWidget(hwnd, "client");
    if (!client)
        return;
    Qt::MouseButtons buttons;
    if (keyState & MK_LBUTTON)
        buttons |= Qt::LeftButton;
    if (keyState & MK_RBUTTON)
        buttons |= Qt::RightButton;
    if (keyState & MK_MBUTTON)
        buttons |= Qt::MiddleButton;
    Qt::KeyboardModifiers modifiers;
    if (keyState & MK_SHIFT)
        modifiers |= Qt::ShiftModifier;
    if (keyState & MK_CONTROL)
        modifiers |= Qt::ControlModifier;
    const QPointF local(x, y);
    QMouseEvent event(MouseEventType(message), local, client->mapToGlobal(local), Button(message), buttons, modifiers);
    QCoreApplication::sendEvent(client, &event);
}

void SendText(HWND hwnd, const std::string& text)
{
    QWidget* client = NamedWidget(hwnd, "client");
    if (!client)
        return;
    for (QChar c : QString::fromUtf8(text.c_str())) {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(client, &event);
    }
}

void PressCloseButton(HWND hwnd)
{
    if (QWidget* frame = NamedWidget(hwnd, "frame"))
        frame->close();
}

} // namespace platform::testing
