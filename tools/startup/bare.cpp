// The yardstick for the game's start-up time: a bare Qt Widgets window with a menu bar, nothing
// else. tools/startup-time.sh starts it and the game side by side.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Exit"), &window, &QWidget::close);
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("About"));
    window.resize(783, 512);
    window.show();
    return app.exec();
}
