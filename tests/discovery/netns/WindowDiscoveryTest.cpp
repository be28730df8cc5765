// Two windows on the namespace's network: a hosting window is listed in
// the other's Join dialog and choosing it joins; a solo window and a game
// hosted with the announce box cleared are never listed. Without an Avahi
// daemon on the bus the dialog says once that it cannot list games.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "GameCopy.h"
#include "NetnsSupport.h"
#include "client/ConnectDialog.h"
#include "discovery/Announcer.h"
#include "discovery/AvahiBus.h"
#include "discovery/GameBrowser.h"
#include "store/StoreLocation.h"

namespace tc::discovery::test {
namespace {

using client::ConnectDialog;
using guitest::GameCopy;
using guitest::waitUntil;

bool avahiRunsHere() { return qEnvironmentVariable("TILECREST_NETNS_AVAHI") != QLatin1String("0"); }

// A copy with its settings in `folder`, started with `args`, logged in.
std::unique_ptr<GameCopy> startCopy(const QTemporaryDir& folder, const QStringList& args) {
    store::setStoreFolderOverride(folder.path());
    auto copy = std::make_unique<GameCopy>(args);
    EXPECT_TRUE(waitUntil([&] { return copy->session().loggedin(); }));
    return copy;
}

ConnectDialog* openDialog(GameCopy& copy, bool host) {
    copy.window().findChild<QAction*>(host ? "HostaGame1" : "JoinaGame1")->trigger();
    auto* dialog = copy.window().findChild<ConnectDialog*>("ConnectDialog");
    EXPECT_TRUE(dialog && dialog->isVisible());
    return dialog;
}

QStringList rowTexts(QTreeWidgetItem* item) {
    QStringList out;
    for (int c = 0; c < 4; ++c) out << item->text(c);
    return out;
}

QTreeWidgetItem* rowNamed(QTreeWidget* list, const QString& name) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0) == name) return list->topLevelItem(i);
    return nullptr;
}

// Every Qt message while it lives; discovery must add none.
struct MessageRecorder {
    MessageRecorder() { previous = qInstallMessageHandler(&MessageRecorder::record); }
    ~MessageRecorder() { qInstallMessageHandler(previous); }
    static void record(QtMsgType, const QMessageLogContext&, const QString& text) {
        if (!text.startsWith(QLatin1String("This plugin does not support"))) messages() << text;
    }
    static QStringList& messages() {
        static QStringList list;
        return list;
    }
    QtMessageHandler previous = nullptr;
};

TEST(WindowDiscovery, AHostingWindowIsListedChoosingItJoinsASoloWindowNeverIs) {
    REQUIRE_NETNS();
    if (!avahiRunsHere()) GTEST_SKIP() << "this run has no Avahi daemon";
    MessageRecorder::messages().clear();
    MessageRecorder quiet;
    QTemporaryDir annDir, soloDir, bobDir;
    const quint16 port = freePort();
    auto ann = startCopy(annDir, {"Ann", "127.0.0.1", "true", "--port", QString::number(port), "--pause-ms", "10"});
    auto solo = startCopy(soloDir, {"--port", "0"});
    auto bob = startCopy(bobDir, {"--port", "0"});

    ConnectDialog* d = openDialog(*bob, false);
    ASSERT_NE(d, nullptr);
    auto* list = d->findChild<QTreeWidget*>("list_games");
    ASSERT_TRUE(list && list->isVisible());
    EXPECT_FALSE(d->findChild<QLabel*>("label_discovery")->isVisible());
    EXPECT_FALSE(d->findChild<QCheckBox*>("check_announce")->isVisible());
    ASSERT_TRUE(waitUntil([&] { return rowNamed(list, "Ann") != nullptr; }));
    // The record may first be seen as announced before Ann's own login
    // was counted; the open list follows it.
    const QStringList annRow{"Ann", QStringLiteral("127.0.0.1:%1").arg(port), "1 (5 free)", "waiting"};
    EXPECT_TRUE(waitUntil([&] { return rowNamed(list, "Ann") && rowTexts(rowNamed(list, "Ann")) == annRow; }))
        << rowTexts(rowNamed(list, "Ann")).join('|').toStdString() << "; announced: "
        << (browse().empty() ? std::string("-") : browse()[0].txt.join(',').toStdString());
    // The solo window and Bob's own solo game are not there, now or later.
    QTest::qWait(1000);
    EXPECT_EQ(list->topLevelItemCount(), 1);
    const auto announced = browse();
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced[0].name, "Ann");

    // The open list follows the host's seats.
    guitest::WireClient cy(port, "Cy");
    EXPECT_TRUE(waitUntil([&] {
        const QTreeWidgetItem* r = rowNamed(list, "Ann");
        return r && r->text(2) == "2 (4 free)";
    }));

    // Choosing the row fills the fields; a double click joins.
    auto* address = d->findChild<QComboBox*>("combo_address");
    address->setEditText("somewhere.else");
    d->findChild<QSpinBox*>("spin_port")->setValue(1);
    QTreeWidgetItem* row = rowNamed(list, "Ann");
    list->setCurrentItem(row);
    EXPECT_EQ(address->currentText(), "127.0.0.1");
    EXPECT_EQ(d->findChild<QSpinBox*>("spin_port")->value(), port);
    d->findChild<QLineEdit*>("edit_name")->setText("Bob");
    // A picture of the dialog with the game found, for the documentation.
    const QString picture = qEnvironmentVariable("TILECREST_SCREENSHOT");
    if (!picture.isEmpty()) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
        QTest::qWait(100);
        ASSERT_TRUE(d->screen()->grabWindow(d->winId()).save(picture));  // as the X server shows it
    }
    const QRect r = list->visualItemRect(row);
    // A double click as the system delivers it: a click, then the second press.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    // The dialog closes once the host has taken Bob in.
    ASSERT_TRUE(waitUntil([&] { return ann->seat(3) == "Bob" && bob->session().loggedin(); }));
    EXPECT_TRUE(waitUntil([&] { return !d->isVisible(); }));

    // Ann's record follows: three seated, three free.
    EXPECT_TRUE(browseUntil([](const auto& l) {
        const auto s = find(l, "Ann");
        return s && s->has("players=3") && s->has("free=3");
    }));

    // Ann's hosted game ends: the announcement goes with it.
    ann->game.restart(client::MainOptions{});
    EXPECT_TRUE(browseUntil([](const auto& l) { return l.empty(); }));
    for (const QString& m : MessageRecorder::messages())
        EXPECT_FALSE(m.contains("DBus", Qt::CaseInsensitive) || m.contains("Avahi", Qt::CaseInsensitive))
            << m.toStdString();
}

TEST(WindowDiscovery, TheHostDialogsAnnounceBoxClearedMeansNeverListed) {
    REQUIRE_NETNS();
    if (!avahiRunsHere()) GTEST_SKIP() << "this run has no Avahi daemon";
    QTemporaryDir cyDir, deeDir;
    auto host = [](GameCopy& copy, const QString& name, bool announce) {
        ConnectDialog* d = openDialog(copy, true);
        auto* box = d->findChild<QCheckBox*>("check_announce");
        ASSERT_TRUE(box->isVisible());
        EXPECT_TRUE(box->isChecked());  // on unless the player cleared it before
        d->findChild<QLineEdit*>("edit_name")->setText(name);
        d->findChild<QSpinBox*>("spin_port")->setValue(freePort());
        if (!announce) QTest::mouseClick(box, Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>("button_connect"), Qt::LeftButton);
    };
    auto dee = startCopy(deeDir, {"--port", "0"});
    host(*dee, "Dee", false);
    auto cy = startCopy(cyDir, {"--port", "0"});
    host(*cy, "Cy", true);
    ASSERT_TRUE(waitUntil([&] { return dee->window().hostingPort() != 0 && cy->window().hostingPort() != 0; }));
    ASSERT_TRUE(browseUntil([](const auto& l) { return find(l, "Cy").has_value(); }));
    QTest::qWait(500);
    EXPECT_FALSE(find(browse(), "Dee"));
    EXPECT_EQ(dee->game.announcer().state(), Announcer::State::Off);
    EXPECT_EQ(cy->game.announcer().state(), Announcer::State::Established);

    // The choice is remembered for the next time.
    store::setStoreFolderOverride(deeDir.path());
    ConnectDialog* again = openDialog(*dee, true);
    EXPECT_FALSE(again->findChild<QCheckBox*>("check_announce")->isChecked());
    again->reject();
}

TEST(NoAvahi, TheJoinDialogSaysOnceThatGamesCannotBeListedAndHostingGoesOn) {
    REQUIRE_NETNS();
    if (avahiRunsHere()) GTEST_SKIP() << "needs a system bus without an Avahi daemon";
    ASSERT_TRUE(systemBusPresent());
    MessageRecorder::messages().clear();
    MessageRecorder quiet;
    QTemporaryDir annDir, bobDir;
    auto ann = startCopy(annDir, {"Ann", "127.0.0.1", "true", "--port", "0", "--pause-ms", "10"});
    ASSERT_NE(ann->window().hostingPort(), 0);
    auto bob = startCopy(bobDir, {"--port", "0"});
    ConnectDialog* d = openDialog(*bob, false);
    ASSERT_NE(d, nullptr);
    auto* note = d->findChild<QLabel*>("label_discovery");
    ASSERT_TRUE(waitUntil([&] { return note->isVisible(); }));
    EXPECT_EQ(note->text(), unavailableText());
    EXPECT_EQ(d->findChild<QTreeWidget*>("list_games")->topLevelItemCount(), 0);
    EXPECT_TRUE(waitUntil([&] { return ann->game.announcer().state() == Announcer::State::Unavailable; }));
    // A bus without Avahi is Avahi's absence, not a failure to name; the
    // host is told so once.
    EXPECT_TRUE(ann->game.announcer().avahiAbsent());
    EXPECT_EQ(ann->game.announcer().error(), "Avahi is not running");
    EXPECT_TRUE(d->browser().avahiAbsent());
    EXPECT_TRUE(waitUntil([&] { return ann->chat().contains("Your game is not shown"); }));
    QTest::qWait(200);
    EXPECT_EQ(ann->chat().simplified().count("Your game is not shown to players on your network, as the Avahi "
                                             "service"),
              1)
        << ann->chat().toStdString();
    // Typing still joins.
    d->findChild<QLineEdit*>("edit_name")->setText("Bob");
    // A picture of the dialog with the game found, for the documentation.
    const QString picture = qEnvironmentVariable("TILECREST_SCREENSHOT");
    if (!picture.isEmpty()) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
        QTest::qWait(100);
        ASSERT_TRUE(d->screen()->grabWindow(d->winId()).save(picture));  // as the X server shows it
    }
    d->findChild<QComboBox*>("combo_address")->setEditText("127.0.0.1");
    d->findChild<QSpinBox*>("spin_port")->setValue(ann->window().hostingPort());
    QTest::mouseClick(d->findChild<QPushButton*>("button_connect"), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return ann->seat(2) == "Bob"; }));
    EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::messages().join('\n').toStdString();
}

} // namespace
} // namespace tc::discovery::test
