// The baseline for the start-up benchmark: the least a Qt program needs to show a
// 544 by 404 window filled with one colour.
#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {
class Plain : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(0x33, 0x66, 0x99)); }
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Plain window;
    window.setWindowTitle("Minimal Qt window");
    window.resize(544, 404);
    window.show();
    return app.exec();
}
