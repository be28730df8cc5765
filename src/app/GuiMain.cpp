// tilecrest: the game. Only one copy runs per user; it creates its windows
// and, as the command line says, hosts a game (solo without parameters) or
// joins one.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QTime>

#include "app/ApplicationIdentity.h"
#include "app/SingleInstance.h"
#include "client/MainGame.h"
#include "client/MainOptions.h"
#include "client/MainWindow.h"
#include "game/Lcg.h"
#include "net/CommandLine.h"
#include "net/Version.h"

namespace {

// Without a session runtime folder (a bare X server, a login over ssh) Qt
// warns on the console and picks /tmp/runtime-<user> itself; make the same
// private folder ahead of it so the player sees no noise.
void ensureRuntimeDir() {
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir) return;
    const std::string dir = "/tmp/runtime-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    struct stat st {};
    if (stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid()) {
        chmod(dir.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    // A wrong command line, --help and --version answer before anything
    // needs a display, claims the single-instance name or opens a port.
    // The words are read here once; Qt's own options are not taken.
    QStringList rawArgs;
    for (int i = 1; i < argc; ++i) rawArgs << QString::fromLocal8Bit(argv[i]);
    const tc::client::MainOptions options = tc::client::parseMainOptions(rawArgs);
    if (!options.error.empty())
        return tc::net::refuseCommandLine("tilecrest", options.error, tc::client::mainUsage().toStdString());
    if (options.help || options.version) {
        const QString text = options.help ? tc::client::mainUsage()
                                        : QStringLiteral("tilecrest %1\n").arg(QLatin1String(tc::net::kFullVersion));
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }

    ensureRuntimeDir();
    QApplication app(argc, argv);

    tc::app::SingleInstance instance(tc::app::SingleInstance::defaultKey());
    if (!instance.claim()) return 0;

    tc::app::ApplicationIdentity::apply();
    // The main window ends the program, even while a side window is open.
    QApplication::setQuitOnLastWindowClosed(false);

    tc::client::MainGame game(tc::game::Lcg::seedFromClock());
    QObject::connect(&game.window(), &tc::client::MainWindow::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&instance, &tc::app::SingleInstance::raiseRequested, &game.window(),
                     &tc::client::MainWindow::bringToFront);

    game.start(options);
    return QApplication::exec();
}
