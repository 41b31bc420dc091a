// The baseline for the start-up and processor-time benchmarks: the least a Qt program
// needs to show a frame window like the game's, a three-entry menu bar over a 544 by 404
// client area filled with one colour, repainted at the screen's refresh rate as the game
// repaints its board.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cmath>

namespace {
class Plain : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(0x33, 0x66, 0x99)); }
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Minimal Qt window");
    window.menuBar()->addMenu("&Game")->addAction("E&xit", &app, &QApplication::quit);
    window.menuBar()->addAction("S&tart");
    window.menuBar()->addMenu("&Help")->addAction("&About");
    auto* client = new Plain;
    client->setFixedSize(544, 404);
    window.setCentralWidget(client);
    window.show();

    const qreal hz = window.screen() && window.screen()->refreshRate() > 0 ? window.screen()->refreshRate() : 60.0;
    QTimer frames;
    frames.setTimerType(Qt::PreciseTimer);
    frames.setInterval(static_cast<int>(std::lround(1000.0 / hz)));
    QObject::connect(&frames, &QTimer::timeout, client, qOverload<>(&QWidget::update));
    frames.start();
    return app.exec();
}
