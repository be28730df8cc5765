// tilecrest-server: the game server without a window. One log line per
// event on stdout; SIGINT and SIGTERM stop it cleanly.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include "game/ComputerPlayer.h"
#include "game/Lcg.h"
#include "net/Version.h"
#include "server/ServerHost.h"

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const auto n = ::write(signalPipe[1], &byte, 1);
}

void printLine(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

bool parseNumber(const QString& text, quint64 max, quint64& out) {
    bool ok = false;
    out = text.toULongLong(&ok, 10);
    return ok && out <= max;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tilecrest-server"));
    QCoreApplication::setApplicationVersion(QLatin1String(tc::net::kFullVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tilecrest %1 game server without a window.").arg(QLatin1String(tc::net::kFullVersion)));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOpt(QStringLiteral("port"), QStringLiteral("TCP port (default 7772)."),
                                     QStringLiteral("N"), QStringLiteral("7772"));
    const QCommandLineOption bindOpt(QStringLiteral("bind"), QStringLiteral("Address to listen on (default all)."),
                                     QStringLiteral("ADDR"));
    const QCommandLineOption seedOpt(QStringLiteral("seed"),
                                     QStringLiteral("Fixed seed of the dice (default: the time of day)."),
                                     QStringLiteral("N"));
    const QCommandLineOption pauseOpt(QStringLiteral("pause-ms"),
                                      QStringLiteral("Length of one pause tick in ms (default 1000)."),
                                      QStringLiteral("N"), QStringLiteral("1000"));
    const QCommandLineOption rudiOpt(QStringLiteral("rudi"),
                                     QStringLiteral("The computer player: classic (the fixed table, default) or "
                                                    "expert (the best play)."),
                                     QStringLiteral("classic|expert"), QStringLiteral("classic"));
    parser.addOptions({portOpt, bindOpt, seedOpt, pauseOpt, rudiOpt});
    parser.process(app);

    auto fail = [](const QString& text) {
        std::fprintf(stderr, "tilecrest-server: %s\n", text.toUtf8().constData());
        return 1;
    };

    const auto rudi = tc::game::parseRudi(parser.value(rudiOpt).toStdString());
    if (!rudi) {
        std::fprintf(stderr, "tilecrest-server: invalid --rudi: %s (classic or expert)\n\n%s",
                     parser.value(rudiOpt).toUtf8().constData(), parser.helpText().toUtf8().constData());
        return 2;
    }

    quint64 port = 0, pauseMs = 0, seed = 0;
    if (!parseNumber(parser.value(portOpt), 65535, port)) return fail(QStringLiteral("invalid --port"));
    if (!parseNumber(parser.value(pauseOpt), 3600000, pauseMs) || pauseMs == 0)
        return fail(QStringLiteral("invalid --pause-ms (1..3600000)"));
    QHostAddress address(QHostAddress::Any);
    if (parser.isSet(bindOpt) && !address.setAddress(parser.value(bindOpt)))
        return fail(QStringLiteral("invalid --bind address: %1").arg(parser.value(bindOpt)));
    if (parser.isSet(seedOpt)) {
        if (!parseNumber(parser.value(seedOpt), 0xFFFFFFFFull, seed))
            return fail(QStringLiteral("invalid --seed (0..4294967295)"));
    } else {
        seed = tc::game::Lcg::seedFromClock();
    }

    tc::game::Lcg rng(static_cast<std::uint32_t>(seed));
    tc::server::ServerHost host(rng);
    host.setPauseMs(static_cast<int>(pauseMs));
    host.setRudi(*rudi);
    QObject::connect(&host, &tc::server::ServerHost::logLine, &app, printLine);

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return fail(QStringLiteral("socketpair failed"));
    QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&] {
        char byte;
        [[maybe_unused]] const auto n = ::read(signalPipe[0], &byte, 1);
        printLine(QStringLiteral("stopping"));
        app.quit();
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    // Only now: whoever waits for this line may signal us at once.
    QString error;
    if (!host.listen(address, static_cast<quint16>(port), &error)) return fail(error);
    printLine(QStringLiteral("listening on %1 port %2, seed %3, pause %4 ms, rudi %5")
                  .arg(address.toString())
                  .arg(host.serverPort())
                  .arg(seed)
                  .arg(pauseMs)
                  .arg(QLatin1String(tc::game::rudiName(*rudi))));

    return app.exec();
}
