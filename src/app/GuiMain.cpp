// tilecrest: the game. Only one copy runs per user; it creates its windows
// and, as the command line says, hosts a game (solo without parameters) or
// joins one.
#include <QApplication>
#include <QTime>

#include "app/SingleInstance.h"
#include "client/MainGame.h"
#include "client/MainOptions.h"
#include "client/MainWindow.h"
#include "game/Lcg.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    tc::app::SingleInstance instance(tc::app::SingleInstance::defaultKey());
    if (!instance.claim()) return 0;

    QApplication::setApplicationName(QStringLiteral("Tilecrest"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tilecrest"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
    // The main window ends the program, even while a side window is open.
    QApplication::setQuitOnLastWindowClosed(false);

    tc::client::MainGame game(tc::game::Lcg::seedFromClock());
    QObject::connect(&game.window(), &tc::client::MainWindow::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&instance, &tc::app::SingleInstance::raiseRequested, &game.window(),
                     &tc::client::MainWindow::bringToFront);

    QStringList args = QApplication::arguments();
    args.removeFirst();
    game.start(tc::client::parseMainOptions(args));
    return QApplication::exec();
}
