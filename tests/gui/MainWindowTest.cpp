#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTcpServer>

#include "GameCopy.h"
#include "chat/ChatPane.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "client/MenuKeys.h"

using tc::guitest::GameCopy;
using tc::guitest::WireClient;
using tc::guitest::waitUntil;

namespace {

QStringList captions(const QList<QAction*>& actions) {
    QStringList out;
    // As the player reads them: the mnemonic's underline is no letter.
    for (QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("-") : tc::client::MenuKeys::plain(a->text()));
    return out;
}

std::unique_ptr<GameCopy> startHost(const QString& name) {
    auto host = std::make_unique<GameCopy>(QStringList{name, "127.0.0.1", "true", "--port", "0"});
    EXPECT_TRUE(waitUntil([&] { return host->session().loggedin() && host->seat(1) == name; }));
    return host;
}

QStringList joinArgs(const QString& name, GameCopy& host) {
    return {name, "127.0.0.1", "false", "--port", QString::number(host.window().hostingPort())};
}

// Opens popup_kick over seat N's name the way a right click does.
QMenu* openSeatMenu(GameCopy& copy, int seat) {
    auto* name = copy.window().findChild<QLabel*>(QStringLiteral("label_playername%1").arg(seat));
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(3, 3), name->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(name, &e);
    return copy.window().findChild<QMenu*>("popup_kick");
}

} // namespace

TEST(MainWindow, MenusHoldOnlyWhatWorks) {
    GameCopy solo({"--port", "0"});
    auto& w = solo.window();
    EXPECT_EQ(w.objectName(), "Tchat");
    EXPECT_EQ(captions(w.menuBar()->actions()),
              (QStringList{"File", "Play", "Options", "View", "Help", "-", "Solo Version of Tilecrest"}));
    EXPECT_EQ(captions(w.findChild<QMenu*>("File1")->actions()),
              (QStringList{"Start Game", "Host a Game\u2026", "Join a Game\u2026", "-", "Exit"}));
    EXPECT_EQ(captions(w.findChild<QMenu*>("Options1")->actions()),
              (QStringList{"Just Watch", "Show Best Move", "-", "Play Sounds", "Play Chatter Sounds", "Text Color",
                           "Text Size", "Scroll Chat Off", "-", "Reset Screen Location", "Language"}));
    EXPECT_EQ(captions(w.findChild<QMenu*>("TextSize1")->actions()), (QStringList{"8", "10", "12", "14"}));
    EXPECT_EQ(captions(w.findChild<QMenu*>("View1")->actions()), (QStringList{"View Tally", "Spy List", "Phrase List", "-", "Full Screen"}));
    EXPECT_EQ(captions(w.findChild<QMenu*>("Help1")->actions()),
              (QStringList{"Content", "Quick Instructions", "About", "Download The Velmora Lobby\u2026"}));
    EXPECT_EQ(w.findChild<QAction*>("QuickInstructions1")->shortcut(), QKeySequence("Ctrl+I"));

    // One Scroll Chat Off for the pane and the menu, on Ctrl+S.
    auto* pane = w.findChild<tc::chat::ChatPane*>("mainchat");
    QAction* scroll = w.findChild<QMenu*>("Options1")->actions().at(7);
    EXPECT_EQ(scroll, pane->scrollChatOffAction());
    EXPECT_EQ(scroll->shortcut(), QKeySequence("Ctrl+S"));

    // Text Size sets the pane and moves the check mark.
    QAction* n14 = w.findChild<QAction*>("N14");
    n14->trigger();
    EXPECT_EQ(pane->textSize(), 14);
    EXPECT_TRUE(n14->isChecked());
    EXPECT_FALSE(w.findChild<QAction*>("N10")->isChecked());
}

TEST(MainWindow, KeepsItsMinimumClientSizeAndResetsItsPlace) {
    GameCopy solo({"--port", "0"});
    auto& w = solo.window();
    EXPECT_EQ(w.centralWidget()->minimumSize(), QSize(717, 514));
    w.resize(300, 200);
    EXPECT_GE(w.centralWidget()->width(), 717);
    EXPECT_GE(w.centralWidget()->height(), 514);
    w.move(200, 150);
    w.resize(900, 700);
    w.findChild<QAction*>("ResetScreenLocation1")->trigger();
    EXPECT_EQ(w.pos(), QPoint(3, 3));
    // The default width is the minimum client width.
    EXPECT_EQ(w.width(), 717);
    EXPECT_EQ(w.height(), 555);
}

TEST(MainWindow, TheDispatchTimerSleepsWhileNothingWaits) {
    GameCopy solo({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin() && solo.seat(1) == "You"; }));
    ASSERT_TRUE(waitUntil([&] { return !solo.window().dispatchTimerActive(); }));
    EXPECT_EQ(solo.session().queuedLines(), 0u);
}

TEST(MainWindow, TheHostsSeatMenuFollowsTheSeat) {
    auto ann = startHost("Ann");
    GameCopy bob(joinArgs("Bob", *ann));
    ASSERT_TRUE(waitUntil([&] { return ann->seat(2) == "Bob" && bob.seat(1) == "Ann"; }));

    QMenu* menu = openSeatMenu(*ann, 4);  // a free seat
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(captions(menu->actions()), (QStringList{"Remove From Game", "Set to Just Watch", "Unset Just Watch", "-",
                                                      "Let Removed Players Back In"}));
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
    EXPECT_TRUE(menu->actions()[1]->isEnabled());
    EXPECT_TRUE(menu->actions()[2]->isEnabled());
    EXPECT_TRUE(menu->actions()[4]->isEnabled());
    menu->hide();
    menu = openSeatMenu(*ann, 2);
    EXPECT_TRUE(menu->actions()[0]->isEnabled());
    menu->hide();
    // Not the host: nothing to choose.
    menu = openSeatMenu(bob, 1);
    for (QAction* a : menu->actions()) {
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
        }
    }
    menu->hide();

    // The host sets seat 2 to just watch: both tables show the eyes, and
    // Bob's own "Just Watch" follows the server.
    menu = openSeatMenu(*ann, 2);
    menu->actions()[1]->trigger();
    ASSERT_TRUE(waitUntil([&] {
        return bob.window().findChild<QAction*>("JustWatch1")->isChecked() &&
               !ann->window().findChild<QWidget*>("image_eyes2")->isHidden();
    }));
    EXPECT_FALSE(bob.window().findChild<QWidget*>("image_eyes2")->isHidden());
    EXPECT_TRUE(ann->chatHas("Bob is just watching"));

    // Bob plays again from his own menu; the mark waits for the answer.
    QAction* justWatch = bob.window().findChild<QAction*>("JustWatch1");
    justWatch->trigger();
    EXPECT_TRUE(justWatch->isChecked());
    ASSERT_TRUE(waitUntil([&] { return !justWatch->isChecked(); }));
    ASSERT_TRUE(waitUntil([&] { return ann->window().findChild<QWidget*>("image_eyes2")->isHidden(); }));
    EXPECT_TRUE(bob.chatHas("Bob now playing again"));

    // The host removes Bob: Bob's copy closes, seat 2 falls back to Rudi.
    menu = openSeatMenu(*ann, 2);
    menu->actions()[0]->trigger();
    ASSERT_TRUE(waitUntil([&] { return !bob.window().isVisible(); }));
    EXPECT_EQ(bob.messages, QStringList{"The host removed you from this game."});
    ASSERT_TRUE(waitUntil([&] { return ann->seat(2) == "Rudi"; }));
    EXPECT_TRUE(ann->chatHas("Bob disconnected."));

    // And lets him back in: the chat says how many that was.
    menu = openSeatMenu(*ann, 2);
    menu->actions()[4]->trigger();
    ASSERT_TRUE(waitUntil([&] { return ann->chatHas("1 removed player may join again."); }));
}

TEST(MainWindow, AJoinerClosesWhenTheHostGoes) {
    auto ann = startHost("Ann");
    GameCopy bob(joinArgs("Bob", *ann));
    ASSERT_TRUE(waitUntil([&] { return bob.seat(2) == "Bob"; }));
    ASSERT_TRUE(bob.window().isVisible());
    ann.reset();
    ASSERT_TRUE(waitUntil([&] { return !bob.window().isVisible(); }));
}

TEST(MainWindow, ATenthCopyIsToldTheGameIsFullAndCloses) {
    auto ann = startHost("Ann");
    const quint16 port = ann->window().hostingPort();
    std::vector<std::unique_ptr<WireClient>> others;
    for (int slot = 2; slot <= 9; ++slot) {
        others.push_back(std::make_unique<WireClient>(port, "P" + QByteArray::number(slot)));
        // Seated, not only given a slot: a table with a slot still waiting
        // for its login is not full, and a newcomer is closed without a word.
        ASSERT_TRUE(waitUntil([&] { return others.back()->slot == slot && others.back()->seated; }));
    }
    GameCopy late({"Late", "127.0.0.1", "false", "--port", QString::number(port)});
    ASSERT_TRUE(waitUntil([&] { return !late.messages.isEmpty(); }));
    EXPECT_EQ(late.messages, (QStringList{"Game is full"}));
    ASSERT_TRUE(waitUntil([&] { return !late.window().isVisible(); }));
}

// A server that refuses and closes at once, the way a full game answers a
// tenth copy: the message still comes before the end.
TEST(MainWindow, GameIsFullIsShownWhenTheCloseComesWithIt) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&server, &QTcpServer::newConnection, &server, [&server] {
        QTcpSocket* peer = server.nextPendingConnection();
        peer->write("CMD_full+\xFF");
        peer->flush();
        peer->disconnectFromHost();
    });
    GameCopy late({"Late", "127.0.0.1", "false", "--port", QString::number(server.serverPort())});
    ASSERT_TRUE(waitUntil([&] { return !late.window().isVisible(); }));
    EXPECT_EQ(late.messages, (QStringList{"Game is full"}));
}

TEST(MainWindow, AnUnreachableHostIsNamedInTheChatAndTheWindowStays) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    GameCopy bob({"Bob", "127.0.0.1", "false", "--port", QString::number(port)});
    const QString line = QStringLiteral("Could not connect to 127.0.0.1 port %1: Connection refused").arg(port);
    ASSERT_TRUE(waitUntil([&] { return bob.chatHas(line); })) << bob.chat().toStdString();
    QTest::qWait(100);
    EXPECT_TRUE(bob.window().isVisible());
    EXPECT_FALSE(bob.session().loggedin());
    // Start Game is the host's, and is refused before a login anyway.
    EXPECT_TRUE(bob.board().dicePanel()->startButton()->isHidden());
}

TEST(MainWindow, HostingOnAPortInUseSaysSo) {
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::Any, 0));
    const quint16 port = holder.serverPort();
    GameCopy ann({"Ann", "127.0.0.1", "true", "--port", QString::number(port)});
    const QString line = QStringLiteral("Cannot host the game: port %1 is not available").arg(port);
    ASSERT_TRUE(waitUntil([&] { return ann.chatHas(line); })) << ann.chat().toStdString();
    EXPECT_TRUE(ann.window().isVisible());
    EXPECT_FALSE(ann.session().ishost());
}

TEST(MainWindow, StartGameBeforeTheLoginIsRefusedAndNothingIsHandledUnderTheMessage) {
    // A server that accepts but never asks for the login.
    QTcpServer fake;
    ASSERT_TRUE(fake.listen(QHostAddress::LocalHost, 0));
    GameCopy ann({"Ann", "127.0.0.1", "false", "--port", QString::number(fake.serverPort())});
    ASSERT_TRUE(waitUntil([&] { return fake.hasPendingConnections(); }));
    QTcpSocket* conn = fake.nextPendingConnection();

    // The message box stands open while a line arrives: the line waits in
    // the queue and is shown only after the box is gone.
    bool queuedWhileOpen = false;
    bool shownWhileOpen = false;
    ann.window().setMessagePresenter([&](const QString& text) {
        ann.messages << text;
        conn->write("CMD_chat+3+Zed chats: psst|clBlack\xFF");
        queuedWhileOpen = waitUntil([&] { return ann.session().queuedLines() > 0; });
        QTest::qWait(50);
        shownWhileOpen = ann.chatHas("psst");
    });
    ann.window().findChild<QAction*>("StartGame1")->setEnabled(true);
    ann.window().findChild<QAction*>("StartGame1")->trigger();
    EXPECT_EQ(ann.messages, (QStringList{"You are not connected"}));
    EXPECT_FALSE(ann.game.gameStart().isVisible());
    EXPECT_TRUE(queuedWhileOpen);
    EXPECT_FALSE(shownWhileOpen);
    ASSERT_TRUE(waitUntil([&] { return ann.chatHas("Zed chats: psst"); }));
}

TEST(MainWindow, AWindowShownBeforeItsTableIsBuiltComesOutTheSame) {
    tc::game::Lcg rngA(1), rngB(1);
    tc::client::MainWindow first(rngA, nullptr, true);
    // Mapped before anything of the table was made.
    EXPECT_TRUE(first.isVisible());
    tc::client::MainWindow usual(rngB);
    usual.show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(waitUntil([&] { return first.menuBar()->isVisible() && usual.menuBar()->isVisible(); }));
    EXPECT_EQ(first.size(), usual.size());
    EXPECT_EQ(first.centralWidget()->geometry(), usual.centralWidget()->geometry());
    auto visibleWidgets = [](QWidget& w) {
        QStringList out;
        for (QWidget* c : w.findChildren<QWidget*>())
            if (c->isVisible() && !c->isWindow())
                out << QStringLiteral("%1 %2,%3 %4x%5")
                           .arg(c->objectName())
                           .arg(c->mapTo(&w, QPoint()).x())
                           .arg(c->mapTo(&w, QPoint()).y())
                           .arg(c->width())
                           .arg(c->height());
        out.sort();
        return out;
    };
    EXPECT_EQ(visibleWidgets(first), visibleWidgets(usual));
    EXPECT_GT(visibleWidgets(first).size(), 40);
    EXPECT_EQ(first.grab().toImage(), usual.grab().toImage());
}
