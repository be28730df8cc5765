// File > Host a Game / Join a Game: two copies, each with its own settings
// folder, find each other through their dialogs. A try that fails leaves
// the player in the game he is in and the dialog open with the reason; only
// what worked is remembered.
#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "GameCopy.h"
#include "chat/ChatInput.h"
#include "client/ConnectDialog.h"
#include "client/JoinAttempt.h"
#include "client/LocalAddresses.h"
#include "discovery/Announcer.h"
#include "client/GameStartWindow.h"
#include "game/Lcg.h"
#include "server/ServerHost.h"
#include "session/ReachableAddresses.h"
#include "store/StoreLocation.h"
#include "windows/DownloadWindow.h"

using tc::client::ConnectDialog;
using tc::guitest::GameCopy;
using tc::guitest::waitUntil;

namespace {

// A copy started solo on a port of its own, with its settings in `folder`.
std::unique_ptr<GameCopy> soloCopy(const QTemporaryDir& folder) {
    tc::store::setStoreFolderOverride(folder.path());
    auto copy = std::make_unique<GameCopy>(QStringList{"--port", "0", "--pause-ms", "10"});
    EXPECT_TRUE(waitUntil([&] { return copy->session().loggedin() && copy->seat(1) == "You"; }));
    return copy;
}

QString problem(ConnectDialog* d) {
    auto* label = d->findChild<QLabel*>("label_problem");
    return label->isVisible() ? label->text() : QString();
}

ConnectDialog* openDialog(GameCopy& copy, bool host) {
    copy.window().findChild<QAction*>(host ? "HostaGame1" : "JoinaGame1")->trigger();
    auto* dialog = copy.window().findChild<ConnectDialog*>("ConnectDialog");
    EXPECT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog && dialog->isVisible());
    return dialog;
}

// Fills the dialog as a player would and presses Host or Join.
ConnectDialog* press(GameCopy& copy, bool host, const QString& name, const QString& address, int port) {
    ConnectDialog* d = openDialog(copy, host);
    if (!d) return nullptr;
    auto* nameEdit = d->findChild<QLineEdit*>("edit_name");
    nameEdit->clear();
    QTest::keyClicks(nameEdit, name);
    if (!host) d->findChild<QComboBox*>("combo_address")->setEditText(address);
    d->findChild<QSpinBox*>("spin_port")->setValue(port);
    auto* button = d->findChild<QPushButton*>("button_connect");
    EXPECT_EQ(button->text(), host ? "Host" : "Join");
    EXPECT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    return d;
}

// The same, for a try that is to work: the dialog closes.
void connectThrough(GameCopy& copy, bool host, const QString& name, const QString& address, int port) {
    ConnectDialog* d = press(copy, host, name, address, port);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(waitUntil([&] { return !d->isVisible(); })) << problem(d).toStdString();
}

// The same, for a try that is to fail: the dialog stays with the reason.
QString failedTry(GameCopy& copy, bool host, const QString& name, const QString& address, int port) {
    ConnectDialog* d = press(copy, host, name, address, port);
    if (!d || !waitUntil([&] { return !d->trying(); })) return QStringLiteral("(still trying)");
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->findChild<QPushButton*>("button_connect")->isEnabled());
    return problem(d);
}

int freePort() {
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::Any, 0));
    return probe.serverPort();
}

int visibleMainWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Tchat" && w->isVisible()) ++n;
    return n;
}

QString settingsText(const QTemporaryDir& folder) {
    QFile f(folder.filePath("velmoralobby.ini"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A listener on 127.0.0.1 whose one-place backlog is already taken, so a
// further connect is never answered.
struct DeafListener {
    DeafListener() {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&a), len) == 0 && ::listen(fd, 0) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port = ntohs(a.sin_port);
        filler.connectToHost(QHostAddress::LocalHost, port);
        filler.waitForConnected(5000);
    }
    ~DeafListener() { ::close(fd); }
    int fd = -1;
    quint16 port = 0;
    QTcpSocket filler;
};

// A game host of the test's own on loopback: greets every connection with
// `greeting`, answers a login with `answer`, and keeps what it received.
class FakeHost : public QObject {
public:
    FakeHost(QByteArray greeting, QByteArray answer, const QHostAddress& where = QHostAddress::LocalHost)
        : greeting_(std::move(greeting)), answer_(std::move(answer)) {
        listening = server_.listen(where, 0);
        port = server_.serverPort();
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                s->setParent(this);
                s->write(greeting_);
                connect(s, &QTcpSocket::readyRead, this, [this, s] {
                    received += s->readAll();
                    if (!answer_.isEmpty() && received.contains("CMD_logininfo+")) {
                        s->write(answer_);
                        answer_.clear();
                    }
                });
            }
        });
    }
    bool listening = false;
    quint16 port = 0;
    QByteArray received;

    // Sends `bytes` to every connection, or ends them all.
    void say(const QByteArray& bytes) {
        for (QTcpSocket* s : findChildren<QTcpSocket*>()) s->write(bytes);
    }
    void dropAll() {
        for (QTcpSocket* s : findChildren<QTcpSocket*>()) s->abort();
    }

private:
    QTcpServer server_;
    QByteArray greeting_, answer_;
};

} // namespace

TEST(ConnectDialog, HostAndJoinThroughTheDialogsThenChatAndFallBackToSoloWhenTheHostGoes) {
    QTemporaryDir annFolder, bobFolder;
    auto ann = soloCopy(annFolder);
    const int port = freePort();
    connectThrough(*ann, true, "Ann", {}, port);
    ASSERT_TRUE(waitUntil([&] { return ann->session().loggedin() && ann->seat(1) == "Ann"; }));
    EXPECT_TRUE(ann->session().ishost());
    EXPECT_EQ(ann->window().hostingPort(), port);
    // The addresses to give out, once, right after the loading line.
    const QString where = QString::fromStdString(tc::client::joinAddressesLine(tc::client::localAddresses(), port));
    EXPECT_TRUE(where.contains(QStringLiteral("port %1").arg(port)));
    // As the chat shows it: whole, IPv6 addresses included (no head).
    const QString shown = where.simplified();
    const QString chat = ann->chat().simplified();
    EXPECT_EQ(chat.count(shown), 1) << chat.toStdString();
    EXPECT_LT(chat.indexOf("Loading Multi-player Game.. Please Wait."), chat.indexOf(shown));

    auto bob = soloCopy(bobFolder);
    connectThrough(*bob, false, "Bob", "127.0.0.1", port);
    ASSERT_TRUE(waitUntil([&] { return bob->seat(1) == "Ann" && bob->seat(2) == "Bob" && ann->seat(2) == "Bob"; }));
    EXPECT_FALSE(bob->session().ishost());
    EXPECT_EQ(visibleMainWindows(), 2);

    auto* input = bob->window().findChild<tc::chat::ChatInput*>("mychat");
    input->setFocus();
    QTest::keyClicks(input, "found you");
    QTest::keyClick(input, Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return ann->chatHas("found you") && bob->chatHas("found you"); }));

    EXPECT_TRUE(settingsText(bobFolder).contains("PlayerName=Bob"));
    EXPECT_TRUE(settingsText(bobFolder).contains("RecentAddress1=127.0.0.1"));
    EXPECT_TRUE(settingsText(annFolder).contains(QStringLiteral("GamePort=%1").arg(port)));
    EXPECT_FALSE(settingsText(annFolder).contains("RecentAddress1=127"));

    // The host goes: the joiner is back in a solo game, still one window,
    // and the lobby offer of the program's start is not repeated.
    bob->game.download().hide();
    ann.reset();
    ASSERT_TRUE(waitUntil([&] { return bob->session().ishost() && bob->seat(1) == "You" && bob->session().loggedin(); }));
    EXPECT_TRUE(bob->chatHas("The game has ended; back to a solo game."));
    EXPECT_TRUE(bob->window().isVisible());
    EXPECT_EQ(visibleMainWindows(), 1);
    EXPECT_FALSE(bob->game.download().isVisible());
}

TEST(ConnectDialog, AFailedJoinLeavesThePlayerSeatedAndTheDialogOpenWithTheReason) {
    QTemporaryDir annFolder, bobFolder;
    auto ann = soloCopy(annFolder);
    const int port = freePort();
    connectThrough(*ann, true, "Ann", {}, port);
    ASSERT_TRUE(waitUntil([&] { return ann->session().loggedin() && ann->seat(1) == "Ann"; }));
    auto bob = soloCopy(bobFolder);
    connectThrough(*bob, false, "Bob", "127.0.0.1", port);
    ASSERT_TRUE(waitUntil([&] { return ann->seat(2) == "Bob" && bob->session().myseat() == 2; }));
    const QString remembered = settingsText(bobFolder);
    bob->game.joinAttempt().setTimeout(2000);

    const int nobody = freePort();
    EXPECT_EQ(failedTry(*bob, false, "Bob", QStringLiteral("127.0.0.1:%1").arg(nobody), port),
              "Connection refused. Is a game hosted there on this port?");
    FakeHost full("CMD_full+\xFF", {});
    ASSERT_TRUE(full.listening);
    EXPECT_EQ(failedTry(*bob, false, "Bob", "127.0.0.1", full.port), "Game is full");
    FakeHost silent({}, {});
    EXPECT_EQ(failedTry(*bob, false, "Bob", "127.0.0.1", silent.port),
              "The host did not take you in within 2 seconds. Try again in a moment.");
    DeafListener deaf;
    ASSERT_NE(deaf.port, 0);
    EXPECT_EQ(failedTry(*bob, false, "Bob", "127.0.0.1", deaf.port),
              "No answer within 2 seconds. Check the address, and that the host's firewall lets the port through.");
    // A port that does not read is refused before anything is tried.
    EXPECT_EQ(failedTry(*bob, false, "Bob", "127.0.0.1:77x", port),
              "After the colon comes the port, a number from 1 to 65535; or leave it out and use the Port box.");

    // Through all of it Bob stayed in Ann's game, and the dialog waits for
    // a correction in the address field.
    auto* d = bob->window().findChild<ConnectDialog*>("ConnectDialog");
    EXPECT_TRUE(d->isVisible());
    auto* combo = d->findChild<QComboBox*>("combo_address");
    EXPECT_TRUE(d->focusWidget() == combo || combo->isAncestorOf(d->focusWidget()));
    EXPECT_EQ(bob->session().myseat(), 2);
    EXPECT_TRUE(bob->session().loggedin());
    EXPECT_EQ(ann->seat(2), "Bob");
    EXPECT_FALSE(ann->chatHas("Bob disconnected."));
    auto* input = bob->window().findChild<tc::chat::ChatInput*>("mychat");
    input->setText("still here");
    QTest::keyClick(input, Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return ann->chatHas("still here"); }));
    EXPECT_FALSE(bob->chatHas("Could not connect"));
    // Nothing of the failed tries was remembered.
    EXPECT_EQ(settingsText(bobFolder), remembered);
    d->reject();
    ConnectDialog* again = openDialog(*bob, false);
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), "127.0.0.1");
    EXPECT_EQ(problem(again), "");
    again->reject();
}

TEST(ConnectDialog, ASuccessfulJoinMovesThePlayerAndLogsInOnce) {
    QTemporaryDir folder;
    auto bob = soloCopy(folder);
    FakeHost zed("CMD_sendlogininfo+4\xFF", "CMD_existingplayers+1+Zed+0\xFF" "CMD_newplayerinfo+4+Bob+0\xFF",
                 QHostAddress::LocalHostIPv6);
    if (!zed.listening) GTEST_SKIP() << "no IPv6 loopback here";
    connectThrough(*bob, false, "Bob", QStringLiteral("[::1]:%1").arg(zed.port), 7772);
    ASSERT_TRUE(waitUntil([&] { return bob->seat(1) == "Zed" && bob->seat(4) == "Bob"; }))
        << bob->chat().toStdString() << zed.received.toStdString();
    EXPECT_EQ(bob->session().myseat(), 4);
    EXPECT_TRUE(bob->session().loggedin());
    EXPECT_FALSE(bob->session().ishost());
    EXPECT_EQ(bob->game.server().serverPort(), 0);  // the solo game's server is gone
    EXPECT_EQ(bob->seat(2), "<Waiting>");  // the new table only
    EXPECT_TRUE(bob->chatHas("You are Connected."));
    // The login went out once, from the try; the session sent nothing more.
    QTest::qWait(200);
    EXPECT_EQ(zed.received, QByteArray("CMD_logininfo+4+1.0.3+Bob\xFF\xFF"));
    // The host without brackets and port, the port in its own key.
    EXPECT_TRUE(settingsText(folder).contains("RecentAddress1=::1\r\n"));
    EXPECT_TRUE(settingsText(folder).contains(QStringLiteral("GamePort=%1\r\n").arg(zed.port)));
}

TEST(ConnectDialog, AJoinTheHostTurnsAwayAfterTheLoginIsAFailedJoin) {
    QTemporaryDir folder;
    auto bob = soloCopy(folder);
    bob->game.joinAttempt().setTimeout(2000);
    FakeHost removed("CMD_sendlogininfo+3\xFF", "CMD_removed+\xFF");
    FakeHost full("CMD_sendlogininfo+3\xFF", "CMD_full+\xFF");
    ASSERT_TRUE(removed.listening && full.listening);
    EXPECT_EQ(failedTry(*bob, false, "Bob", "127.0.0.1", removed.port), "The host removed you from this game.");
    EXPECT_EQ(failedTry(*bob, false, "Bob", "127.0.0.1", full.port), "Game is full");
    // Still in his own game, with nothing of the other tables.
    EXPECT_EQ(bob->seat(1), "You");
    EXPECT_TRUE(bob->session().loggedin());
    EXPECT_EQ(bob->session().myseat(), 1);
    EXPECT_FALSE(bob->chatHas("The host removed you"));
    // A wrong version is told, but the host seats the newcomer all the same.
    bob->window().findChild<ConnectDialog*>("ConnectDialog")->reject();
    FakeHost older("CMD_sendlogininfo+3\xFF", "CMD_newplayerinfo+3+Bob+0\xFF" "CMD_wrongversion+\xFF");
    connectThrough(*bob, false, "Bob", "127.0.0.1", older.port);
    ASSERT_TRUE(waitUntil([&] { return bob->seat(3) == "Bob"; }));
    EXPECT_EQ(bob->session().myseat(), 3);
    ASSERT_TRUE(waitUntil([&] { return bob->chatHas("You have a differnt version of the game then the host."); }));
}

TEST(ConnectDialog, TheJoinTakesWhatWasSentAndNoConnectionMovesTheWindow) {
    QTemporaryDir folder;
    auto bob = soloCopy(folder);
    bob->game.download().hide();
    auto& w = bob->window();
    // Where the player put the window after the first login of the run.
    w.move(130, 90);
    w.resize(760, 580);
    ASSERT_TRUE(waitUntil([&] { return w.pos() == QPoint(130, 90) && w.size() == QSize(760, 580); }));

    FakeHost zed("CMD_sendlogininfo+4\xFF", {});
    ASSERT_TRUE(zed.listening);
    ConnectDialog* d = press(*bob, false, "Bob", "127.0.0.1", zed.port);
    ASSERT_TRUE(waitUntil([&] { return zed.received.contains("CMD_logininfo+4+1.0.3+Bob"); }));
    // Typed while the try runs: not what the try is.
    d->findChild<QLineEdit*>("edit_name")->setText("Other");
    d->findChild<QComboBox*>("combo_address")->setEditText("10.9.9.9");
    d->findChild<QSpinBox*>("spin_port")->setValue(1234);
    zed.say("CMD_existingplayers+1+Zed+0\xFF" "CMD_newplayerinfo+4+Bob+0\xFF");
    ASSERT_TRUE(waitUntil([&] { return !d->isVisible() && bob->seat(4) == "Bob"; }));
    EXPECT_EQ(bob->session().myname(), "Bob");
    EXPECT_EQ(bob->session().hostaddress(), "127.0.0.1");
    EXPECT_TRUE(settingsText(folder).contains("PlayerName=Bob\r\n"));
    EXPECT_TRUE(settingsText(folder).contains("RecentAddress1=127.0.0.1\r\n"));
    EXPECT_TRUE(settingsText(folder).contains(QStringLiteral("GamePort=%1\r\n").arg(zed.port)));
    EXPECT_FALSE(settingsText(folder).contains("10.9.9.9"));
    EXPECT_EQ(w.pos(), QPoint(130, 90));
    EXPECT_EQ(w.size(), QSize(760, 580));

    // Another join is tried when Zed's game ends: the dialog is told, and
    // the window, back in a solo game, stays where it is.
    bob->game.joinAttempt().setTimeout(5000);
    FakeHost silent("CMD_sendlogininfo+2\xFF", {});
    d = press(*bob, false, "Bob", "127.0.0.1", silent.port);
    ASSERT_TRUE(waitUntil([&] { return silent.received.contains("CMD_logininfo+2"); }));
    EXPECT_TRUE(d->trying());
    zed.dropAll();
    ASSERT_TRUE(waitUntil([&] { return !d->trying(); }));
    EXPECT_EQ(problem(d), "Your game ended while you were joining, so you are back in a solo game. Press Join to "
                          "try again.");
    EXPECT_TRUE(d->findChild<QPushButton*>("button_connect")->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return bob->session().loggedin() && bob->seat(1) == "You"; }));
    EXPECT_EQ(w.pos(), QPoint(130, 90));
    EXPECT_EQ(w.size(), QSize(760, 580));
    d->reject();
}

TEST(ConnectDialog, TheFirstPlayerOnAServerWithoutAWindowStartsItsGames) {
    QTemporaryDir folder;
    auto ann = soloCopy(folder);
    ann->game.download().hide();
    tc::game::Lcg rng(7);
    tc::server::ServerHost headless(rng);  // as tilecrest-server runs it
    QString error;
    ASSERT_TRUE(headless.listen(QHostAddress::LocalHost, 0, &error)) << error.toStdString();
    connectThrough(*ann, false, "Ann", "127.0.0.1", headless.serverPort());
    ASSERT_TRUE(waitUntil([&] { return ann->session().myseat() == 1 && ann->seat(1) == "Ann"; }));
    EXPECT_TRUE(ann->session().ishost());
    EXPECT_TRUE(ann->window().findChild<QAction*>("StartGame1")->isEnabled());
    auto* button = ann->window().findChild<QWidget*>("button_start");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(waitUntil([&] { return button->isVisible(); }));
    QTest::mouseClick(button, Qt::LeftButton);
    auto& start = ann->game.gameStart();
    ASSERT_TRUE(waitUntil([&] { return start.isVisible(); }));
    // That server plays Rudi its own way: the window's choice would count for nothing.
    EXPECT_FALSE(start.findChild<QWidget*>("radio_expert")->isEnabled());
    EXPECT_FALSE(start.findChild<QWidget*>("radio_classic")->isEnabled());
    QTest::mouseClick(start.findChild<QPushButton*>("button_start"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return headless.server().gamestarted(); }));
    ASSERT_TRUE(waitUntil([&] { return ann->chatHas("You have started a game."); }));
    EXPECT_FALSE(button->isVisible());
}

TEST(ConnectDialog, AWindowClosedWithTheJoinDialogOpenEndsCleanly) {
    QTemporaryDir folder;
    auto fay = soloCopy(folder);
    ConnectDialog* d = openDialog(*fay, false);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    fay.reset();  // the dialog and its game browser go with the window
    SUCCEED();
}

TEST(ConnectDialog, HostingOnATakenPortKeepsTheDialogAndOffersAFreeOne) {
    QTemporaryDir folder;
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::Any, 0));
    auto eve = soloCopy(folder);
    const QString reason = failedTry(*eve, true, "Eve", {}, holder.serverPort());
    const QString head = QStringLiteral("Port %1 is not available (").arg(holder.serverPort());
    EXPECT_TRUE(reason.startsWith(head)) << reason.toStdString();
    auto* d = eve->window().findChild<ConnectDialog*>("ConnectDialog");
    auto* spin = d->findChild<QSpinBox*>("spin_port");
    EXPECT_TRUE(reason.endsWith(QStringLiteral(" Port %1 is free: press Host to use it.").arg(spin->value())))
        << reason.toStdString();
    EXPECT_NE(spin->value(), holder.serverPort());
    EXPECT_TRUE(d->focusWidget() == spin || spin->isAncestorOf(d->focusWidget()));
    // The reason wraps onto rows of its own: the dialog grew, no field is
    // squeezed below its height and nothing overlaps the port.
    auto* problem = d->findChild<QLabel*>("label_problem");
    auto* name = d->findChild<QLineEdit*>("edit_name");
    ASSERT_TRUE(problem && name);
    EXPECT_TRUE(problem->isVisible());
    for (QWidget* field : std::initializer_list<QWidget*>{name, spin})
        EXPECT_GE(field->height(), field->sizeHint().height()) << field->objectName().toStdString();
    EXPECT_GE(problem->height(), problem->heightForWidth(problem->width()));
    EXPECT_GE(problem->y(), spin->geometry().bottom());
    // Eve is still in her solo game.
    EXPECT_TRUE(eve->session().loggedin());
    EXPECT_EQ(eve->seat(1), "You");
    EXPECT_FALSE(eve->chatHas("Cannot host the game"));

    const int offered = spin->value();
    QTest::mouseClick(d->findChild<QPushButton*>("button_connect"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !d->isVisible() && eve->session().loggedin() && eve->seat(1) == "Eve"; }));
    EXPECT_EQ(eve->window().hostingPort(), offered);
    EXPECT_TRUE(settingsText(folder).contains(QStringLiteral("GamePort=%1").arg(offered)));
}

TEST(ConnectDialog, HostingOnTheSoloGamesOwnPortWorks) {
    QTemporaryDir folder;
    auto eve = soloCopy(folder);
    const quint16 soloPort = eve->game.server().serverPort();
    ASSERT_NE(soloPort, 0);
    connectThrough(*eve, true, "Eve", {}, soloPort);
    ASSERT_TRUE(waitUntil([&] { return eve->session().loggedin() && eve->seat(1) == "Eve"; }));
    EXPECT_EQ(eve->window().hostingPort(), soloPort);
}

TEST(ConnectDialog, FieldsAreCheckedBeforeTheButtonWorks) {
    QTemporaryDir folder;
    auto fay = soloCopy(folder);
    ConnectDialog* d = openDialog(*fay, false);
    auto* button = d->findChild<QPushButton*>("button_connect");
    d->findChild<QLineEdit*>("edit_name")->setText("  ");
    d->findChild<QComboBox*>("combo_address")->setEditText("[::1]");
    EXPECT_FALSE(button->isEnabled());
    d->findChild<QLineEdit*>("edit_name")->setText(" Fay ");
    EXPECT_TRUE(button->isEnabled());
    auto o = d->options();
    EXPECT_EQ(o.params, (std::vector<std::string>{"Fay", "::1", "x"}));
    d->findChild<QComboBox*>("combo_address")->setEditText("host.lan:7773");
    o = d->options();
    EXPECT_EQ(o.params, (std::vector<std::string>{"Fay", "host.lan", "x"}));
    EXPECT_EQ(o.port, 7773);
    d->findChild<QComboBox*>("combo_address")->setEditText(" ");
    EXPECT_FALSE(button->isEnabled());
    d->reject();
    // Hosting needs no address; the command line it makes is the host's.
    d = openDialog(*fay, true);
    EXPECT_FALSE(d->findChild<QComboBox*>("combo_address")->isVisible());
    d->findChild<QLineEdit*>("edit_name")->setText("");
    EXPECT_FALSE(button->isEnabled());
    d->findChild<QLineEdit*>("edit_name")->setText("Fay");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(d->options().params[2], "true");
    d->reject();
}

// A listed game chosen by a double click before a name is typed: the
// address is taken, and the dialog says what is missing and where.
TEST(ConnectDialog, ADoubleClickedGameWithoutANameAsksForTheName) {
    QTemporaryDir folder;
    auto hal = soloCopy(folder);
    ConnectDialog* d = openDialog(*hal, false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
    auto* name = d->findChild<QLineEdit*>("edit_name");
    auto* problem = d->findChild<QLabel*>("label_problem");
    auto* games = d->findChild<QTreeWidget*>("list_games");
    name->setText("");
    // A row as the browser lists one: its address and port in the row's data.
    auto* row = new QTreeWidgetItem(games, {"Ann's game", "127.0.0.1:7790", "1", "Waiting"});
    row->setData(0, Qt::UserRole, QStringLiteral("127.0.0.1"));
    row->setData(0, Qt::UserRole + 1, 7790);
    const QRect at = games->visualItemRect(row);
    QTest::mouseClick(games->viewport(), Qt::LeftButton, {}, at.center());
    QTest::mouseDClick(games->viewport(), Qt::LeftButton, {}, at.center());
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->findChild<QComboBox*>("combo_address")->currentText(), "127.0.0.1");
    EXPECT_TRUE(problem->isVisible());
    EXPECT_EQ(problem->text(), "Type your name first: a game is joined under it.");
    EXPECT_TRUE(waitUntil([&] { return name->hasFocus(); }));
    // Typed: the remark goes, Join is on.
    QTest::keyClicks(name, "Hal");
    EXPECT_FALSE(problem->isVisible());
    EXPECT_TRUE(d->findChild<QPushButton*>("button_connect")->isEnabled());
    d->reject();
}

// Where nothing can list games (here: no system bus at all, as the test
// main sets it) the Join dialog opens with the note already showing,
// prints nothing, and a game hosted meanwhile is simply not announced.
TEST(ConnectDialog, WithoutAvahiTheJoinDialogSaysOnceThatGamesCannotBeListed) {
    static QStringList printed;
    printed.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
            if (!m.startsWith(QLatin1String("This plugin does not support"))) printed << m;
        });
    QTemporaryDir folder;
    auto gil = soloCopy(folder);
    ConnectDialog* d = openDialog(*gil, false);
    auto* note = d->findChild<QLabel*>("label_discovery");
    // At once: no reply is awaited before the note shows.
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(), "Finding games on your network needs the Avahi service (avahi-daemon), which is not "
                            "running here. You can still type the host's address.");
    EXPECT_TRUE(d->findChild<QTreeWidget*>("list_games")->isVisible());
    EXPECT_EQ(d->findChild<QTreeWidget*>("list_games")->topLevelItemCount(), 0);
    d->reject();
    // The Host dialog has the announce box instead, and no list or note.
    d = openDialog(*gil, true);
    EXPECT_TRUE(d->findChild<QCheckBox*>("check_announce")->isVisible());
    EXPECT_FALSE(d->findChild<QTreeWidget*>("list_games")->isVisible());
    EXPECT_FALSE(note->isVisible());
    d->findChild<QLineEdit*>("edit_name")->setText("Gil");
    d->findChild<QSpinBox*>("spin_port")->setValue(freePort());
    QTest::mouseClick(d->findChild<QPushButton*>("button_connect"), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return gil->session().loggedin() && gil->seat(1) == "Gil"; }));
    EXPECT_EQ(gil->game.announcer().state(), tc::discovery::Announcer::State::Unavailable);
    // The host is told, once, after where others can join.
    const QString told = "Your game is not shown to players on your network, as the Avahi service (avahi-daemon) is "
                         "not running here. They can still join at your address.";
    EXPECT_TRUE(waitUntil([&] { return gil->chatHas(told); }));
    QTest::qWait(200);
    EXPECT_EQ(gil->chat().simplified().count(told.simplified()), 1) << gil->chat().toStdString();
    EXPECT_LT(gil->chat().indexOf("Others can join at"), gil->chat().indexOf("Your game is not shown"));
    // Opened again, it says the same once more, in the same one line.
    d = openDialog(*gil, false);
    EXPECT_TRUE(note->isVisible());
    d->reject();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(printed.isEmpty()) << printed.join('\n').toStdString();
}
