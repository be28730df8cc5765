// A peer that goes silent without a FIN or RST, as when its machine
// vanishes: the real server host and the client's socket over 127.0.0.1
// inside a network namespace of this process's own, whose loopback is
// then taken down, so every packet between them is lost. Keepalive must
// end both ends in about 35 s; without it neither would ever notice.
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

#include "client/ClientSocket.h"
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
