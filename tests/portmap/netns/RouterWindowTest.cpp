// The game's window hosting in "home" behind Debian's miniupnpd: the chat
// says where friends on the internet join (and the host's global IPv6
// address), a friend there joins, "Copy Internet Address" copies it, and the
// mapping goes when the window closes or another game is hosted from the
// menu; the Host dialog's choice is remembered and followed, --no-map-port
// and an unanswered request say what they should.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

#include "GameCopy.h"
#include "RouterRig.h"
#include "client/ConnectDialog.h"
#include "session/ConnectSettings.h"

namespace tc::portmap::test {
namespace {

using guitest::GameCopy;

const QString kOpened = QStringLiteral("Players on the internet can join at 11.22.33.1 port %1 (your router opened it).");

// Hosts from the File menu's dialog on `port`, the router's box as `mapPort`.
void hostFromDialog(GameCopy& copy, int port, bool mapPort) {
    copy.window().findChild<QAction*>("HostaGame1")->trigger();
    auto* d = copy.window().findChild<client::ConnectDialog*>("ConnectDialog");
    ASSERT_TRUE(d && d->isVisible());
    auto* box = d->findChild<QCheckBox*>("check_mapport");
    ASSERT_TRUE(box && box->isVisible());
    EXPECT_EQ(box->text(), "Open the port on my router");
    box->setChecked(mapPort);
    d->findChild<QLineEdit*>("edit_name")->setText("Ann");
    d->findChild<QSpinBox*>("spin_port")->setValue(port);
    QTest::mouseClick(d->findChild<QPushButton*>("button_connect"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return !d->isVisible(); })) << d->findChild<QLabel*>("label_problem")->text().toStdString();
}

TEST(RouterWindow, AHostedGameOpensItsPortAFriendJoinsAndClosingTheWindowRemovesIt) {
    REQUIRE_ROUTER_NETNS();
    MappingOnHere on;
    Router router({});
    auto ann = std::make_unique<GameCopy>(QStringList{"Ann", "x", "true", "--port", "7772"});
    ASSERT_TRUE(waitFor([&] { return ann->chatHas(kOpened.arg(7772)); })) << ann->chat().toStdString();
    if (qEnvironmentVariable("TILECREST_HOME_IPV6") == QLatin1String("1")) {
        EXPECT_TRUE(ann->chatHas("Players with IPv6 can join at 2a01:4f8:77::2 port 7772 with no port to open, "
                                 "though your router's firewall may still block them."))
            << ann->chat().toStdString();
    }
    EXPECT_TRUE(routerForwards(7772)) << routerRules().toStdString();

    // The address, copied from the chat pane's menu for a friend.
    auto* pane = ann->game.window().findChild<chat::ChatPane*>("mainchat");
    const QList<QAction*> items = pane->contextMenu()->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items.last()->objectName(), "CopyInternetAddress1");
    EXPECT_EQ(items.last()->text(), "Copy &Internet Address");  // with its letter in the menu
    ASSERT_TRUE(items.last()->isEnabled());
    items.last()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "11.22.33.1:7772");

    WirePlayer bob("Bob");
    ASSERT_TRUE(bob.connectFromInternet(kOutside, 7772));
    ASSERT_TRUE(waitFor([&] { return bob.slot == 2 && ann->seat(2) == "Bob"; })) << ann->chat().toStdString();

    ann->window().close();
    ann.reset();
    EXPECT_FALSE(routerForwards(7772)) << routerRules().toStdString();
    EXPECT_TRUE(waitFor([&] { return bob.closed(); }));
}

// The program itself, as a player starts it, ended as a logout ends it.
TEST(RouterWindow, TheProgramStoppedBySigtermRemovesItsMapping) {
    REQUIRE_ROUTER_NETNS();
    Router router({});
    QTemporaryDir home;
    QProcessEnvironment env = mappingOn();
    for (const char* dir : {"config", "data", "cache", "runtime"}) QDir(home.path()).mkpath(dir);
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_CACHE_HOME", home.filePath("cache"));
    env.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
    // A portable copy keeps its settings beside itself: a copy of its own,
    // never the build's folder that other tests share.
    const QString program = home.filePath(QFileInfo(QStringLiteral(TILECREST_PROGRAM_PATH)).fileName());
    ASSERT_TRUE(QFile::copy(QStringLiteral(TILECREST_PROGRAM_PATH), program));
    QProcess game;
    game.setProcessEnvironment(env);
    game.start(program, {"Ann", "x", "true", "--port", "7772"});
    ASSERT_TRUE(game.waitForStarted(5000));
    EXPECT_TRUE(waitFor([] { return routerForwards(7772); }, 20000)) << routerRules().toStdString();
    game.terminate();
    EXPECT_TRUE(game.waitForFinished(15000));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(routerForwards(7772)) << routerRules().toStdString();
    if (game.state() != QProcess::NotRunning) game.kill();
}

// Whether home asked the router anything since it started.
bool asked(Router& router) {
    return router.log().contains("M-SEARCH") || router.log().contains("NAT-PMP request");
}

TEST(RouterWindow, TheHostDialogsChoiceIsRememberedAndHostingOrJoiningFromTheMenuMovesTheMapping) {
    REQUIRE_ROUTER_NETNS();
    MappingOnHere on;
    Router router({.natpmp = false, .upnp = true});
    GameCopy ann({});  // solo: never asks
    QTest::qWait(2500);
    EXPECT_FALSE(asked(router)) << router.log().constData();
    EXPECT_FALSE(ann.chatHas("Players on the internet"));

    // Hosted with the box cleared: nothing asked, and that is remembered.
    hostFromDialog(ann, 7772, false);
    QTest::qWait(2500);
    EXPECT_FALSE(asked(router)) << router.log().constData();
    EXPECT_FALSE(ann.chatHas("Players on the internet")) << ann.chat().toStdString();
    EXPECT_FALSE(ann.game.window().findChild<QAction*>("CopyInternetAddress1")->isEnabled());
    EXPECT_FALSE(client::ConnectSettings::read(ann.game.settings()).mapPort);

    // Ticked again: opened, and remembered.
    hostFromDialog(ann, 7772, true);
    ASSERT_TRUE(waitFor([&] { return ann.chatHas(kOpened.arg(7772)); })) << ann.chat().toStdString();
    EXPECT_TRUE(routerForwards(7772));
    EXPECT_TRUE(client::ConnectSettings::read(ann.game.settings()).mapPort);
    EXPECT_TRUE(ann.game.window().findChild<QAction*>("CopyInternetAddress1")->isEnabled());

    // Hosted anew on another port from the menu: the old mapping goes.
    hostFromDialog(ann, 7773, true);
    ASSERT_TRUE(waitFor([&] { return ann.chatHas(kOpened.arg(7773)); })) << ann.chat().toStdString();
    EXPECT_TRUE(waitFor([] { return routerForwards(7773) && !routerForwards(7772); })) << routerRules().toStdString();

    // Joining a game from the menu ends hosting: that mapping goes too.
    ServerRun other({"--port", "7790", "--no-announce"}, QProcessEnvironment::systemEnvironment());
    ASSERT_TRUE(other.waitForLine("listening on"));
    ann.window().findChild<QAction*>("JoinaGame1")->trigger();
    auto* d = ann.window().findChild<client::ConnectDialog*>("ConnectDialog");
    d->findChild<QComboBox*>("combo_address")->setEditText("127.0.0.1");
    d->findChild<QSpinBox*>("spin_port")->setValue(7790);
    d->findChild<QLineEdit*>("edit_name")->setText("Ann");
    QTest::mouseClick(d->findChild<QPushButton*>("button_connect"), Qt::LeftButton);
    ASSERT_TRUE(other.waitForLine("login slot 1 (")) << other.output.constData();
    EXPECT_TRUE(waitFor([] { return !routerForwards(7773); })) << routerRules().toStdString();
    EXPECT_FALSE(ann.game.window().findChild<QAction*>("CopyInternetAddress1")->isEnabled());
}

// Sets the remembered choice before a copy starts from a command line.
void rememberMapPort(bool on) {
    GameCopy writer({"--port", "0"});
    client::ConnectSettings s = client::ConnectSettings::read(writer.game.settings());
    s.mapPort = on;
    ASSERT_TRUE(s.write(writer.game.settings()));
}

TEST(RouterWindow, TheCommandLineFollowsTheRememberedChoiceAndNoMapPortTurnsItOff) {
    REQUIRE_ROUTER_NETNS();
    MappingOnHere on;
    {
        Router router({});
        rememberMapPort(false);
        GameCopy ann({"Ann", "x", "true", "--port", "7772"});
        QTest::qWait(2500);
        EXPECT_FALSE(asked(router)) << router.log().constData();
        EXPECT_FALSE(ann.chatHas("Players on the internet")) << ann.chat().toStdString();
    }
    {
        Router router({});
        rememberMapPort(true);
        GameCopy ann({"Ann", "x", "true", "--port", "7772", "--no-map-port"});
        QTest::qWait(2500);
        EXPECT_FALSE(asked(router)) << router.log().constData();
        EXPECT_FALSE(ann.chatHas("Players on the internet")) << ann.chat().toStdString();
    }
    {
        Router router({});
        GameCopy ann({"Ann", "x", "true", "--port", "7772"});
        EXPECT_TRUE(waitFor([&] { return ann.chatHas(kOpened.arg(7772)); })) << ann.chat().toStdString();
    }
    EXPECT_FALSE(routerForwards(7772));
}

TEST(RouterWindow, WithNoRouterOnePlainLineSaysWhatStillWorksAndIsNotRepeated) {
    REQUIRE_ROUTER_NETNS();
    MappingOnHere on;
    GameCopy ann({"Ann", "x", "true", "--port", "7772"});
    const QString line = QStringLiteral(
        "No router answered when the game asked it to open port 7772, so players on the internet cannot join yet. "
        "Players on your network can join; for players on the internet, forward TCP port 7772 on your router by "
        "hand, or host on a machine with a public address.");
    ASSERT_TRUE(waitFor([&] { return ann.chatHas(line); }, 6000)) << ann.chat().toStdString();
    QTest::qWait(3000);
    EXPECT_EQ(ann.chat().count("No router answered"), 1);
    EXPECT_FALSE(ann.game.window().findChild<QAction*>("CopyInternetAddress1")->isEnabled());
}

} // namespace
} // namespace tc::portmap::test

namespace tc::portmap::test {
namespace {

TEST(RouterCgnat, TheWindowSaysOnceThatAnotherRouterStandsBetween) {
    REQUIRE_ROUTER_NETNS();
    if (qEnvironmentVariable("TILECREST_ROUTER_OUTSIDE_NET") != QLatin1String("100.64.33"))
        GTEST_SKIP() << "needs the router's outside on 100.64.33.0/24";
    MappingOnHere on;
    Router router({});
    guitest::GameCopy ann({"Ann", "x", "true", "--port", "7772"});
    const QString line = QStringLiteral(
        "Your router has no address on the internet of its own: another router (perhaps your provider's) stands "
        "between, so players on the internet cannot join yet. Players on your network can join; for players on "
        "the internet, forward TCP port 7772 on that other router by hand, or host on a machine with a public "
        "address.");
    ASSERT_TRUE(waitFor([&] { return ann.chatHas(line); }, 6000)) << ann.chat().toStdString();
    QTest::qWait(2000);
    EXPECT_EQ(ann.chat().count("another router"), 1);
}

} // namespace
} // namespace tc::portmap::test
