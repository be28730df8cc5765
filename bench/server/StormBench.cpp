// Connection storm benchmark: rounds of 800 simultaneous connections to the
// real tilecrest-server on loopback, each sending 200 bytes and closing.
// Reports the server's resident memory (VmRSS) at the start, after the first
// round and every tenth, and how far it moved after the first round.
//
//   storm_bench [ROUNDS] [--spread] [--full] [--server PATH]
//
// ROUNDS defaults to 100. --spread: each connection of a round from its own
// address of the loopback network (127.1.x.y), as from 800 machines, instead
// of all from 127.0.0.1. --full: nine players log in first, so that every
// connection of the storm is told the table is full. --server: another
// build of the server to measure (default: the one built beside this).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

#include "ServerRun.h"

namespace {

using tc::bench::spin;

constexpr int kConnections = 800;
constexpr int kPayload = 200;

// One round: opens every connection at once (non-blocking), sends 200 bytes
// on each once it is up, then closes them all. Returns how many connected.
int storm(quint16 port, bool spread, int round) {
    std::vector<int> fds;
    fds.reserve(kConnections);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < kConnections; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) break;
        if (spread) {
            // 127.1.0.0/16 is loopback too; a new address for every
            // connection of the run, so none is ever seen twice.
            const int n = round * kConnections + i;
            sockaddr_in from{};
            from.sin_family = AF_INET;
            from.sin_addr.s_addr = htonl((127u << 24) | (1u << 16) | static_cast<unsigned>(n % 65000 + 1));
            ::bind(fd, reinterpret_cast<const sockaddr*>(&from), sizeof from);
        }
        ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        fds.push_back(fd);
    }
    const std::string payload(kPayload, 'x');
    std::vector<pollfd> waiting;
    for (int fd : fds) waiting.push_back({fd, POLLOUT, 0});
    int connected = 0;
    QElapsedTimer t;
    t.start();
    while (!waiting.empty() && t.elapsed() < 5000) {
        if (::poll(waiting.data(), waiting.size(), 50) <= 0) continue;
        std::vector<pollfd> still;
        for (const pollfd& p : waiting) {
            if (p.revents == 0) {
                still.push_back(p);
                continue;
            }
            int err = 0;
            socklen_t len = sizeof err;
            ::getsockopt(p.fd, SOL_SOCKET, SO_ERROR, &err, &len);
            if (err == 0 && (p.revents & POLLOUT)) {
                ++connected;
                [[maybe_unused]] const auto n = ::send(p.fd, payload.data(), payload.size(), MSG_NOSIGNAL);
            }
        }
        waiting.swap(still);
    }
    for (int fd : fds) ::close(fd);
    return connected;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int rounds = 100;
    bool spread = false;
    bool full = false;
    QString binary = QStringLiteral(TILECREST_SERVER_BINARY);
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--spread") spread = true;
        else if (a == "--full") full = true;
        else if (a == "--server" && i + 1 < argc) binary = QString::fromLocal8Bit(argv[++i]);
        else rounds = std::max(1, std::atoi(argv[i]));
    }
    // 800 at once and the server's nine: more than the usual 1024 descriptors
    // may be needed while the last round's closes drain.
    rlimit nofile{};
    if (::getrlimit(RLIMIT_NOFILE, &nofile) == 0 && nofile.rlim_cur < 4096) {
        nofile.rlim_cur = std::min<rlim_t>(4096, nofile.rlim_max);
        ::setrlimit(RLIMIT_NOFILE, &nofile);
    }

    long logLines = 0;
    tc::bench::ServerRun server([&](const QByteArray&) { ++logLines; });
    const quint16 port = server.start(binary, {"--seed", "1", "--no-announce"});
    if (port == 0) {
        std::fprintf(stderr, "storm_bench: the server did not start\n");
        return 1;
    }
    std::vector<std::unique_ptr<QTcpSocket>> players;
    if (full) {
        for (int slot = 1; slot <= 9; ++slot) {
            auto s = std::make_unique<QTcpSocket>();
            s->connectToHost(QHostAddress(QHostAddress::LocalHost), port);
            QByteArray got;
            const QByteArray want = "CMD_sendlogininfo+" + QByteArray::number(slot) + '\xFF';
            if (!spin([&] { got += s->readAll(); return got.contains(want); }, 10000)) {
                std::fprintf(stderr, "storm_bench: player %d got no slot\n", slot);
                return 1;
            }
            s->write("CMD_logininfo+" + QByteArray::number(slot) + "+1.0.3+P" + QByteArray::number(slot) + '\xFF');
            s->flush();
            players.push_back(std::move(s));
            spin([] { return false; }, 20);
        }
        // The players read what comes, so none of them is closed for not reading.
        for (auto& s : players) QObject::connect(s.get(), &QTcpSocket::readyRead, s.get(), [p = s.get()] { p->readAll(); });
    }
    spin([] { return false; }, 500);
    const long start = server.rssKiB();
    long afterFirst = 0, low = 0, high = 0;
    std::vector<std::pair<int, long>> samples;
    int fewestConnected = kConnections;
    for (int r = 1; r <= rounds; ++r) {
        fewestConnected = std::min(fewestConnected, storm(port, spread, r - 1));
        // The server's closes and the log drain before the next round.
        spin([] { return false; }, 200);
        const long rss = server.rssKiB();
        if (r == 1) afterFirst = low = high = rss;
        low = std::min(low, rss);
        high = std::max(high, rss);
        if (r == 1 || r % 10 == 0) samples.emplace_back(r, rss);
    }
    spin([] { return false; }, 1000);
    const long end = server.rssKiB();
    bool playersStayed = true;
    for (auto& s : players) playersStayed = playersStayed && s->state() == QAbstractSocket::ConnectedState;

    std::printf("storm_bench: %d rounds of %d connections, %d bytes each, then closed; from %s; table %s\n", rounds,
                kConnections, kPayload, spread ? "a new loopback address each" : "127.0.0.1",
                full ? "full (nine logged in)" : "empty");
    std::printf("  connected in every round           at least %d of %d\n", fewestConnected, kConnections);
    std::printf("  server RSS at start                %ld KiB\n", start);
    std::printf("  after round 1                      %ld KiB\n", afterFirst);
    for (const auto& [r, rss] : samples)
        if (r != 1) std::printf("  after round %-3d                    %ld KiB\n", r, rss);
    std::printf("  1 s after the last                 %ld KiB\n", end);
    std::printf("  most above round 1 (goal <= 1024)  %ld KiB (lowest %ld, highest %ld)\n", high - afterFirst, low, high);
    std::printf("  server log lines                   %ld\n", logLines);
    if (full) std::printf("  nine players                       %s\n", playersStayed ? "all still connected" : "some lost");
    return 0;
}
