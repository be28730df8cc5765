// GameBrowser against games announced by other programs: a separate
// tilecrest-server process here, and one on another machine (a second
// network namespace joined by a veth pair, with its own bus and Avahi).
#include <QSignalSpy>

#include "NetnsSupport.h"
#include "ServerProcess.h"
#include "discovery/GameBrowser.h"

namespace tc::discovery::test {
namespace {

bool waitFor(const std::function<bool()>& ok, int ms = 15000) {
    QElapsedTimer t;
    t.start();
    while (!ok()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(50);
    }
    return true;
}

const FoundGame* gameNamed(const std::vector<FoundGame>& games, const std::string& name) {
    for (const auto& g : games)
        if (g.name == name) return &g;
    return nullptr;
}

TEST(BrowserOfOthers, AServerProcessOnThisMachineIsListedWithItsAddressAndRecord) {
    REQUIRE_NETNS();
    if (qEnvironmentVariable("TILECREST_NETNS_AVAHI") == QLatin1String("0")) GTEST_SKIP() << "no Avahi daemon";
    const quint16 port = freePort();
    ServerProcess server({"--port", QString::number(port), "--name", "Friday game"});
    ASSERT_TRUE(server.waitForLine("announced as")) << server.output.constData();
    GameBrowser browser;
    browser.start();
    std::vector<FoundGame> games;
    EXPECT_TRUE(waitFor([&] {
        games = browser.games();
        const FoundGame* g = gameNamed(games, "Friday game");
        return g && g->port == port && !g->address.empty();
    })) << int(browser.state());
    const FoundGame* g = gameNamed(browser.games(), "Friday game");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->address, "127.0.0.1");
    EXPECT_EQ(g->info.freeSeats, 6);
}

} // namespace
} // namespace tc::discovery::test
