#include "testing/UserAnswers.h"

#include "win32/WindowEvents.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace platform::testing {
namespace {

// The shown box that no answer has been planned for yet.
QMessageBox* NewestBox()
{
    constexpr char kPlanned[] = "answerPlanned";
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box && box->isVisible() && !box->property(kPlanned).toBool()) {
            box->setProperty(kPlanned, true);
            return box;
        }
    }
    return nullptr;
}

} // namespace

void AnswerNewestBoxWhenActive()
{
    QPointer<QMessageBox> box = NewestBox();
    if (!box)
        return;
    constexpr int kTickMs = 10;
    constexpr int kPatienceTicks = 200;
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, box, ticks = 0, seen = false]() mutable {
        const bool active = box && box->isActiveWindow() && win32::ApplicationActive();
        // One more round of the loop once the activation has been passed on.
        if (active && !seen) {
            seen = true;
            return;
        }
        if (box && !active && ++ticks < kPatienceTicks)
            return;
        timer->stop();
        timer->deleteLater();
        if (!box)
            return;
        if (QPushButton* button = box->defaultButton())
            button->click();
    });
    timer->start(kTickMs);
}

} // namespace platform::testing
