// tilecrest-server on the namespace's network: announced with its record,
// kept current, withdrawn when it stops; never with --no-announce.
#include <QTcpSocket>
#include <csignal>

#include "NetnsSupport.h"
#include "ServerProcess.h"

namespace tc::discovery::test {
namespace {

TEST(ServerAnnounce, AppearsWithItsRecordFollowsALoginAndGoesWhenStopped) {
    REQUIRE_NETNS();
    const quint16 port = freePort();
    ServerProcess server({"--port", QString::number(port), "--name", "Ann's table"});
    ASSERT_TRUE(server.waitForLine("listening on")) << server.output.constData();

    // Within a few seconds, on its port, with the full record.
    EXPECT_TRUE(browseUntil([&](const auto& list) {
        const auto s = find(list, "Ann's table");
        return s && s->port == port && s->address == "127.0.0.1" && s->has("txtvers=1") &&
               s->has("version=1.0.3") && s->has("players=0") && s->has("free=6") && s->has("game=waiting");
    }, 5000)) << server.output.constData();
    EXPECT_TRUE(server.waitForLine("announced as \"Ann's table\" on the local network"));

    // A player takes seat 1: one more player, one seat fewer.
    QTcpSocket player;
    player.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(player.waitForConnected(5000));
    QByteArray got;
    while (!got.contains('\xFF') && player.waitForReadyRead(5000)) got += player.readAll();
    ASSERT_EQ(got, QByteArray("CMD_sendlogininfo+1\xFF"));
    player.write("CMD_logininfo+1+1.0.3+Bob\xFF");
    player.flush();
    EXPECT_TRUE(browseUntil([&](const auto& list) {
        const auto s = find(list, "Ann's table");
        return s && s->has("players=1") && s->has("free=5");
    })) << server.output.constData();
    // The record holds each key once.
    const auto now = find(browse(), "Ann's table");
    ASSERT_TRUE(now);
    EXPECT_EQ(now->txt.size(), 5);

    server.stop();
    EXPECT_TRUE(browseUntil([&](const auto& list) { return !find(list, "Ann's table"); }));
}

TEST(ServerAnnounce, NoAnnounceOrALoopbackBindIsNeverSeenBesideOneThatIs) {
    REQUIRE_NETNS();
    const quint16 quietPort = freePort();
    ServerProcess quiet({"--port", QString::number(quietPort), "--name", "Quiet", "--no-announce"});
    ASSERT_TRUE(quiet.waitForLine("listening on"));
    // Listening on loopback only, it has nothing to offer the network.
    const quint16 localPort = freePort();
    ServerProcess local({"--port", QString::number(localPort), "--name", "Local", "--bind", "127.0.0.1"});
    ASSERT_TRUE(local.waitForLine("listening on"));
    const quint16 port = freePort();
    ServerProcess loud({"--port", QString::number(port), "--name", "Loud"});
    ASSERT_TRUE(loud.waitForLine("listening on"));
    // Once the announced one is there, the other would be too.
    ASSERT_TRUE(browseUntil([&](const auto& list) { return find(list, "Loud").has_value(); }));
    QTest::qWait(1000);
    const auto list = browse();
    EXPECT_TRUE(find(list, "Loud"));
    for (const auto& s : list) {
        EXPECT_NE(s.port, quietPort) << s.name.toStdString();
        EXPECT_NE(s.port, localPort) << s.name.toStdString();
    }
    EXPECT_EQ(list.size(), 1u);
    EXPECT_FALSE(quiet.output.contains("announced"));
    // The log says why it is not announced.
    EXPECT_TRUE(local.waitForLine("not announced on the local network: 127.0.0.1 is reachable from this machine "
                                  "only"))
        << local.output.constData();
    EXPECT_FALSE(local.output.contains("announced as"));
}

TEST(ServerAnnounce, ANameTakenOnTheNetworkGetsAvahisAlternative) {
    REQUIRE_NETNS();
    QProcess other;
    other.start(QStringLiteral("avahi-publish"), {"-s", "Eve", "_tilecrest._tcp", "9"});
    ASSERT_TRUE(other.waitForStarted(5000));
    ASSERT_TRUE(browseUntil([&](const auto& list) { return find(list, "Eve").has_value(); }));

    const quint16 port = freePort();
    ServerProcess server({"--port", QString::number(port), "--name", "Eve"});
    EXPECT_TRUE(browseUntil([&](const auto& list) {
        const auto s = find(list, "Eve #2");
        return s && s->port == port && s->has("free=6");
    })) << server.output.constData();
    EXPECT_TRUE(server.waitForLine("announced as \"Eve #2\""));
    other.terminate();
    other.waitForFinished(5000);
}

} // namespace
} // namespace tc::discovery::test
