// tilecrest-server: the game server without a window. One log line per
// event on stdout; SIGINT and SIGTERM stop it cleanly.
#include <QCoreApplication>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>
#include <sys/socket.h>
#include <unistd.h>

#include "Translations.h"
#include "discovery/Announcer.h"
#include "game/ComputerPlayer.h"
#include "game/Lcg.h"
#include "net/CommandLine.h"
#include "net/Text.h"
#include "net/Version.h"
#include "portmap/AddressKind.h"
#include "portmap/LeaseSchedule.h"
#include "portmap/MappingSwitch.h"
#include "portmap/PortMapText.h"
#include "portmap/PortMapper.h"
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

// Shown in the desktop's language (--help and a wrong command line).
const char* const kUsage = QT_TRANSLATE_NOOP(
    "ServerMain",
    "Usage: tilecrest-server [--port N] [--bind ADDR] [--seed N] [--pause-ms N] [--login-ms N]\n"
    "                        [--hold-s N] [--rudi classic|expert] [--name NAME] [--no-announce]\n"
    "                        [--map-port] [--map-lease-s N]\n"
    "Tilecrest %1 game server without a window.\n"
    "\n"
    "  --port N       TCP port, 0..65535 (default 7772; 0 lets the system choose)\n"
    "  --bind ADDR    address to listen on (default all); the game is announced only\n"
    "                 on that address's interface and protocol\n"
    "  --seed N       fixed seed of the dice, 0..4294967295 (default: the time of day)\n"
    "  --pause-ms N   length of one pause tick, 0..3600000 ms (default 1000; 0 runs the\n"
    "                 pauses as fast as the server's events allow)\n"
    "  --login-ms N   close a connection that has not logged in after N ms, 0..3600000\n"
    "                 (default 15000; 0 never)\n"
    "  --hold-s N     keep the seat of a player whose connection drops during a game\n"
    "                 for N seconds, 0..3600 (default 120; 0 never)\n"
    "  --rudi classic|expert\n"
    "                 how the computer player chooses: classic, his fixed order (default),\n"
    "                 or expert, the best play\n"
    "  --name NAME    name the game is announced under on the local network\n"
    "                 (default: Tilecrest on this machine's host name)\n"
    "  --no-announce  do not announce the game on the local network\n"
    "  --map-port     ask the home router (NAT-PMP, then UPnP-IGD) to forward a port to\n"
    "                 the server while it runs, so players on the internet can join; the\n"
    "                 log says what the router answered\n"
    "  --map-lease-s N\n"
    "                 the lease asked of the router, 2..86400 s (default 3600), renewed\n"
    "                 at half its time\n"
    "  --help         show this text and end\n"
    "  --version      show the version and end\n"
    "\n"
    "A wrong command line is named on stderr with this text and ends with status 2;\n"
    "a port or address that cannot be used ends with status 1.\n");

// Where a server listening on `address` can be announced: Avahi's
// interface index and protocol (-1: all), or why it is not announced.
struct AnnounceWhere {
    int interfaceIndex = -1;
    int protocol = -1;
    QString notAnnounced;
};

AnnounceWhere announceWhere(const QHostAddress& address) {
    AnnounceWhere w;
    if (address == QHostAddress(QHostAddress::Any)) return w;
    const bool v6 = address.protocol() == QAbstractSocket::IPv6Protocol;
    w.protocol = v6 ? 1 : 0;  // Avahi's numbers
    if (address == QHostAddress(QHostAddress::AnyIPv4) || address == QHostAddress(QHostAddress::AnyIPv6)) return w;
    if (address.isLoopback()) {
        w.notAnnounced = QStringLiteral("%1 is reachable from this machine only").arg(address.toString());
        return w;
    }
    // Others would be given an address of another interface, or of the
    // other protocol, where nothing listens for them.
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            QHostAddress ip = entry.ip();
            ip.setScopeId(QString());
            QHostAddress bound = address;
            bound.setScopeId(QString());
            if (ip.isEqual(bound)) {
                w.interfaceIndex = iface.index();
                return w;
            }
        }
    }
    w.notAnnounced = QStringLiteral("no interface of this machine has the address %1").arg(address.toString());
    return w;
}

// Asks the router for the server's port, unless nobody outside could use
// it; every answer is one log line.
void mapPort(tc::portmap::PortMapper& router, const QHostAddress& address, quint16 port, long long lease) {
    namespace pm = tc::portmap;
    std::vector<std::string> local;
    if (address == QHostAddress(QHostAddress::Any) || address == QHostAddress(QHostAddress::AnyIPv4) ||
        address == QHostAddress(QHostAddress::AnyIPv6)) {
        for (const QHostAddress& a : QNetworkInterface::allAddresses()) local.push_back(a.toString().toStdString());
    } else {
        local.push_back(address.toString().toStdString());
    }
    if (pm::mappingSwitchedOff()) {
        printLine(QStringLiteral("router: not asked: turned off by %1").arg(QLatin1String(pm::kSwitchVariable)));
        return;
    }
    if (!pm::behindRouter(local)) {
        printLine(address.isLoopback() ? QStringLiteral("router: not asked: listening on loopback only")
                                       : QStringLiteral("router: not asked: no private address behind a router"));
        return;
    }
    auto log = [](const std::string& line) { printLine(QString::fromStdString(line)); };
    QObject::connect(&router, &pm::PortMapper::opened, &router,
                     [log](const pm::Mapping& m, bool renewal) { log(pm::logOpened(m, renewal)); });
    QObject::connect(&router, &pm::PortMapper::failed, &router,
                     [log, port](const pm::Failure& f, bool) { log(pm::logFailed(f, port)); });
    QObject::connect(&router, &pm::PortMapper::removed, &router,
                     [log](const pm::Mapping& m) { log(pm::logRemoved(m)); });
    router.setLeaseSeconds(static_cast<int>(lease));
    printLine(QStringLiteral("router: asking to open TCP port %1").arg(port));
    router.start(port);
}

std::string usage() { return tc::i18n::translateEarly("ServerMain", kUsage).arg(QLatin1String(tc::net::kFullVersion)).toStdString(); }

} // namespace

int main(int argc, char* argv[]) {
    // The command line is read before Qt sees it, so Qt's own options are
    // refused like any other unknown one; its problems are told in the
    // desktop's language.
    tc::i18n::installEarly();
    using Kind = tc::net::OptionRule::Kind;
    const std::vector<tc::net::OptionRule> rules = {
        {"--port", Kind::Number, 0, 65535},          {"--bind", Kind::Text},
        {"--seed", Kind::Number, 0, 0xFFFFFFFFll},   {"--pause-ms", Kind::Number, 0, 3600000},
        {"--login-ms", Kind::Number, 0, 3600000},    {"--hold-s", Kind::Number, 0, 3600},
        {"--rudi", Kind::Text},
        {"--help", Kind::Flag},                      {"--version", Kind::Flag},
        {"--name", Kind::Text},                      {"--no-announce", Kind::Flag},
        {"--map-port", Kind::Flag},                  {"--map-lease-s", Kind::Number, 2, 86400},
    };
    const tc::net::CommandLine cl = tc::net::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), rules);
    std::string wrong = cl.error;
    using tc::net::fillText;
    using tc::net::translate;
    if (wrong.empty() && !cl.words.empty())
        wrong = fillText(translate("ServerMain", "unexpected word \"%1\""), {cl.words.front()});
    QHostAddress address(QHostAddress::Any);
    if (wrong.empty() && cl.has("--bind") && !address.setAddress(QString::fromStdString(cl.text("--bind", ""))))
        wrong = fillText(translate("ServerMain", "--bind needs an IP address, not \"%1\""), {cl.text("--bind", "")});
    const auto rudi = tc::game::parseRudi(cl.text("--rudi", "classic"));
    if (wrong.empty() && !rudi)
        wrong = fillText(translate("ServerMain", "--rudi needs classic or expert, not \"%1\""), {cl.text("--rudi", "")});
    if (!wrong.empty()) return tc::net::refuseCommandLine("tilecrest-server", wrong, usage());
    if (cl.has("--help") || cl.has("--version")) {
        std::fputs(cl.has("--help") ? usage().c_str()
                                    : (std::string("tilecrest-server ") + tc::net::kFullVersion + "\n").c_str(),
                   stdout);
        return 0;
    }
    // From here on every line is the log's, which stays in English.
    tc::net::setTextHooks({});

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tilecrest-server"));
    QCoreApplication::setApplicationVersion(QLatin1String(tc::net::kFullVersion));

    auto fail = [](const QString& text) {
        std::fprintf(stderr, "tilecrest-server: %s\n", text.toUtf8().constData());
        return 1;
    };

    const auto port = static_cast<quint64>(cl.number("--port", 7772));
    const auto pauseMs = static_cast<quint64>(cl.number("--pause-ms", 1000));
    const auto loginMs = static_cast<std::int64_t>(cl.number("--login-ms", 15000));
    const auto seed = cl.has("--seed") ? static_cast<quint64>(cl.number("--seed", 0)) : tc::game::Lcg::seedFromClock();

    tc::game::Lcg rng(static_cast<std::uint32_t>(seed));
    tc::server::ServerHost host(rng);
    host.setPauseMs(static_cast<int>(pauseMs));
    host.setLoginTimeoutMs(loginMs);
    host.setHoldMs(cl.number("--hold-s", tc::server::kHoldMs / 1000) * 1000);
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
    // Why the port cannot be used is told in the desktop's language, the
    // system's reason too (Qt's catalogue); the log stays English.
    tc::i18n::install(QString());
    QString error;
    const bool listening = host.listen(address, static_cast<quint16>(port), &error);
    tc::i18n::install(QStringLiteral("en"));
    tc::net::setTextHooks({});
    if (!listening) return fail(error);
    printLine(QStringLiteral("listening on %1 port %2, seed %3, pause %4 ms, rudi %5")
                  .arg(address.toString())
                  .arg(host.serverPort())
                  .arg(seed)
                  .arg(pauseMs)
                  .arg(QLatin1String(tc::game::rudiName(*rudi))));

    // Only a server others can reach is worth announcing, and only where
    // it listens.
    const AnnounceWhere where = announceWhere(address);
    tc::discovery::Announcer announcer;
    if (!cl.has("--no-announce") && !where.notAnnounced.isEmpty())
        printLine(QStringLiteral("not announced on the local network: %1").arg(where.notAnnounced));
    if (!cl.has("--no-announce") && where.notAnnounced.isEmpty()) {
        const QString name = cl.has("--name") ? QString::fromStdString(cl.text("--name", ""))
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
        announcer.start(name, host.serverPort(), summary(host.server().seatSummary()), where.interfaceIndex,
                        where.protocol);
    }

    tc::portmap::PortMapper router;
    if (cl.has("--map-port"))
        mapPort(router, address, host.serverPort(), cl.number("--map-lease-s", tc::portmap::kLeaseSeconds));

    const int rc = app.exec();
    announcer.stop();
    // The mapping goes before the program: the removal's log line too.
    router.stop();
    if (router.finish()) QCoreApplication::processEvents();
    return rc;
}
