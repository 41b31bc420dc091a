// The Qt side of dialog controls: the widget that draws a control inside its window's
// widget, which stays transparent around it.
#pragma once
#include "win32/DialogBackend.h"

#include <QPointer>
#include <QSlider>
#include <QWidget>

namespace platform::qt {

// A trackbar: a slider whose thumb the style places.
class TrackbarWidget : public QSlider {
public:
    using QSlider::QSlider;
    // Where the thumb is drawn, in the slider's coordinates.
    QRect ThumbRect() const;
};

struct ControlWidget {
    backend::ControlKind kind = backend::ControlKind::Static;
    QPointer<QWidget> widget;
    bool checked = false; // what the control window says; the toolkit's own toggling is undone
};

// The widget of a control window; nullptr when it has none.
ControlWidget* FindControlWidget(HWND control);

} // namespace platform::qt
