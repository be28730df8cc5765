// GameBrowser against games announced by other programs: a separate
// tilecrest-server process here, and one on another machine (a second
// network namespace joined by a veth pair, with its own bus and Avahi).
#include <QFile>
#include <QSignalSpy>
#include <QTimer>
#include <csignal>

#include "NetnsSupport.h"
#include "ServerProcess.h"
#include "discovery/GameBrowser.h"

namespace tc::discovery::test {
namespace {


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

// The first connection to the system bus waits for the bus's answer; with
// the bus stopped (SIGSTOP) the window's thread must still go on.
TEST(FrozenBus, TheWindowsThreadGoesOnWhileTheFirstConnectionToTheBusWaits) {
    REQUIRE_NETNS();
    if (qEnvironmentVariable("TILECREST_NETNS_FROZEN_BUS") != QLatin1String("1"))
        GTEST_SKIP() << "needs a process that has not reached the bus yet (ctest discovery_netns_frozen_bus)";
    const QString bus = qEnvironmentVariable("TILECREST_NETNS_BUS_PID");
    ASSERT_FALSE(bus.isEmpty());
    auto stopped = [&] {
        QFile f(QStringLiteral("/proc/%1/stat").arg(bus));
        if (!f.open(QIODevice::ReadOnly)) return false;
        const QByteArray stat = f.readAll();
        const qsizetype close = stat.lastIndexOf(')');
        return close > 0 && stat.mid(close + 2, 1) == "T";
    };
    ASSERT_EQ(::kill(bus.toInt(), SIGSTOP), 0);
    // The bus goes on by itself after a while, whatever happens here.
    QProcess::startDetached(QStringLiteral("sh"),
                            {"-c", QStringLiteral("exec >/dev/null 2>&1; sleep 8; kill -CONT %1").arg(bus)});
    ASSERT_TRUE(waitFor(stopped));

    GameBrowser browser;
    browser.start();
    bool ticked = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    ASSERT_TRUE(waitFor([&] { return ticked; }));
    // The event loop ran while the bus could not have answered.
    EXPECT_TRUE(stopped()) << "the window's thread waited for the bus";
    EXPECT_EQ(browser.state(), GameBrowser::State::Starting);

    ::kill(bus.toInt(), SIGCONT);
    // Then it is found that this bus has no Avahi.
    EXPECT_TRUE(waitFor([&] { return browser.state() == GameBrowser::State::Unavailable; }, 30000));
    EXPECT_TRUE(browser.avahiAbsent());
}

} // namespace
} // namespace tc::discovery::test
