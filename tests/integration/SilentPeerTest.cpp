// A peer that goes silent without a FIN or RST, as when its machine
// vanishes: the real server host and the client's socket over 127.0.0.1
// inside a network namespace of this process's own, whose loopback is
// then taken down, so every packet between them is lost. Keepalive must
// end both ends in about 35 s; without it neither would ever notice.
//
// A second case drops one direction of one connection with nftables, as a
// line silent on one side only.
//
// The namespace is made by this process (unshare) and goes with it; the
// machine's own network is never touched. Without the right to make one
// the binary says so and exits 77 (skipped).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QtTest/QTest>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sched.h>

#include <QProcess>
#include <algorithm>

#include "LoopbackServer.h"
#include "client/ClientSocket.h"
#include "client/ReconnectAttempt.h"
#include "game/Lcg.h"
#include "net/LineFramer.h"
#include "server/ServerHost.h"

namespace tc::integration {
namespace {

constexpr int kWait = 15000;
// Keepalive says about 35 s; a loaded machine gets some slack.
constexpr qint64 kNoticeMs = 75000;
} // namespace

// Runs `ip ARGS` in this process's namespace; its exit status.
int ip(const char* args) {
    return std::system((std::string("PATH=\"$PATH:/usr/sbin:/sbin\" ip ") + args + " >/dev/null 2>&1").c_str());
}

namespace {

// A seated player on the client's own socket: logs in at its slot and
// acknowledges its seat key, as the game program does.
struct Player : QObject {
    Player(quint16 port, std::string name) : name_(std::move(name)) {
        connect(&sock, &client::ClientSocket::bytesReceived, this, [this](const QByteArray& b) {
            std::vector<std::string> got;
            framer_.feed(std::string_view(b.constData(), static_cast<std::size_t>(b.size())), got);
            for (const std::string& line : got) take(line);
        });
        connect(&sock, &client::ClientSocket::closed, this, [this] {
            closedAfter = clock.isValid() ? clock.elapsed() : 0;
        });
        sock.connectTo(QStringLiteral("127.0.0.1"), port);
    }
    void take(const std::string& line) {
        lines.push_back(line);
        if (line.rfind("CMD_sendlogininfo+", 0) == 0) {
            slot = line.substr(18);
            send("CMD_logininfo+" + slot + "+1.0.3+" + name_);
        } else if (line.rfind("CMD_seatkey+", 0) == 0) {
            send("CMD_keyack+" + slot + "+");
            acked = true;
        }
    }
    void send(const std::string& line) { sock.write(QByteArray::fromStdString(line + '\xFF')); }

    client::ClientSocket sock;
    std::string slot;
    bool acked = false;
    std::vector<std::string> lines;
    QElapsedTimer clock;   // started when the line goes down
    qint64 closedAfter = -1;

private:
    std::string name_;
    net::LineFramer framer_;
};

TEST(SilentPeer, TheServerKeepsTheSeatAndTheClientLetsGoWithinTheKeepaliveBound) {
    game::Lcg rng{7};
    server::ServerHost host(rng);
    std::vector<std::string> log;
    QElapsedTimer down;
    qint64 keptAfter = -1;
    QObject::connect(&host, &server::ServerHost::logLine, &host, [&](const QString& l) {
        log.push_back(l.toStdString());
        if (keptAfter < 0 && l.startsWith(QStringLiteral("keeping seat 2 (Ann)")) && down.isValid())
            keptAfter = down.elapsed();
    });
    host.setHoldMs(server::kHoldMs);  // as both programs do unless told
    QString error;
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0, &error)) << error.toStdString();

    Player bob(host.serverPort(), "Bob");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bob.acked; }, kWait)) << bob.lines.size() << " " << (bob.lines.empty() ? "" : bob.lines.back());
    Player ann(host.serverPort(), "Ann");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.acked; }, kWait));
    QTest::qWait(200);  // her acknowledgement is in before the game starts
    bob.send("CMD_startgame+Bob+10+");
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.server().gamestarted(); }, kWait));

    // The cable is pulled: nothing more arrives, nothing is refused.
    down.start();
    ann.clock.start();
    ASSERT_EQ(ip("link set lo down"), 0);

    EXPECT_TRUE(QTest::qWaitFor([&] { return keptAfter >= 0 && ann.closedAfter >= 0; }, kNoticeMs))
        << "kept after " << keptAfter << " ms, client closed after " << ann.closedAfter << " ms";
    // Not at once: only the probes going unanswered told them.
    EXPECT_GE(keptAfter, 10000);
    EXPECT_GE(ann.closedAfter, 10000);
    EXPECT_FALSE(ann.sock.isConnected());
}

// Runs `nft ARGS` in this process's namespace; its exit status.
int nft(const std::string& args) {
    return std::system(("PATH=\"$PATH:/usr/sbin:/sbin\" nft " + args + " >/dev/null 2>&1").c_str());
}

// The line goes silent on one side only: nothing the server sends reaches
// Ann any more (dropped by nftables, no FIN, no RST), while what she sends
// still arrives. Her copy notices when its data stays unacknowledged; the
// server, still hearing her retransmissions, would notice only much later.
// Her key on a new connection must take the seat from the open old one.
TEST(SilentPeer, ALineSilentOnOneSideIsTakenBackWithTheKeyBeforeTheServerNotices) {
    if (nft("list tables") != 0) GTEST_SKIP() << "nft is not available here";
    ASSERT_EQ(ip("link set lo up"), 0);  // another case of this process may have taken it down
    // In this namespace, like every child of this process.
    guitest::LoopbackServer server({"--seed", "5", "--no-announce", "--hold-s", "120"}, kWait);
    ASSERT_NE(server.port, 0) << server.log().toStdString();
    Player bob(server.port, "Bob");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bob.acked; }, kWait));
    Player ann(server.port, "Ann");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.acked; }, kWait));
    QTest::qWait(200);
    bob.send("CMD_startgame+Bob+10+");
    // A person's roll waits: nothing more comes from the server unasked.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return std::any_of(ann.lines.begin(), ann.lines.end(),
                           [](const std::string& l) { return l.rfind("CMD_placedice+", 0) == 0; });
    }, kWait));
    std::string key;
    for (const auto& l : ann.lines)
        if (l.rfind("CMD_seatkey+", 0) == 0) key = l.substr(12, 64);
    ASSERT_EQ(key.size(), 64u);
    const QByteArray log = server.log();
    const qsizetype at = log.indexOf("connect slot 2 from 127.0.0.1:");
    ASSERT_GE(at, 0) << log.toStdString();
    const int annPort = log.mid(at + 30, log.indexOf('\n', at) - at - 30).toInt();
    ASSERT_GT(annPort, 0);
    const std::string rule = "tcp sport " + std::to_string(server.port) + " tcp dport " + std::to_string(annPort);
    ASSERT_EQ(nft("add table inet silentline"), 0);
    ASSERT_EQ(nft("'add chain inet silentline out { type filter hook output priority 0 ; }'"), 0);
    ASSERT_EQ(nft("add rule inet silentline out " + rule + " drop"), 0);

    ann.clock.start();
    ann.send("CMD_keyack+2+");  // answered by nothing: only its acknowledgement, which is lost
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.closedAfter >= 0; }, kNoticeMs));
    EXPECT_GE(ann.closedAfter, 10000) << "only the unacknowledged data told her";
    EXPECT_FALSE(server.log().contains("keeping seat 2")) << "the server noticed first: " << server.log().toStdString();

    client::ReconnectAttempt back;
    bool reclaimed = false;
    QObject::connect(&back, &client::ReconnectAttempt::reclaimed, [&] { reclaimed = true; });
    back.start(QStringLiteral("127.0.0.1"), server.port, key, 120'000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reclaimed; }, kWait)) << server.log().toStdString();
    EXPECT_EQ(back.rest().rfind("CMD_yourseat+2+", 0), 0u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.log().contains("seat 2 (Ann) presented from a new connection"); },
                                kWait))
        << server.log().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return std::find(bob.lines.begin(), bob.lines.end(), "CMD_back+2+") != bob.lines.end();
    }, kWait));
    EXPECT_NE(std::find(bob.lines.begin(), bob.lines.end(), "CMD_away+2+120+"), bob.lines.end());
    EXPECT_EQ(std::find(bob.lines.begin(), bob.lines.end(), "CMD_playerdisconnected+2+Ann"), bob.lines.end());
    nft("delete table inet silentline");
}

} // namespace
} // namespace tc::integration

int main(int argc, char** argv) {
    // Before any thread exists: the whole process moves into a network
    // namespace of its own, with only its own loopback.
    if (::unshare(CLONE_NEWNET) != 0) {
        std::printf("SKIPPED: cannot make a private network namespace (%s); run as root\n", std::strerror(errno));
        return 77;
    }
    if (tc::integration::ip("link set lo up") != 0) {
        std::printf("SKIPPED: cannot bring up the namespace's loopback (is ip installed?)\n");
        return 77;
    }
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
