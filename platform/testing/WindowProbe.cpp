#include "testing/WindowProbe.h"

#include "win32/Menus.h"
#include "win32/QtWindows.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace platform::testing {
namespace {

QAction* FindAction(HWND hwnd, UINT commandId)
{
    qt::BackendWindow* b = qt::FindBackendWindow(hwnd);
    if (!b)
        return nullptr;
    for (const qt::MenuBinding& binding : b->menuBindings) {
        win32::Menu* m = win32::FindMenuRecord(binding.menu);
        if (!m || binding.position < 0 || static_cast<size_t>(binding.position) >= m->items.size())
            continue;
        const win32::MenuItem& item = m->items[static_cast<size_t>(binding.position)];
        if (!(item.flags & (MF_POPUP | MF_SEPARATOR)) && item.id == commandId)
            return binding.action;
    }
    return nullptr;
}

} // namespace

std::vector<std::string> MenuBarTexts(HWND hwnd)
{
    std::vector<std::string> texts;
    qt::BackendWindow* b = qt::FindBackendWindow(hwnd);
    if (b && b->frame && b->frame->menuBar())
        for (QAction* a : b->frame->menuBar()->actions())
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
    qt::BackendWindow* b = qt::FindBackendWindow(hwnd);
    return b && b->frame && b->frame->menuBar() ? b->frame->menuBar()->height() : 0;
}

SIZE ClientWidgetSize(HWND hwnd)
{
    qt::BackendWindow* b = qt::FindBackendWindow(hwnd);
    return b && b->client ? SIZE{b->client->width(), b->client->height()} : SIZE{};
}

void SendMouse(HWND hwnd, UINT message, int x, int y, UINT keyState)
{
    qt::BackendWindow* b = qt::FindBackendWindow(hwnd);
    if (!b || !b->client)
        return;
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        type = QEvent::MouseButtonPress;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        type = QEvent::MouseButtonRelease;
        break;
    case WM_LBUTTONDBLCLK:
        type = QEvent::MouseButtonDblClick;
        break;
    default:
        break;
    }
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK)
        button = Qt::LeftButton;
    else if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP)
        button = Qt::RightButton;
    else if (message == WM_MBUTTONDOWN || message == WM_MBUTTONUP)
        button = Qt::MiddleButton;
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
    QMouseEvent event(type, local, b->client->mapToGlobal(local), button, buttons, modifiers);
    QCoreApplication::sendEvent(b->client, &event);
}

void SendText(HWND hwnd, const std::string& text)
{
    qt::BackendWindow* b = qt::FindBackendWindow(hwnd);
    if (!b || !b->client)
        return;
    for (QChar c : QString::fromUtf8(text.c_str())) {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(b->client, &event);
    }
}

void PressCloseButton(HWND hwnd)
{
    qt::BackendWindow* b = qt::FindBackendWindow(hwnd);
    if (b && b->frame)
        b->frame->close();
}

} // namespace platform::testing
