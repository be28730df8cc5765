// What the discovery classes leave on the bus when they go: no call the
// bus refuses. A RemoveMatch for a rule that was never added is answered
// with MatchRuleNotFound, which Qt D-Bus builds that check the answer print
// on the console at every exit. A dbus-monitor of the namespace's bus sees every
// such answer, whichever process it goes to.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <algorithm>
#include <memory>

#include "NetnsSupport.h"
#include "ServerProcess.h"
#include "discovery/Announcer.h"
#include "discovery/GameBrowser.h"

namespace tc::discovery::test {
namespace {


// Every error the bus sends, and our own marker calls, as dbus-monitor
// prints them.
class BusMonitor {
public:
    BusMonitor() {
        proc_.setProgram(QStringLiteral("dbus-monitor"));
        proc_.setArguments({QStringLiteral("--system"), QStringLiteral("type='error'"),
                            QStringLiteral("type='method_call',member='GetId'")});
        proc_.setProcessChannelMode(QProcess::MergedChannels);
        proc_.start();
    }
    ~BusMonitor() {
        proc_.kill();
        proc_.waitForFinished(2000);
    }
    bool started() { return proc_.waitForStarted(5000); }
    // Waits until the monitor has seen a call of ours made now, so that
    // all the bus did before it has been printed.
    bool settle() {
        // Asked again until seen: the monitor takes a moment to start
        // listening.
        const int before = text().count(QStringLiteral("member=GetId"));
        for (int i = 0; i < 20; ++i) {
            QDBusConnection::systemBus().call(QDBusMessage::createMethodCall(
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")));
            if (waitFor([&] { return text().count(QStringLiteral("member=GetId")) > before; }, 500)) return true;
        }
        return false;
    }
    QString text() {
        out_ += proc_.readAll();
        return QString::fromUtf8(out_);
    }

private:
    QProcess proc_;
    QByteArray out_;
};

#define REQUIRE_AVAHI()                                                                                      \
    REQUIRE_NETNS();                                                                                         \
    if (qEnvironmentVariable("TILECREST_NETNS_AVAHI") == QLatin1String("0")) GTEST_SKIP() << "no Avahi daemon"

TEST(BusNoise, TheBrowserAndTheAnnouncerGoWithoutARefusedCall) {
    REQUIRE_AVAHI();
    BusMonitor monitor;
    ASSERT_TRUE(monitor.started());
    // The monitor is listening before anything is made.
    ASSERT_TRUE(monitor.settle()) << monitor.text().toStdString();

    auto announcer = std::make_unique<Announcer>();
    announcer->start(QStringLiteral("Quiet Ann"), 7011, GameAnnouncement{"1.0.3", 1, 5, false});
    auto browser = std::make_unique<GameBrowser>();
    browser->start();
    ASSERT_TRUE(waitFor([&] { return announcer->state() == Announcer::State::Established; }));
    ASSERT_TRUE(waitFor([&] {
        const auto games = browser->games();
        return std::any_of(games.begin(), games.end(),
                           [](const FoundGame& g) { return g.name == "Quiet Ann" && g.port == 7011; });
    }));
    // Stopped and made again once, then gone, as the Join dialog and a
    // host starting over do.
    browser->stop();
    browser->start();
    ASSERT_TRUE(waitFor([&] { return browser->state() == GameBrowser::State::Browsing; }));
    browser.reset();
    announcer.reset();
    ASSERT_TRUE(monitor.settle()) << monitor.text().toStdString();
    EXPECT_FALSE(monitor.text().contains(QStringLiteral("error_name="))) << monitor.text().toStdString();
}

TEST(BusNoise, TheAnnouncingServerEndsWithNothingOnStderrAndNoRefusedCall) {
    REQUIRE_AVAHI();
    BusMonitor monitor;
    ASSERT_TRUE(monitor.started());
    ASSERT_TRUE(monitor.settle()) << monitor.text().toStdString();

    const quint16 port = freePort();
    QProcess server;
    server.start(QStringLiteral(TILECREST_SERVER_PATH), {"--port", QString::number(port), "--name", "Quiet Bob"});
    ASSERT_TRUE(browseUntil([](const auto& list) { return find(list, "Quiet Bob").has_value(); }))
        << server.readAllStandardError().constData();
    server.terminate();
    ASSERT_TRUE(server.waitForFinished(10000));
    EXPECT_EQ(server.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.exitCode(), 0);
    EXPECT_EQ(server.readAllStandardError(), QByteArray());
    EXPECT_TRUE(server.readAllStandardOutput().endsWith("stopping\n"));
    // The bus has handled the server's last words before this call.
    QTest::qWait(300);
    ASSERT_TRUE(monitor.settle()) << monitor.text().toStdString();
    EXPECT_FALSE(monitor.text().contains(QStringLiteral("error_name="))) << monitor.text().toStdString();
}

} // namespace
} // namespace tc::discovery::test
