// File > Host a Game / Join a Game: two copies, each with its own settings
// folder, find each other through their dialogs; every way it can fail
// leaves one line in the chat, one window and a dialog that works again.
#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTemporaryDir>

#include "GameCopy.h"
#include "chat/ChatInput.h"
#include "client/ConnectDialog.h"
#include "client/LocalAddresses.h"
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

ConnectDialog* openDialog(GameCopy& copy, bool host) {
    copy.window().findChild<QAction*>(host ? "HostaGame1" : "JoinaGame1")->trigger();
    auto* dialog = copy.window().findChild<ConnectDialog*>("ConnectDialog");
    EXPECT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog && dialog->isVisible());
    return dialog;
}

// Fills the dialog as a player would and presses Host or Join.
void connectThrough(GameCopy& copy, bool host, const QString& name, const QString& address, int port) {
    ConnectDialog* d = openDialog(copy, host);
    ASSERT_NE(d, nullptr);
    auto* nameEdit = d->findChild<QLineEdit*>("edit_name");
    nameEdit->clear();
    QTest::keyClicks(nameEdit, name);
    if (!host) d->findChild<QComboBox*>("combo_address")->setEditText(address);
    d->findChild<QSpinBox*>("spin_port")->setValue(port);
    auto* button = d->findChild<QPushButton*>("button_connect");
    EXPECT_EQ(button->text(), host ? "Host" : "Join");
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
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

TEST(ConnectDialog, ARefusedJoinSaysSoAndTheAddressIsOfferedAgainAfterARestart) {
    QTemporaryDir folder;
    const int port = freePort();  // nobody listens there now
    {
        auto cy = soloCopy(folder);
        connectThrough(*cy, false, "Cy", "127.0.0.1", port);
        const QString line = QStringLiteral(
            "Could not connect to 127.0.0.1 port %1: Connection refused. Is a game hosted there on this port?").arg(port);
        ASSERT_TRUE(waitUntil([&] { return cy->chatHas(line); })) << cy->chat().toStdString();
        EXPECT_EQ(cy->chat().count("Could not connect"), 1);
        EXPECT_FALSE(cy->session().loggedin());
        EXPECT_EQ(visibleMainWindows(), 1);
    }
    auto again = soloCopy(folder);
    ConnectDialog* d = openDialog(*again, false);
    ASSERT_NE(d, nullptr);
    auto* combo = d->findChild<QComboBox*>("combo_address");
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), "127.0.0.1");
    EXPECT_EQ(combo->currentText(), "127.0.0.1");
    EXPECT_EQ(d->findChild<QSpinBox*>("spin_port")->value(), port);
    EXPECT_EQ(d->findChild<QLineEdit*>("edit_name")->text(), "Cy");
    d->reject();
}

TEST(ConnectDialog, ANameThatDoesNotResolveAndAHostThatDoesNotAnswerEachGiveOneLine) {
    QTemporaryDir folder;
    auto dee = soloCopy(folder);
    connectThrough(*dee, false, "Dee", "nobody.invalid", 7772);
    const QString notFound =
        "Could not connect to nobody.invalid port 7772: Host not found. Check the address.";
    ASSERT_TRUE(waitUntil([&] { return dee->chatHas(notFound); })) << dee->chat().toStdString();

    // The dialog works again; this time nobody answers at all.
    DeafListener deaf;
    ASSERT_NE(deaf.port, 0);
    dee->window().setConnectTimeout(2000);
    connectThrough(*dee, false, "Dee", "127.0.0.1", deaf.port);
    const QString silent = QStringLiteral("Could not connect to 127.0.0.1 port %1: No answer within 2 seconds.")
                               .arg(deaf.port);
    ASSERT_TRUE(waitUntil([&] { return dee->chatHas(silent); }, 10000)) << dee->chat().toStdString();
    EXPECT_EQ(dee->chat().count("Could not connect"), 2);
    EXPECT_FALSE(dee->session().loggedin());
    EXPECT_EQ(visibleMainWindows(), 1);
    // Both addresses are remembered, newest first.
    ConnectDialog* d = openDialog(*dee, false);
    auto* combo = d->findChild<QComboBox*>("combo_address");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "127.0.0.1");
    EXPECT_EQ(combo->itemText(1), "nobody.invalid");
    d->reject();
}

TEST(ConnectDialog, HostingOnATakenPortSaysSoAndTheNextTryCanHost) {
    QTemporaryDir folder;
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::Any, 0));
    auto eve = soloCopy(folder);
    connectThrough(*eve, true, "Eve", {}, holder.serverPort());
    const QString taken = QStringLiteral("Cannot host the game: port %1 is not available").arg(holder.serverPort());
    ASSERT_TRUE(waitUntil([&] { return eve->chatHas(taken); })) << eve->chat().toStdString();
    EXPECT_TRUE(eve->chatHas("Choose another port."));
    EXPECT_FALSE(eve->session().ishost());
    EXPECT_EQ(eve->window().hostingPort(), 0);
    EXPECT_EQ(visibleMainWindows(), 1);

    const int port = freePort();
    connectThrough(*eve, true, "Eve", {}, port);
    ASSERT_TRUE(waitUntil([&] { return eve->session().loggedin() && eve->seat(1) == "Eve"; }));
    EXPECT_EQ(eve->window().hostingPort(), port);
    EXPECT_EQ(eve->chat().count("Cannot host the game"), 1);
}

TEST(ConnectDialog, AJoinerToldTheGameIsFullIsBackInASoloGame) {
    QTemporaryDir hostFolder, folder;
    auto ann = soloCopy(hostFolder);
    const quint16 port = ann->window().hostingPort();
    std::vector<std::unique_ptr<tc::guitest::WireClient>> others;
    for (int slot = 2; slot <= 9; ++slot) {
        others.push_back(std::make_unique<tc::guitest::WireClient>(port, "P" + QByteArray::number(slot)));
        ASSERT_TRUE(waitUntil([&] { return others.back()->slot == slot; }));
    }
    auto gus = soloCopy(folder);
    connectThrough(*gus, false, "Gus", "127.0.0.1", port);
    ASSERT_TRUE(waitUntil([&] { return !gus->messages.isEmpty(); }));
    EXPECT_EQ(gus->messages, (QStringList{"Game is full"}));
    ASSERT_TRUE(waitUntil([&] { return gus->chatHas("The game has ended; back to a solo game."); }));
    ASSERT_TRUE(waitUntil([&] { return gus->session().ishost() && gus->seat(1) == "You"; }));
    EXPECT_TRUE(gus->window().isVisible());
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
    const auto o = d->options();
    EXPECT_EQ(o.params, (std::vector<std::string>{"Fay", "::1", "x"}));
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
