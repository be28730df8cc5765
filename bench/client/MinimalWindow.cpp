// minimal_window: the least a Qt 6 Widgets program does to show a window,
// at the game window's default size. The yardstick the game's start-up is
// measured against (bench/startup.sh).
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(717, 576);
    window.show();
    return QApplication::exec();
}
