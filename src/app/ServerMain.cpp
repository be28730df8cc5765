// tilecrest-server: the game server without a window. One log line per
// event on stdout; SIGINT and SIGTERM stop it cleanly.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <QHostInfo>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include "discovery/Announcer.h"
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
    const QCommandLineOption noAnnounceOpt(QStringLiteral("no-announce"),
                                           QStringLiteral("Do not announce the game on the local network."));
    const QCommandLineOption nameOpt(QStringLiteral("name"),
                                     QStringLiteral("Name the game is announced under (default: Tilecrest on "
                                                    "this machine's name)."),
                                     QStringLiteral("NAME"));
    parser.addOptions({portOpt, bindOpt, seedOpt, pauseOpt, noAnnounceOpt, nameOpt});
    parser.process(app);

    auto fail = [](const QString& text) {
        std::fprintf(stderr, "tilecrest-server: %s\n", text.toUtf8().constData());
        return 1;
    };

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
    printLine(QStringLiteral("listening on %1 port %2, seed %3, pause %4 ms")
                  .arg(address.toString())
                  .arg(host.serverPort())
                  .arg(seed)
                  .arg(pauseMs));

    // Only a server others can reach is worth announcing.
    const bool loopbackOnly = address.isLoopback();
    tc::discovery::Announcer announcer;
    if (!parser.isSet(noAnnounceOpt) && !loopbackOnly) {
        const QString name = parser.isSet(nameOpt)
                                 ? parser.value(nameOpt)
                                 : QStringLiteral("Tilecrest on %1").arg(QHostInfo::localHostName());
        auto summary = [](const tc::server::SeatSummary& s) {
            return tc::discovery::GameAnnouncement{tc::net::kProtocolVersion, s.seated, s.freeSeats, s.running};
        };
        QObject::connect(&host, &tc::server::ServerHost::seatsChanged, &announcer,
                         [&](const tc::server::SeatSummary& s) { announcer.update(summary(s)); });
        QObject::connect(&announcer, &tc::discovery::Announcer::stateChanged, &app,
                         [&](tc::discovery::Announcer::State state) {
                             using State = tc::discovery::Announcer::State;
                             if (state == State::Established)
                                 printLine(QStringLiteral("announced as \"%1\" on the local network")
                                               .arg(announcer.name()));
                             else if (state == State::Unavailable)
                                 printLine(QStringLiteral("not announced on the local network: %1")
                                               .arg(announcer.error()));
                         });
        announcer.start(name, host.serverPort(), summary(host.server().seatSummary()));
    }

    const int rc = app.exec();
    announcer.stop();
    return rc;
}
