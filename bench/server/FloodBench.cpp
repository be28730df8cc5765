// Flood benchmark: the real tilecrest-server on 127.0.0.1 with nine
// connections. One floods chat lines as fast as its socket takes them, one
// logs in and never reads again, seven read; one of the seven times a chat
// line of its own every 500 ms. Reports what the honest players lost, the
// round trip of the timed lines, how much of the flood was relayed, and
// the server's resident memory before and after.
//
//   flood_bench [SECONDS]   (default 10)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ServerRun.h"
#include "net/LineFramer.h"

namespace {

using tc::bench::spin;

constexpr int kConnections = 9;
constexpr int kTimerSlot = 2;
constexpr int kSilentSlot = 8;
constexpr int kFloodSlot = 9;
constexpr int kBatch = 500;  // flood lines written at a time

struct Peer {
    int slot = 0;
    QTcpSocket socket;
    tc::net::LineFramer framer;
    bool reading = true;
    bool closed = false;
    long lines = 0;
    long floodLines = 0;  // relays of the flooder's lines received
    long pings = 0;       // relays of the timed lines received
    std::vector<std::string> recent;  // lines not yet looked at by the waiting code
};

double percentile(std::vector<double> v, double q) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5)];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    std::vector<std::string> log;
    tc::bench::ServerRun server([&](const QByteArray& line) { log.push_back(line.toStdString()); });
    const quint16 port = server.start(QStringLiteral(TILECREST_SERVER_BINARY), {"--seed", "1"});
    if (port == 0) {
        std::fprintf(stderr, "flood_bench: the server did not start\n");
        return 1;
    }

    std::vector<std::unique_ptr<Peer>> peers;
    for (int slot = 1; slot <= kConnections; ++slot) {
        auto p = std::make_unique<Peer>();
        Peer* raw = p.get();
        raw->slot = slot;
        QObject::connect(&raw->socket, &QTcpSocket::readyRead, [raw] {
            if (!raw->reading) return;
            const QByteArray data = raw->socket.readAll();
            std::vector<std::string> got;
            raw->framer.feed(std::string_view(data.constData(), static_cast<std::size_t>(data.size())), got);
            for (auto& l : got) {
                ++raw->lines;
                if (l.rfind("CMD_chat+9+", 0) == 0) {
                    ++raw->floodLines;
                    continue;
                }
                if (l.rfind("CMD_chat+2+P2 chats: ping ", 0) == 0) ++raw->pings;
                raw->recent.push_back(std::move(l));
            }
        });
        QObject::connect(&raw->socket, &QTcpSocket::disconnected, [raw] { raw->closed = true; });
        raw->socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        const std::string want = "CMD_sendlogininfo+" + std::to_string(slot);
        if (!spin([&] { return std::count(raw->recent.begin(), raw->recent.end(), want) > 0; }, 10000)) {
            std::fprintf(stderr, "flood_bench: connection %d got no slot\n", slot);
            return 1;
        }
        const std::string login = "CMD_logininfo+" + std::to_string(slot) + "+1.0.3+P" + std::to_string(slot) + '\xFF';
        raw->socket.write(login.data(), static_cast<qint64>(login.size()));
        peers.push_back(std::move(p));
    }
    Peer& timer = *peers[kTimerSlot - 1];
    Peer& silent = *peers[kSilentSlot - 1];
    Peer& flooder = *peers[kFloodSlot - 1];
    if (!spin([&] { return std::count(timer.recent.begin(), timer.recent.end(), "CMD_newplayerinfo+9+P9+0") > 0; },
              10000)) {
        std::fprintf(stderr, "flood_bench: logins did not complete\n");
        return 1;
    }
    // From here on the silent peer takes nothing: Qt stops reading, the
    // kernel buffers fill and the server's queue for it grows.
    silent.reading = false;
    silent.socket.setReadBufferSize(1);
    spin([] { return false; }, 500);
    // The same round trip with nobody flooding, for comparison.
    std::vector<double> quietMs;
    for (int i = 0; i < 20; ++i) {
        const std::string ping = "CMD_chat+2+quiet " + std::to_string(i) + "|clBlack" + '\xFF';
        const std::string back = "CMD_chat+2+P2 chats: quiet " + std::to_string(i) + "|clBlack";
        QElapsedTimer t;
        t.start();
        timer.socket.write(ping.data(), static_cast<qint64>(ping.size()));
        spin([&] { return std::count(timer.recent.begin(), timer.recent.end(), back) > 0; }, 5000);
        quietMs.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        spin([] { return false; }, 250);  // a quarter second apart, well within the chat limit
    }
    timer.recent.clear();
    const long rssBefore = server.rssKiB();
    const std::size_t logBefore = log.size();

    // The flood, and the timed lines.
    std::string floodLine = "CMD_chat+9+" + std::string(88, 'f') + "|clBlack" + '\xFF';
    std::string batch;
    for (int i = 0; i < kBatch; ++i) batch += floodLine;
    long floodSent = 0;
    std::map<int, qint64> pingSent;  // ping number -> ns since start
    std::vector<double> rttMs;
    QElapsedTimer clock;
    clock.start();
    qint64 nextPing = 0;
    int pings = 0;
    const qint64 floodEnd = static_cast<qint64>(seconds) * 1000;
    while (clock.elapsed() < floodEnd) {
        if (!flooder.closed && flooder.socket.bytesToWrite() < 64 * 1024) {
            flooder.socket.write(batch.data(), static_cast<qint64>(batch.size()));
            floodSent += kBatch;
        }
        if (clock.elapsed() >= nextPing) {
            const std::string ping = "CMD_chat+2+ping " + std::to_string(pings) + "|clBlack" + '\xFF';
            timer.socket.write(ping.data(), static_cast<qint64>(ping.size()));
            pingSent[pings++] = clock.nsecsElapsed();
            nextPing += 500;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        for (auto& l : timer.recent) {
            const std::string prefix = "CMD_chat+2+P2 chats: ping ";
            if (l.rfind(prefix, 0) != 0) continue;
            const int n = std::atoi(l.c_str() + prefix.size());
            const auto it = pingSent.find(n);
            if (it == pingSent.end()) continue;
            rttMs.push_back(static_cast<double>(clock.nsecsElapsed() - it->second) / 1e6);
            pingSent.erase(it);
        }
        timer.recent.clear();
    }
    // Late answers still count, up to five seconds after the flood.
    spin(
        [&] {
            for (auto& l : timer.recent) {
                const std::string prefix = "CMD_chat+2+P2 chats: ping ";
                if (l.rfind(prefix, 0) != 0) continue;
                const auto it = pingSent.find(std::atoi(l.c_str() + prefix.size()));
                if (it == pingSent.end()) continue;
                rttMs.push_back(static_cast<double>(clock.nsecsElapsed() - it->second) / 1e6);
                pingSent.erase(it);
            }
            timer.recent.clear();
            return pingSent.empty();
        },
        5000);
    spin([] { return false; }, 1000);
    const long rssAfter = server.rssKiB();

    int honestLost = 0;
    long fewestPings = pings;
    for (const auto& p : peers) {
        if (p->slot == kSilentSlot || p->slot == kFloodSlot) continue;
        if (p->closed) ++honestLost;
        fewestPings = std::min(fewestPings, p->pings);
    }
    long relayed = peers[0]->floodLines;
    std::printf("flood_bench: %d s flood, 9 loopback connections to tilecrest-server\n", seconds);
    std::printf("  flood lines sent                 %ld (%.0f lines/s, %zu bytes each)\n", floodSent,
                static_cast<double>(floodSent) / seconds, floodLine.size());
    std::printf("  flood lines relayed (to slot 1)  %ld (%.3f%% of those sent)\n", relayed,
                floodSent ? 100.0 * static_cast<double>(relayed) / static_cast<double>(floodSent) : 0.0);
    std::printf("  honest connections lost          %d of 7\n", honestLost);
    std::printf("  silent connection                %s\n", silent.closed ? "closed" : "still connected");
    std::printf("  flooding connection              %s\n", flooder.closed ? "closed" : "still connected");
    std::printf("  timed lines answered             %zu of %d\n", rttMs.size(), pings);
    std::printf("  timed lines relayed to every honest reader  %ld of %d\n", fewestPings, pings);
    std::printf("  round trip p50 / p99 / max       %.2f / %.2f / %.2f ms\n", percentile(rttMs, 0.5),
                percentile(rttMs, 0.99), rttMs.empty() ? -1.0 : *std::max_element(rttMs.begin(), rttMs.end()));
    std::printf("  same, before the flood           %.2f / %.2f / %.2f ms\n", percentile(quietMs, 0.5),
                percentile(quietMs, 0.99), *std::max_element(quietMs.begin(), quietMs.end()));
    std::printf("  server RSS before / after        %ld / %ld KiB\n", rssBefore, rssAfter);
    std::printf("  server log during the flood:\n");
    for (std::size_t i = logBefore; i < log.size(); ++i) std::printf("    %s\n", log[i].c_str());

    return honestLost == 0 ? 0 : 2;
}
