// screen_grab FILE: the whole screen of $DISPLAY in device pixels, as PPM
// (or PNG, by the name's ending), for the pixel checks of the real program's
// windows (text_ink.py).
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    QGuiApplication app(argc, argv);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString path = QString::fromLocal8Bit(argv[1]);
    return shot.save(path, path.endsWith(QLatin1String(".png")) ? "PNG" : "PPM") ? 0 : 1;
}
