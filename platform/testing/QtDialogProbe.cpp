// Looks at the widgets that show a dialog's controls and uses them as the user would,
// through Qt's object tree where the window backend names them.
#include "testing/DialogProbe.h"

#include "testing/QtNamedWidgets.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace platform::testing {
namespace {

QWidget* WidgetOf(HWND control) { return NamedWidget(control, "control"); }

// The toolkit's window a dialog is shown in.
QWidget* TopOf(HWND dialog)
{
    if (QWidget* frame = NamedWidget(dialog, "frame"))
        return frame;
    QWidget* client = NamedWidget(dialog, "client");
    return client ? client->window() : nullptr;
}

// Where the style draws a slider's thumb, in the slider's coordinates (as QSlider fills
// the style's options for itself).
QRect ThumbRect(const QSlider* slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.tickPosition = static_cast<QSlider::TickPosition>(slider->tickPosition());
    option.tickInterval = slider->tickInterval();
    option.upsideDown = slider->orientation() == Qt::Horizontal
                            ? slider->invertedAppearance() != (option.direction == Qt::RightToLeft)
                            : !slider->invertedAppearance();
    option.direction = Qt::LeftToRight;
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    if (slider->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
}

std::string WidgetKind(QWidget* w)
{
    if (auto* push = qobject_cast<QPushButton*>(w))
        return push->isCheckable() ? "checkable push button" : "push button";
    if (qobject_cast<QRadioButton*>(w))
        return "radio button";
    if (qobject_cast<QCheckBox*>(w))
        return "check box";
    if (qobject_cast<QGroupBox*>(w))
        return "group box";
    if (qobject_cast<QLabel*>(w))
        return "text";
    if (qobject_cast<QSlider*>(w))
        return "trackbar";
    return "?";
}

void SendButton(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

void SendMove(QWidget* w, QPointF at)
{
    QMouseEvent event(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

int QtKey(int vk, bool shift)
{
    switch (vk) {
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_TAB:
        return shift ? Qt::Key_Backtab : Qt::Key_Tab;
    case VK_SPACE:
        return Qt::Key_Space;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_UP:
        return Qt::Key_Up;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_DOWN:
        return Qt::Key_Down;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_END:
        return Qt::Key_End;
    default:
        return Qt::Key_unknown;
    }
}

} // namespace

ControlView ViewControl(HWND control)
{
    ControlView view;
    QWidget* w = WidgetOf(control);
    QWidget* parent = NamedWidget(GetParent(control), "client");
    if (!w || !parent)
        return view;
    view.found = true;
    view.widget = WidgetKind(w);
    view.shown = w->isVisibleTo(w->window());
    const QPoint at = w->mapTo(parent, QPoint(0, 0));
    view.rect = RECT{at.x(), at.y(), at.x() + w->width(), at.y() + w->height()};
    const QFontInfo font(w->font());
    view.fontFamily = font.family().toStdString();
    view.fontPixelSize = font.pixelSize();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        view.text = button->text().toStdString();
        view.checked = button->isChecked();
        if (auto* push = qobject_cast<QPushButton*>(w))
            view.isDefault = push->isDefault();
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        view.text = box->title().toStdString();
        view.titleCentred = box->alignment() & Qt::AlignHCenter;
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        view.text = label->text().toStdString();
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
        view.vertical = slider->orientation() == Qt::Vertical;
        view.lowestAtTop = view.vertical && slider->invertedAppearance();
        view.ticks = slider->tickPosition() != QSlider::NoTicks;
        view.minimum = slider->minimum();
        view.maximum = slider->maximum();
        view.position = slider->value();
        view.lineStep = slider->singleStep();
        view.pageStep = slider->pageStep();
    }
    return view;
}

std::string SystemSansSerifFamily()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    return QFontInfo(font).family().toStdString();
}

HWND FocusedControl(HWND dialog)
{
    QWidget* top = TopOf(dialog);
    QWidget* focus = top ? top->focusWidget() : nullptr;
    for (HWND h = GetWindow(dialog, GW_CHILD); h && focus; h = GetWindow(h, GW_HWNDNEXT))
        if (WidgetOf(h) == focus)
            return h;
    return nullptr;
}

void ClickControl(HWND control)
{
    QWidget* w = WidgetOf(control);
    if (!w)
        return;
    const QPointF middle = QRectF(w->rect()).center();
    SendButton(w, QEvent::MouseButtonPress, middle, Qt::LeftButton);
    SendButton(w, QEvent::MouseButtonRelease, middle, Qt::NoButton);
}

void PressKey(HWND dialog, int virtualKey, bool shift)
{
    QWidget* top = TopOf(dialog);
    if (!top)
        return;
    QWidget* target = top->focusWidget() ? top->focusWidget() : top;
    const int key = QtKey(virtualKey, shift);
    const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
    const QString text = virtualKey == VK_SPACE ? QStringLiteral(" ") : QString();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}

void DragThumb(HWND trackbar, int dy, int steps)
{
    auto* slider = qobject_cast<QSlider*>(WidgetOf(trackbar));
    if (!slider || steps <= 0)
        return;
    const QPointF from = QRectF(ThumbRect(slider)).center();
    SendButton(slider, QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int i = 1; i <= steps; ++i)
        SendMove(slider, from + QPointF(0, static_cast<double>(dy) * i / steps));
    SendButton(slider, QEvent::MouseButtonRelease, from + QPointF(0, dy), Qt::NoButton);
}

void ClickChannel(HWND trackbar, int dy)
{
    auto* slider = qobject_cast<QSlider*>(WidgetOf(trackbar));
    if (!slider)
        return;
    const QPointF at = QRectF(ThumbRect(slider)).center() + QPointF(0, dy);
    SendButton(slider, QEvent::MouseButtonPress, at, Qt::LeftButton);
    SendButton(slider, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

} // namespace platform::testing
