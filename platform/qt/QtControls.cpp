// Dialogs and their controls on Qt widgets. A control's window widget (made like any child
// window's) gets the Qt control as its only child and stops painting itself, so the control
// draws on the dialog's face. Clicks come back as BM_CLICK, thumb moves as trackbar
// actions, and the dialog's keys as WM_KEYDOWN / WM_KEYUP, all posted to the control.
#include "qt/QtWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyleOption>
#include <QWindow>
#include <qdrawutil.h>

#include <commctrl.h>

#include <algorithm>

namespace platform::qt {
namespace {

using backend::WindowKind;

Qt::KeyboardModifiers& lastModifiers()
{
    static Qt::KeyboardModifiers m;
    return m;
}

QFont MapFont(const backend::DialogFont& f)
{
    const QString face = FromUtf8(f.face);
    QFont font;
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) {
        font.setFamily(face);
    } else {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPixelSize(std::max(1, f.pixelHeight));
    font.setWeight(f.weight > 0 ? static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)) : QFont::Normal);
    font.setItalic(f.italic);
    return font;
}

// The dialog keys the platform handles itself; 0 for keys the toolkit's widget keeps.
int VirtualKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    default:
        return 0;
    }
}

// A dialog key becomes WM_KEYDOWN / WM_KEYUP for the window; true when it was one.
bool ForwardKey(HWND hwnd, QKeyEvent* event)
{
    const int vk = VirtualKey(event->key());
    if (!vk)
        return false;
    // The platform repeats the key-down while a key is held; the release comes once.
    if (event->type() == QEvent::KeyRelease && event->isAutoRepeat())
        return true;
    LPARAM flags = 1 | (static_cast<LPARAM>(event->nativeScanCode() & 0xFF) << 16);
    if (event->type() == QEvent::KeyPress) {
        lastModifiers() = event->modifiers();
        PostInput(hwnd, WM_KEYDOWN, static_cast<WPARAM>(vk), flags | (event->isAutoRepeat() ? 1 << 30 : 0));
    } else {
        PostInput(hwnd, WM_KEYUP, static_cast<WPARAM>(vk), flags | (1 << 30) | (1u << 31));
    }
    return true;
}

int TrackbarCode(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return TB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub:
        return TB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return TB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return TB_PAGEUP;
    case QAbstractSlider::SliderToMinimum:
        return TB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return TB_BOTTOM;
    case QAbstractSlider::SliderMove:
        return TB_THUMBTRACK;
    default:
        return -1;
    }
}

// Watches a control's window widget (it draws nothing) and the control's widget (keys,
// and the end of a thumb move), or the dialog's own client widget (keys).
class InputFilter : public QObject {
public:
    InputFilter(HWND hwnd, QWidget* container, QWidget* control)
        : QObject(container), m_hwnd(hwnd), m_container(container), m_control(control)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_container && m_control)
            return event->type() == QEvent::Paint;
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return ForwardKey(m_hwnd, static_cast<QKeyEvent*>(event));
        case QEvent::Wheel:
            return qobject_cast<QSlider*>(m_control) != nullptr;
        case QEvent::MouseButtonPress:
            m_pressed = true;
            return false;
        case QEvent::MouseButtonRelease:
            EndThumbMove();
            return false;
        default:
            return false;
        }
    }

private:
    void EndThumbMove()
    {
        auto* slider = qobject_cast<QSlider*>(m_control);
        if (!slider || !m_pressed)
            return;
        m_pressed = false;
        if (slider->isSliderDown())
            PostInput(m_hwnd, backend::kTrackbarMouseAction, TB_THUMBPOSITION, slider->sliderPosition());
        PostInput(m_hwnd, backend::kTrackbarMouseAction, TB_ENDTRACK, 0);
    }

    HWND m_hwnd;
    QWidget* m_container;
    QPointer<QWidget> m_control;
    bool m_pressed = false;
};

// A group box as the platform draws it: the frame's top line runs through the middle of the
// title, so the box takes no room above what the template places inside it.
class GroupBox final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const QRect area = rect();
        const int textWidth = title().isEmpty() ? 0 : metrics.horizontalAdvance(title());
        const int indent = metrics.averageCharWidth();
        int left = indent;
        if (alignment() & Qt::AlignHCenter)
            left = (area.width() - textWidth) / 2;
        else if (alignment() & Qt::AlignRight)
            left = area.width() - indent - textWidth;
        const int gap = title().isEmpty() ? 0 : 2;
        const QRect titleRect(left - gap, 0, textWidth + 2 * gap, metrics.height());

        // An etched line: the style's own group box frame keeps a margin for the title above it.
        painter.save();
        painter.setClipRegion(QRegion(area).subtracted(QRegion(titleRect)));
        qDrawShadeRect(&painter, area.adjusted(0, metrics.height() / 2, 0, 0), palette(), true, 1, 0);
        painter.restore();
        if (textWidth > 0)
            style()->drawItemText(&painter, titleRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                                  title(), QPalette::WindowText);
    }
};

// A push-like radio button: checked, it looks pushed in, as the platform shows it: a sunken
// edge around a darker face, the text one pixel down and to the right.
class PushLikeButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!isChecked()) {
            QPushButton::paintEvent(event);
            return;
        }
        QPainter painter(this);
        const QRect area = rect();
        const QPalette& colours = palette();
        painter.fillRect(area, colours.color(QPalette::Button).darker(125));
        qDrawShadePanel(&painter, area, colours, true, 2);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.rect = area.translated(1, 1);
        style()->drawControl(QStyle::CE_PushButtonLabel, &option, &painter, this);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = area.adjusted(4, 4, -4, -4);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }
};

QWidget* MakeButton(HWND hwnd, WindowKind kind, const QString& text, QWidget* parent)
{
    QAbstractButton* button = nullptr;
    switch (kind) {
    case WindowKind::RadioButton: {
        auto* radio = new QRadioButton(text, parent);
        radio->setAutoExclusive(false); // the window keeps its group
        button = radio;
        break;
    }
    case WindowKind::CheckBox:
        button = new QCheckBox(text, parent);
        break;
    case WindowKind::PushLikeRadio: {
        auto* push = new PushLikeButton(text, parent);
        push->setCheckable(true);
        button = push;
        break;
    }
    default: {
        auto* push = new QPushButton(text, parent);
        push->setDefault(kind == WindowKind::DefaultPushButton);
        button = push;
        break;
    }
    }
    QObject::connect(button, &QAbstractButton::clicked, button, [hwnd, button] {
        if (BackendWindow* b = FindBackendWindow(hwnd))
            button->setChecked(b->checked);
        PostInput(hwnd, BM_CLICK, 0, 0);
    });
    return button;
}

QWidget* MakeTrackbar(HWND hwnd, DWORD style, QWidget* parent)
{
    const bool vertical = style & TBS_VERT;
    auto* slider = new QSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent);
    // The platform's vertical trackbar has its lowest position at the top.
    slider->setInvertedAppearance(vertical);
    if (style & TBS_NOTICKS)
        slider->setTickPosition(QSlider::NoTicks);
    else if (style & TBS_BOTH)
        slider->setTickPosition(QSlider::TicksBothSides);
    else
        slider->setTickPosition((style & TBS_LEFT) ? QSlider::TicksAbove : QSlider::TicksBelow);
    QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, [hwnd, slider](int action) {
        const int code = TrackbarCode(action);
        if (code >= 0)
            PostInput(hwnd, backend::kTrackbarMouseAction, static_cast<WPARAM>(code), slider->sliderPosition());
    });
    return slider;
}

QWidget* MakeControlWidget(HWND hwnd, WindowKind kind, const QString& text, DWORD style, QWidget* parent)
{
    switch (kind) {
    case WindowKind::GroupBox: {
        auto* box = new GroupBox(text, parent);
        box->setAlignment((style & BS_CENTER) == BS_CENTER ? Qt::AlignHCenter
                          : (style & BS_RIGHT)              ? Qt::AlignRight
                                                            : Qt::AlignLeft);
        return box;
    }
    case WindowKind::Static: {
        auto* label = new QLabel(text, parent);
        const DWORD align = style & 0x3;
        label->setAlignment(Qt::AlignTop | (align == SS_CENTER ? Qt::AlignHCenter : align == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft));
        label->setWordWrap(true);
        return label;
    }
    case WindowKind::Trackbar:
        return MakeTrackbar(hwnd, style, parent);
    default:
        return MakeButton(hwnd, kind, text, parent);
    }
}

class QtControls final : public backend::Controls {
public:
    backend::FontMeasure MeasureFont(const backend::DialogFont& font) override
    {
        if (!IsOpen())
            return backend::FontMeasure{};
        const QFontMetrics metrics(MapFont(font));
        return backend::FontMeasure{
            metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
            metrics.height()};
    }

    void PrepareDialog(HWND dialog, const backend::DialogFont& font, HWND owner) override
    {
        BackendWindow* b = FindBackendWindow(dialog);
        QWidget* top = TopLevelWidget(dialog);
        if (!b || !top)
            return;
        top->setFont(MapFont(font));
        if (b->client)
            b->client->installEventFilter(new InputFilter(dialog, b->client, nullptr));
        // An owned window stays above its owner.
        QWidget* ownerTop = TopLevelWidget(owner);
        if (ownerTop && ownerTop->windowHandle()) {
            top->winId();
            top->windowHandle()->setTransientParent(ownerTop->windowHandle());
        }
    }

    COLORREF FaceColour() override
    {
        if (!IsOpen())
            return RGB(0xF0, 0xF0, 0xF0);
        const QColor c = QApplication::palette().color(QPalette::Window);
        return RGB(c.red(), c.green(), c.blue());
    }

    void SetChecked(HWND hwnd, bool checked) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        if (!b)
            return;
        b->checked = checked;
        if (auto* button = qobject_cast<QAbstractButton*>(b->control))
            button->setChecked(checked);
    }

    void SetTrackbar(HWND hwnd, const backend::TrackbarShown& s) override
    {
        BackendWindow* b = FindBackendWindow(hwnd);
        auto* slider = b ? qobject_cast<QSlider*>(b->control) : nullptr;
        if (!slider)
            return;
        slider->setRange(s.minimum, std::max(s.minimum, s.maximum));
        slider->setSingleStep(s.lineSize);
        slider->setPageStep(s.pageSize);
        slider->setValue(s.position);
    }

    bool KeyWasDown(int vk) override
    {
        switch (vk) {
        case VK_SHIFT:
            return lastModifiers() & Qt::ShiftModifier;
        case VK_CONTROL:
            return lastModifiers() & Qt::ControlModifier;
        case VK_MENU:
            return lastModifiers() & Qt::AltModifier;
        default:
            return false;
        }
    }
};

} // namespace

QWidget* MakeControl(HWND hwnd, WindowKind kind, const QString& text, DWORD style, QWidget* container)
{
    container->setAttribute(Qt::WA_OpaquePaintEvent, false);
    // The platform stacks a dialog's controls in the order they are made: the first on top.
    container->lower();
    QWidget* control = MakeControlWidget(hwnd, kind, text, style, container);
    control->setGeometry(container->rect());
    if (control->focusPolicy() != Qt::NoFocus)
        container->setFocusProxy(control);
    else
        container->setFocusPolicy(Qt::NoFocus);
    // A group box lets the clicks through to the controls it surrounds.
    if (kind == WindowKind::GroupBox) {
        container->setAttribute(Qt::WA_TransparentForMouseEvents);
        control->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    auto* filter = new InputFilter(hwnd, container, control);
    container->installEventFilter(filter);
    control->installEventFilter(filter);
    Name(control, "control", hwnd);
    control->show();
    return control;
}

void SetControlText(QWidget* control, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(control))
        box->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
}

backend::Controls& Controls()
{
    static QtControls controls;
    return controls;
}

} // namespace platform::qt
