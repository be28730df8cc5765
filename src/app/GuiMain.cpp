// tilecrest: the game. Only one copy runs per user; it creates its windows
// and, as the command line says, hosts a game (solo without parameters) or
// joins one.
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QSocketNotifier>
#include <QTime>

#include "app/ApplicationIdentity.h"
#include "app/SingleInstance.h"
#include "Translations.h"
#include "client/MainGame.h"
#include "client/MainOptions.h"
#include "client/MainWindow.h"
#include "game/Lcg.h"
#include "net/CommandLine.h"
#include "net/Text.h"
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

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM (a logout, a service manager) and SIGINT close the main window
// as its Exit item does, so the tally and a moved window are kept.
void closeOnSignals(QWidget& window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte;
        [[maybe_unused]] const auto n = ::read(signalPipe[0], &byte, 1);
        window.close();
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

}  // namespace

int main(int argc, char* argv[]) {
    // A wrong command line, --help and --version answer before anything
    // needs a display, claims the single-instance name or opens a port.
    // The words are read here once; Qt's own options are not taken. What is
    // wrong with them is told in the desktop's language.
    tc::i18n::installEarly();
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

    if (!options.ignored.empty()) {
        // A lobby may pass more than the three words; say what was left.
        std::string words = tc::net::translate("GuiMain", "ignored the words after the third:");
        for (const auto& w : options.ignored) words += " \"" + w + "\"";
        std::fprintf(stderr, "tilecrest: %s\n", words.c_str());
    }

    ensureRuntimeDir();
    // Every word was ours to read: Qt takes none of them as its own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    tc::app::SingleInstance instance(tc::app::SingleInstance::defaultKey());
    if (!instance.claim()) return 0;

    tc::app::ApplicationIdentity::apply(false);
    // The main window ends the program, even while a side window is open.
    QApplication::setQuitOnLastWindowClosed(false);

    // The window is on the screen first; the table, the side windows and
    // the server are made while it is mapped, before it is first painted.
    tc::client::MainGame game(tc::game::Lcg::seedFromClock(), true);
    tc::app::ApplicationIdentity::applyIcon();
    QObject::connect(&game.window(), &tc::client::MainWindow::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&instance, &tc::app::SingleInstance::raiseRequested, &game.window(),
                     &tc::client::MainWindow::bringToFront);

    closeOnSignals(game.window());
    game.start(options);
    return QApplication::exec();
}
