// Under the switch the test runner sets, a host sends no SSDP and no
// NAT-PMP: in a namespace whose only way out is a dummy interface with a
// default route, nftables counts what would have left. The same server with
// the switch cleared is counted, so the counters do see such packets.
#include <QRegularExpression>

#include "GameCopy.h"
#include "RouterRig.h"

namespace tc::portmap::test {
namespace {

#define REQUIRE_ISOLATED()                                                                                   \
    do {                                                                                                     \
        if (qEnvironmentVariable("TILECREST_IN_NETNS") != QLatin1String("1") ||                             \
            qEnvironmentVariable("TILECREST_ROUTER_ISOLATED") != QLatin1String("1"))                        \
            GTEST_SKIP() << "runs only in the isolated namespace of tests/portmap/router-netns.sh";         \
    } while (0)

// Packets counted so far to UDP port 1900 and to 5351.
std::pair<int, int> counted() {
    QProcess p;
    p.start(QStringLiteral("nft"), {QStringLiteral("list"), QStringLiteral("table"), QStringLiteral("inet"),
                                    QStringLiteral("tcwatch")});
    p.waitForFinished(5000);
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression re(QStringLiteral("udp dport (\\d+) counter packets (\\d+)"));
    std::pair<int, int> out{-1, -1};
    for (auto it = re.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        (m.captured(1) == "1900" ? out.first : out.second) = m.captured(2).toInt();
    }
    return out;
}

TEST(Silent, AServerWithMapPortUnderTheSwitchSendsNothingAndSaysWhy) {
    REQUIRE_ISOLATED();
    ASSERT_TRUE(mappingSwitchedOff()) << "ctest's switch is not set";
    const auto before = counted();
    ASSERT_EQ(before.first, 0);
    ASSERT_EQ(before.second, 0);
    ServerRun s({"--port", "7772", "--map-port", "--no-announce"}, QProcessEnvironment::systemEnvironment());
    ASSERT_TRUE(s.waitForLine("router: not asked: turned off by TILECREST_NO_PORT_MAP")) << s.output.constData();
    QTest::qWait(3000);
    s.stop();
    EXPECT_EQ(counted(), std::make_pair(0, 0));
    EXPECT_FALSE(s.output.contains("router: asking")) << s.output.constData();
}

TEST(Silent, AWindowHostingUnderTheSwitchSendsNothingAndSaysNothingOfARouter) {
    REQUIRE_ISOLATED();
    ASSERT_TRUE(mappingSwitchedOff()) << "ctest's switch is not set";
    guitest::GameCopy ann({"Ann", "x", "true", "--port", "7772"});
    ASSERT_TRUE(waitFor([&] { return ann.session().loggedin(); }));
    QTest::qWait(3000);
    EXPECT_EQ(counted(), std::make_pair(0, 0));
    EXPECT_FALSE(ann.chatHas("router")) << ann.chat().toStdString();
    EXPECT_FALSE(ann.chatHas("Players on the internet")) << ann.chat().toStdString();
}

// Even without the switch: a server only this machine can reach asks
// nobody.
TEST(Silent, AServerBoundToLoopbackNeverAsks) {
    REQUIRE_ISOLATED();
    ServerRun s({"--port", "7772", "--map-port", "--no-announce", "--bind", "127.0.0.1"}, mappingOn());
    ASSERT_TRUE(s.waitForLine("router: not asked: listening on loopback only")) << s.output.constData();
    QTest::qWait(2000);
    s.stop();
    EXPECT_EQ(counted(), std::make_pair(0, 0));
}

// Last: what it counts stays counted.
TEST(Silent, ZTheCountersSeeTheRequestsOfAServerWithoutTheSwitch) {
    REQUIRE_ISOLATED();
    ServerRun s({"--port", "7772", "--map-port", "--no-announce"}, mappingOn());
    ASSERT_TRUE(s.waitForLine("router: no router answered", 10000)) << s.output.constData();
    s.stop();
    const auto after = counted();
    EXPECT_GT(after.first, 0);
    EXPECT_GT(after.second, 0);
}

} // namespace
} // namespace tc::portmap::test
