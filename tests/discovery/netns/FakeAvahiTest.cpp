// The browser and the announcer against scripted answers from a stand-in
// Avahi on the namespace's bus: resolvers that fail, instances that go and
// come back while their resolver is being made, a state signal racing the
// answer to GetState, a record changed while the service is being added,
// errors that are not Avahi's absence, and signals from someone who is not
// Avahi.
#include <QDBusArgument>
#include <QLabel>
#include <QRegularExpression>

#include "FakeAvahi.h"
#include "NetnsSupport.h"
#include "client/ConnectDialog.h"
#include "discovery/Announcer.h"
#include "discovery/AvahiBus.h"
#include "discovery/GameBrowser.h"

namespace tc::discovery::test {
namespace {

const char* const kBrowser = "org.freedesktop.Avahi.ServiceBrowser";
const char* const kResolver = "org.freedesktop.Avahi.ServiceResolver";
const QString kBrowserPath = QStringLiteral("/Client1/ServiceBrowser1");


#define REQUIRE_FAKE(fake)                                                                                   \
    REQUIRE_NETNS();                                                                                         \
    if (qEnvironmentVariable("TILECREST_NETNS_AVAHI") != QLatin1String("0"))                                \
        GTEST_SKIP() << "needs a bus without the Avahi daemon";                                             \
    FakeAvahi fake;                                                                                          \
    ASSERT_TRUE(fake.own())

// The browser made and started (its path is the stand-in's first object).
void startBrowsing(GameBrowser& browser, FakeAvahi& fake) {
    browser.start();
    ASSERT_TRUE(waitFor([&] { return browser.state() == GameBrowser::State::Browsing; }));
    ASSERT_EQ(fake.calls.value(0), "ServiceBrowserPrepare /");
}

TEST(FakeAvahi, AResolverThatFailsIsMadeAgainLaterAndTheGameIsListed) {
    REQUIRE_FAKE(fake);
    int prepared = 0;
    fake.answer = [&](const QDBusMessage& m) {
        if (m.member() != QLatin1String("ServiceResolverPrepare")) return false;
        const QString path = QStringLiteral("/Client1/ServiceResolver%1").arg(++prepared);
        fake.reply(m, QVariant::fromValue(QDBusObjectPath(path)));
        // As Avahi does: the resolver runs before Start, and its first
        // answer follows the reply at once. The first one times out.
        if (prepared == 1) fake.signal(path, kResolver, "Failure", {QStringLiteral("Timeout reached")});
        else fake.signal(path, kResolver, "Found", FakeAvahi::found("Ann", 7001));
        return true;
    };
    GameBrowser browser;
    startBrowsing(browser, fake);
    fake.signal(kBrowserPath, kBrowser, "ItemNew", FakeAvahi::item("Ann"));
    ASSERT_TRUE(waitFor([&] { return fake.count("Free /Client1/ServiceResolver1") == 1; }));
    EXPECT_TRUE(browser.games().empty());
    EXPECT_EQ(browser.resolverCount(), 0);
    // Tried again after a while, and listed.
    ASSERT_TRUE(waitFor([&] { return !browser.games().empty(); }));
    EXPECT_EQ(prepared, 2);
    const FoundGame g = browser.games()[0];
    EXPECT_EQ(g.name, "Ann");
    EXPECT_EQ(g.address, "10.9.8.7");
    EXPECT_EQ(g.port, 7001);
    EXPECT_EQ(g.info.freeSeats, 5);
    EXPECT_EQ(browser.resolverCount(), 1);
    EXPECT_EQ(browser.state(), GameBrowser::State::Browsing);
}

TEST(FakeAvahi, AnInstanceRemovedAndBackWhileItsResolverIsMadeKeepsOneResolver) {
    REQUIRE_FAKE(fake);
    std::deque<QDBusMessage> held;
    fake.answer = [&](const QDBusMessage& m) {
        if (m.member() != QLatin1String("ServiceResolverPrepare")) return false;
        held.push_back(m);
        return true;
    };
    GameBrowser browser;
    startBrowsing(browser, fake);
    fake.signal(kBrowserPath, kBrowser, "ItemNew", FakeAvahi::item("Ann"));
    ASSERT_TRUE(waitFor([&] { return held.size() == 1; }));
    fake.signal(kBrowserPath, kBrowser, "ItemRemove", FakeAvahi::item("Ann"));
    fake.signal(kBrowserPath, kBrowser, "ItemNew", FakeAvahi::item("Ann"));
    // Bob goes while his resolver is made, and does not come back.
    fake.signal(kBrowserPath, kBrowser, "ItemNew", FakeAvahi::item("Bob"));
    ASSERT_TRUE(waitFor([&] { return held.size() == 2; }));
    fake.signal(kBrowserPath, kBrowser, "ItemRemove", FakeAvahi::item("Bob"));
    QTest::qWait(300);
    EXPECT_EQ(held.size(), 2u);  // no second resolver for Ann
    EXPECT_EQ(browser.resolverCount(), 2);

    fake.reply(held[0], QVariant::fromValue(QDBusObjectPath(QStringLiteral("/Client1/ServiceResolver7"))));
    fake.signal(QStringLiteral("/Client1/ServiceResolver7"), kResolver, "Found", FakeAvahi::found("Ann", 7002));
    fake.reply(held[1], QVariant::fromValue(QDBusObjectPath(QStringLiteral("/Client1/ServiceResolver8"))));
    ASSERT_TRUE(waitFor([&] { return browser.games().size() == 1; }));
    EXPECT_EQ(browser.games()[0].port, 7002);
    // Bob's resolver, made for nobody, is freed at once; Ann's is kept.
    ASSERT_TRUE(waitFor([&] { return fake.count("Free /Client1/ServiceResolver8") == 1; }));
    EXPECT_EQ(fake.count("Free /Client1/ServiceResolver7"), 0);
    EXPECT_EQ(fake.count("ServiceResolverPrepare"), 2);
    EXPECT_EQ(browser.resolverCount(), 1);

    // Removed for good: its resolver goes and so does the row.
    fake.signal(kBrowserPath, kBrowser, "ItemRemove", FakeAvahi::item("Ann"));
    ASSERT_TRUE(waitFor([&] { return fake.count("Free /Client1/ServiceResolver7") == 1; }));
    EXPECT_TRUE(browser.games().empty());
    EXPECT_EQ(browser.resolverCount(), 0);
}

TEST(FakeAvahi, SignalsFromAnyoneButAvahiAreIgnored) {
    REQUIRE_FAKE(fake);
    GameBrowser browser;
    startBrowsing(browser, fake);
    // Another program on the bus sends what Avahi would.
    QDBusMessage s = QDBusMessage::createSignal(kBrowserPath, QLatin1String(kBrowser), QStringLiteral("ItemNew"));
    s.setArguments(FakeAvahi::item("Mallory"));
    ASSERT_TRUE(avahiBus().send(s));
    QTest::qWait(500);
    EXPECT_EQ(fake.count("ServiceResolverPrepare"), 0);
    EXPECT_TRUE(browser.games().empty());
}

TEST(FakeAvahi, OneEntryGroupWhenTheStateSignalRacesTheAnswerToGetState) {
    REQUIRE_FAKE(fake);
    fake.answer = [&](const QDBusMessage& m) {
        if (m.member() != QLatin1String("GetState")) return false;
        // "Running" twice: as the signal, and as the answer just after.
        fake.signal(QStringLiteral("/"), "org.freedesktop.Avahi.Server", "StateChanged", {2, QString()});
        fake.reply(m, QVariant::fromValue(2));
        return true;
    };
    Announcer announcer;
    announcer.start(QStringLiteral("Ann"), 7003, GameAnnouncement{"1.0.3", 1, 5, false});
    ASSERT_TRUE(waitFor([&] { return announcer.state() == Announcer::State::Established; }));
    QTest::qWait(300);
    EXPECT_EQ(fake.count("EntryGroupNew"), 1) << fake.calls.join(", ").toStdString();
    EXPECT_EQ(fake.count("AddService"), 1);
    EXPECT_EQ(announcer.groupsMade(), 1);
    announcer.stop();
    EXPECT_TRUE(waitFor([&] { return fake.count("Free /Client1/EntryGroup1") == 1; }));
}

TEST(FakeAvahi, ASeatTakenWhileTheServiceIsAddedReachesTheRecord) {
    REQUIRE_FAKE(fake);
    std::deque<QDBusMessage> adds;
    QList<QByteArray> updated;
    fake.answer = [&](const QDBusMessage& m) {
        if (m.member() == QLatin1String("AddService")) {
            adds.push_back(m);
            return true;
        }
        if (m.member() == QLatin1String("UpdateServiceTxt"))
            updated = qdbus_cast<QList<QByteArray>>(m.arguments().value(6).value<QDBusArgument>());
        return false;
    };
    Announcer announcer;
    announcer.start(QStringLiteral("Ann"), 7005, GameAnnouncement{"1.0.3", 0, 5, false});
    ASSERT_TRUE(waitFor([&] { return adds.size() == 1; }));
    // Ann's own login is counted while the service is on its way.
    announcer.update(GameAnnouncement{"1.0.3", 1, 5, false});
    fake.reply(adds[0]);
    ASSERT_TRUE(waitFor([&] { return announcer.state() == Announcer::State::Established; }));
    ASSERT_TRUE(waitFor([&] { return !updated.isEmpty(); })) << fake.calls.join(", ").toStdString();
    EXPECT_EQ(updated, (QList<QByteArray>{"txtvers=1", "version=1.0.3", "players=1", "free=5", "game=waiting"}));
    // Sent after the Commit, once; an unchanged record is not sent again.
    EXPECT_GT(fake.calls.indexOf(QRegularExpression("UpdateServiceTxt .*")),
              fake.calls.indexOf(QRegularExpression("Commit .*")));
    announcer.update(GameAnnouncement{"1.0.3", 1, 5, false});
    QTest::qWait(200);
    EXPECT_EQ(fake.count("UpdateServiceTxt"), 1);
}

TEST(FakeAvahi, AvahisOwnErrorsAreNamedNotTakenForItsAbsence) {
    REQUIRE_FAKE(fake);
    fake.answer = [&](const QDBusMessage& m) {
        if (m.member() != QLatin1String("ServiceBrowserPrepare") && m.member() != QLatin1String("EntryGroupNew"))
            return false;
        fake.error(m, QStringLiteral("org.freedesktop.Avahi.TooManyObjectsError"), QStringLiteral("Too many objects"));
        return true;
    };
    client::ConnectDialog dialog;
    dialog.openFor(client::ConnectDialog::Mode::Join);
    auto* note = dialog.findChild<QLabel*>("label_discovery");
    ASSERT_TRUE(waitFor([&] { return note->isVisible(); }));
    EXPECT_FALSE(dialog.browser().avahiAbsent());
    EXPECT_EQ(note->text(), "Finding games on your network failed (org.freedesktop.Avahi.TooManyObjectsError: Too "
                            "many objects). You can still type the host's address.");
    // A picture of the dialog with the note, to look at.
    const QString picture = qEnvironmentVariable("TILECREST_SCREENSHOT");
    if (!picture.isEmpty()) {
        if (qEnvironmentVariableIsSet("TILECREST_SCREENSHOT_WIDTH"))
            dialog.resize(qEnvironmentVariableIntValue("TILECREST_SCREENSHOT_WIDTH"), dialog.height());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(100);
        ASSERT_TRUE(dialog.grab().save(picture));
    }
    dialog.reject();

    Announcer announcer;
    announcer.start(QStringLiteral("Ann"), 7004, GameAnnouncement{"1.0.3", 1, 5, false});
    ASSERT_TRUE(waitFor([&] { return announcer.state() == Announcer::State::Unavailable; }));
    EXPECT_FALSE(announcer.avahiAbsent());
    EXPECT_EQ(announcer.error(), "org.freedesktop.Avahi.TooManyObjectsError: Too many objects");
    EXPECT_EQ(notAnnouncedText(announcer.avahiAbsent(), announcer.error()),
              "Your game could not be shown to players on your network (org.freedesktop.Avahi.TooManyObjectsError - "
              "Too many objects). They can still join at your address.");
}

// Avahi taking its name on the bus later (a daemon started or restarted):
// the game is announced and the list is made, told by the bus alone.
TEST(FakeAvahi, ADaemonThatTakesItsNameLaterIsUsedAndOnlyTheBusCanSaySo) {
    REQUIRE_NETNS();
    if (qEnvironmentVariable("TILECREST_NETNS_AVAHI") != QLatin1String("0"))
        GTEST_SKIP() << "needs a bus without the Avahi daemon";
    FakeAvahi fake;
    Announcer announcer;
    announcer.start(QStringLiteral("Ann"), 7006, GameAnnouncement{"1.0.3", 1, 5, false});
    GameBrowser browser;
    browser.start();
    ASSERT_TRUE(waitFor([&] {
        return announcer.state() == Announcer::State::Unavailable && browser.state() == GameBrowser::State::Unavailable;
    }));
    EXPECT_TRUE(announcer.avahiAbsent());
    EXPECT_TRUE(browser.avahiAbsent());

    // Anyone but the bus claiming that Avahi arrived is not believed.
    fake.signal(QStringLiteral("/org/freedesktop/DBus"), "org.freedesktop.DBus", "NameOwnerChanged",
                {QStringLiteral("org.freedesktop.Avahi"), QString(), QStringLiteral(":1.4242")});
    QTest::qWait(500);
    EXPECT_EQ(announcer.state(), Announcer::State::Unavailable);
    EXPECT_EQ(browser.state(), GameBrowser::State::Unavailable);
    EXPECT_TRUE(fake.calls.isEmpty()) << fake.calls.join(", ").toStdString();

    ASSERT_TRUE(fake.own());
    EXPECT_TRUE(waitFor([&] {
        return announcer.state() == Announcer::State::Established && browser.state() == GameBrowser::State::Browsing;
    })) << fake.calls.join(", ").toStdString();
    EXPECT_EQ(fake.count("EntryGroupNew"), 1) << fake.calls.join(", ").toStdString();
    EXPECT_EQ(fake.count("ServiceBrowserPrepare"), 1) << fake.calls.join(", ").toStdString();
}

} // namespace
} // namespace tc::discovery::test
