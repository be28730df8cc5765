// tilecrest-server --map-port in "home" behind Debian's miniupnpd: a
// friend in "internet" joins at the router's outside address and plays;
// the mapping goes with the server; each protocol alone, none, a port
// already taken on the router, a short lease renewed, a router restarted.
#include <QRegularExpression>

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>

#include "RouterRig.h"

namespace tc::portmap::test {
namespace {

QStringList serverArgs(const QStringList& more = {}) {
    return QStringList{"--port", "7772", "--map-port", "--no-announce", "--seed", "7", "--pause-ms", "20"} + more;
}

// The external port of the server's "router: opened" line, 0 before it.
int openedPort(ServerRun& s) {
    s.waitForLine("router: opened", 0);
    static const QRegularExpression re(QStringLiteral("router: opened 11\\.22\\.33\\.1 port (\\d+) to port"));
    const auto m = re.match(QString::fromUtf8(s.output));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// Ann hosts on loopback (slot 1); Bob comes from the internet to the
// router's `port` and plays his turn.
void joinAndPlay(ServerRun& s, int port) {
    WirePlayer ann("Ann");
    ann.connectHome(7772);
    ASSERT_TRUE(waitFor([&] { return ann.slot == 1; })) << s.output.constData();
    WirePlayer bob("Bob");
    ASSERT_TRUE(bob.connectFromInternet(kOutside, static_cast<quint16>(port))) << s.output.constData();
    ASSERT_TRUE(waitFor([&] { return bob.slot == 2; })) << s.output.constData();
    EXPECT_TRUE(s.waitForLine("login slot 2 (Bob) version 1.0.3")) << s.output.constData();
    EXPECT_TRUE(s.output.contains("from 11.22.33.2")) << s.output.constData();
    ann.send("CMD_startgame+Ann+3+");
    EXPECT_TRUE(waitFor([&] { return bob.accepted >= 1; }, 30000)) << s.output.constData();
}

TEST(Router, AFriendOnTheInternetJoinsAtTheRoutersAddressAndPlaysAndTheMappingGoesWithTheServer) {
    REQUIRE_ROUTER_NETNS();
    Router router({});
    ServerRun s(serverArgs(), mappingOn());
    ASSERT_TRUE(s.waitForLine("router: opened")) << s.output.constData();
    EXPECT_TRUE(s.output.contains("router: asking to open TCP port 7772\n"));
    EXPECT_TRUE(s.output.contains("router: opened 11.22.33.1 port 7772 to port 7772 by NAT-PMP, lease 3600 s\n"))
        << s.output.constData();
    EXPECT_TRUE(routerForwards(7772)) << routerRules().toStdString();
    joinAndPlay(s, 7772);

    s.stop();  // SIGTERM
    // The mapping goes after the stop begins; a seat's leave may be logged between the two.
    const qsizetype stopping = s.output.indexOf("stopping\n");
    ASSERT_GE(stopping, 0) << s.output.constData();
    EXPECT_GT(s.output.indexOf("router: removed 11.22.33.1 port 7772\n", stopping), stopping) << s.output.constData();
    EXPECT_FALSE(routerForwards(7772)) << routerRules().toStdString();
    EXPECT_EQ(connectFrom(qEnvironmentVariable("TILECREST_INTERNET_PID"), kOutside, 7772, 2000), -1);
}

TEST(Router, UpnpAloneOpensAndRemovesThePort) {
    REQUIRE_ROUTER_NETNS();
    Router router({.natpmp = false, .upnp = true});
    ServerRun s(serverArgs(), mappingOn());
    ASSERT_TRUE(s.waitForLine("router: opened")) << s.output.constData();
    EXPECT_TRUE(s.output.contains("router: opened 11.22.33.1 port 7772 to port 7772 by UPnP, lease 3600 s\n"))
        << s.output.constData();
    EXPECT_TRUE(routerForwards(7772));
    joinAndPlay(s, 7772);
    s.stop();
    EXPECT_TRUE(s.output.contains("router: removed 11.22.33.1 port 7772\n")) << s.output.constData();
    EXPECT_FALSE(routerForwards(7772)) << routerRules().toStdString();
}

TEST(Router, NatPmpAloneOpensAndRemovesThePort) {
    REQUIRE_ROUTER_NETNS();
    Router router({.natpmp = true, .upnp = false});
    ServerRun s(serverArgs(), mappingOn());
    ASSERT_TRUE(s.waitForLine("router: opened")) << s.output.constData();
    EXPECT_TRUE(s.output.contains("router: opened 11.22.33.1 port 7772 to port 7772 by NAT-PMP, lease 3600 s\n"))
        << s.output.constData();
    joinAndPlay(s, 7772);
    s.stop();
    EXPECT_TRUE(s.output.contains("router: removed 11.22.33.1 port 7772\n")) << s.output.constData();
    EXPECT_FALSE(routerForwards(7772)) << routerRules().toStdString();
}

TEST(Router, WithNoRouterAnsweringOnePlainLineSaysSoWithinAboutTwoSecondsAndNothingRepeats) {
    REQUIRE_ROUTER_NETNS();
    // No miniupnpd: the router forwards and masquerades, but answers neither.
    QElapsedTimer t;
    t.start();
    ServerRun s(serverArgs(), mappingOn());
    ASSERT_TRUE(s.waitForLine("router: no router answered")) << s.output.constData();
    EXPECT_LT(t.elapsed(), 4000);
    EXPECT_TRUE(s.output.contains("router: asking to open TCP port 7772\nrouter: no router answered for port 7772\n"))
        << s.output.constData();
    QTest::qWait(4000);
    EXPECT_EQ(s.count("router:"), 2) << s.output.constData();
    // The game itself runs on: a player at home plays.
    WirePlayer ann("Ann");
    ann.connectHome(7772);
    EXPECT_TRUE(waitFor([&] { return ann.slot == 1; }));
    s.stop();
    EXPECT_FALSE(s.output.contains("router: removed")) << s.output.constData();
}

// Another machine at home (10.77.0.3) holds `port` on the router through
// UPnP, made with the same library as the game's.
bool takeOnRouter(int port) {
    UPNPUrls urls{};
    IGDdatas data{};
    char lan[64] = {};
    if (UPNP_GetIGDFromUrl("http://10.77.0.1:5555/rootDesc.xml", &urls, &data, lan, sizeof lan) != 1) return false;
    const std::string p = std::to_string(port);
    const int r = UPNP_AddPortMapping(urls.controlURL, data.first.servicetype, p.c_str(), p.c_str(), "10.77.0.3",
                                      "another machine", "TCP", nullptr, "0");
    FreeUPNPUrls(&urls);
    return r == UPNPCOMMAND_SUCCESS;
}

void portTaken(Router::Config config, const char* protocol) {
    Router router(config);
    ASSERT_TRUE(takeOnRouter(7772)) << router.log().constData();
    ServerRun s(serverArgs(), mappingOn());
    ASSERT_TRUE(s.waitForLine("router: opened")) << s.output.constData();
    const int port = openedPort(s);
    EXPECT_NE(port, 7772) << s.output.constData();
    EXPECT_GT(port, 1023) << s.output.constData();
    EXPECT_TRUE(s.output.contains(QStringLiteral("to port 7772 by %1").arg(QLatin1String(protocol)).toUtf8()))
        << s.output.constData();
    joinAndPlay(s, port);
    s.stop();
    // Only the game's own mapping goes; the other machine's stays.
    EXPECT_FALSE(routerForwards(port)) << routerRules().toStdString();
    EXPECT_TRUE(routerForwards(7772)) << routerRules().toStdString();
}

TEST(Router, APortTakenOnTheRouterGivesAnotherOneThatFriendsJoinAt_Upnp) {
    REQUIRE_ROUTER_NETNS();
    portTaken({.natpmp = false, .upnp = true, .secure = false}, "UPnP");
}

TEST(Router, APortTakenOnTheRouterGivesAnotherOneThatFriendsJoinAt_NatPmp) {
    REQUIRE_ROUTER_NETNS();
    portTaken({.natpmp = true, .upnp = true, .secure = false}, "NAT-PMP");
}

TEST(Router, AShortLeaseIsRenewedBeforeItEndsAndNotMuchMoreOften) {
    REQUIRE_ROUTER_NETNS();
    for (const bool upnp : {false, true}) {
        SCOPED_TRACE(upnp ? "UPnP" : "NAT-PMP");
        Router router({.natpmp = !upnp, .upnp = upnp});
        ServerRun s(serverArgs({"--map-lease-s", "4"}), mappingOn());
        ASSERT_TRUE(s.waitForLine("router: opened")) << s.output.constData();
        EXPECT_TRUE(s.output.contains(", lease 4 s\n")) << s.output.constData();
        // Three leases later the router still forwards, renewed every 2 s.
        QTest::qWait(12000);
        const int renewals = s.count("router: renewed 11.22.33.1 port 7772 to port 7772");
        EXPECT_GE(renewals, 4) << s.output.constData();
        EXPECT_LE(renewals, 7) << s.output.constData();
        EXPECT_TRUE(routerForwards(7772)) << routerRules().toStdString();
        WirePlayer bob("Bob");
        ASSERT_TRUE(bob.connectFromInternet(kOutside, 7772));
        EXPECT_TRUE(waitFor([&] { return bob.slot == 1; }));
    }
}

TEST(Router, ARouterRestartedDuringAGameGetsTheMappingBackAtTheRenewal) {
    REQUIRE_ROUTER_NETNS();
    for (const bool upnp : {false, true}) {
        SCOPED_TRACE(upnp ? "UPnP" : "NAT-PMP");
        Router router({.natpmp = !upnp, .upnp = upnp});
        ServerRun s(serverArgs({"--map-lease-s", "6"}), mappingOn());
        ASSERT_TRUE(s.waitForLine("router: opened")) << s.output.constData();
        WirePlayer ann("Ann");
        ann.connectHome(7772);
        ASSERT_TRUE(waitFor([&] { return ann.slot == 1; }));
        WirePlayer bob("Bob");
        ASSERT_TRUE(bob.connectFromInternet(kOutside, 7772));
        ASSERT_TRUE(waitFor([&] { return bob.slot == 2; }));
        ann.send("CMD_startgame+Ann+3+");
        ASSERT_TRUE(waitFor([&] { return bob.accepted >= 1; }, 30000)) << s.output.constData();

        router.stop();
        ASSERT_FALSE(routerForwards(7772));
        router.start();
        EXPECT_TRUE(waitFor([] { return routerForwards(7772); }, 10000)) << s.output.constData();
        // Bob plays on; Cid comes in through the mapping made again.
        EXPECT_FALSE(bob.closed());
        WirePlayer cid("Cid");
        ASSERT_TRUE(cid.connectFromInternet(kOutside, 7772)) << s.output.constData();
        EXPECT_TRUE(waitFor([&] { return cid.slot == 3; })) << s.output.constData();
        s.stop();
        EXPECT_FALSE(routerForwards(7772)) << routerRules().toStdString();
    }
}

} // namespace
} // namespace tc::portmap::test

namespace tc::portmap::test {
namespace {

// The router's own outside address is shared (100.64.33.1): miniupnpd
// refuses to map and says it has no public address; one plain line.
TEST(RouterCgnat, ARouterBehindCarrierGradeNatGetsOnePlainLine) {
    REQUIRE_ROUTER_NETNS();
    if (qEnvironmentVariable("TILECREST_ROUTER_OUTSIDE_NET") != QLatin1String("100.64.33"))
        GTEST_SKIP() << "needs the router's outside on 100.64.33.0/24";
    Router router({});
    ServerRun s(serverArgs(), mappingOn());
    ASSERT_TRUE(s.waitForLine("router: it")) << s.output.constData();
    EXPECT_TRUE(s.output.contains("router: asking to open TCP port 7772\nrouter: it has no public address; port 7772 "
                                  "not opened ("))
        << s.output.constData();
    EXPECT_EQ(routerRules().count("dnat"), 0) << routerRules().toStdString();
    QTest::qWait(3000);
    EXPECT_EQ(s.count("router:"), 2) << s.output.constData();
}

} // namespace
} // namespace tc::portmap::test
