#include <QAction>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "GameCopy.h"
#include "chat/ChatInput.h"
#include "chat/PhraseBar.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "windows/SpyListWindow.h"

using tc::guitest::GameCopy;
using tc::guitest::WireClient;
using tc::guitest::waitUntil;

namespace {

QStringList hostArgs(const QString& name) {
    return {name, "127.0.0.1", "true", "--port", "0", "--pause-ms", "10"};
}

QStringList joinArgs(const QString& name, GameCopy& host) {
    return {name, "127.0.0.1", "false", "--port", QString::number(host.window().hostingPort())};
}

std::unique_ptr<GameCopy> startHost(const QString& name) {
    auto host = std::make_unique<GameCopy>(hostArgs(name));
    EXPECT_TRUE(waitUntil([&] { return host->session().loggedin() && host->seat(1) == name; }));
    EXPECT_NE(host->window().hostingPort(), 0);
    return host;
}

} // namespace

TEST(HostedGame, AJoinerAppearsOnBothTables) {
    auto ann = startHost("Ann");
    EXPECT_EQ(ann->window().windowTitle(), "Tilecrest");
    EXPECT_TRUE(ann->chatHas("Loading Multi-player Game.. Please Wait."));
    EXPECT_TRUE(ann->chatHas("You are Connected."));
    EXPECT_TRUE(ann->session().ishost());
    EXPECT_EQ(ann->session().myseat(), 1);

    GameCopy bob(joinArgs("Bob", *ann));
    ASSERT_TRUE(waitUntil([&] { return bob.seat(1) == "Ann" && bob.seat(2) == "Bob"; }));
    ASSERT_TRUE(waitUntil([&] { return ann->seat(2) == "Bob"; }));
    EXPECT_TRUE(ann->chatHas("Bob is Connected."));
    EXPECT_TRUE(bob.chatHas("You are Connected."));
    EXPECT_TRUE(bob.chatHas("Ann is Connected."));
    EXPECT_EQ(bob.session().myseat(), 2);
    EXPECT_FALSE(bob.session().ishost());
    EXPECT_GE(ann->sounds.count("entered"), 2);
    for (int n = 3; n <= 6; ++n) EXPECT_EQ(bob.seat(n), "<Waiting>");
    // The host alone may start a game.
    EXPECT_FALSE(ann->board().dicePanel()->startButton()->isHidden());
    EXPECT_TRUE(bob.board().dicePanel()->startButton()->isHidden());
    EXPECT_TRUE(ann->window().findChild<QAction*>("StartGame1")->isEnabled());
    EXPECT_FALSE(bob.window().findChild<QAction*>("StartGame1")->isEnabled());
}

TEST(HostedGame, TypedChatGoesRoundTrip) {
    auto ann = startHost("Ann");
    GameCopy bob(joinArgs("Bob", *ann));
    ASSERT_TRUE(waitUntil([&] { return bob.session().loggedin() && ann->seat(2) == "Bob"; }));
    auto* input = bob.window().findChild<tc::chat::ChatInput*>("mychat");
    ASSERT_NE(input, nullptr);
    input->setFocus();
    QTest::keyClicks(input, "hello there");
    QTest::keyClick(input, Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return ann->chatHas("hello there") && bob.chatHas("hello there"); }));
    // The others read the name; the sender reads the line as his own.
    EXPECT_TRUE(ann->chatHas("Bob chats: hello there"));
    EXPECT_TRUE(bob.chatHas("You chat: hello there"));
    EXPECT_EQ(input->text(), "");

    // A "|" in the text neither cuts the line nor chooses its colour, typed
    // or from a phrase button.
    QTest::keyClicks(input, "a|b|clRed");
    QTest::keyClick(input, Qt::Key_Return);
    auto* phrases = bob.window().findChild<tc::chat::PhraseBar*>();
    ASSERT_NE(phrases, nullptr);
    phrases->setPhrase(1, "Hello+there|with pipes");
    QTest::mouseClick(bob.window().findChild<QToolButton*>("b_phrase1"), Qt::LeftButton);
    // The phrase buttons rest, greyed, for the lock; the sounds button does not.
    ASSERT_TRUE(waitUntil([&] { return phrases->resting(); }));
    for (int n = 1; n <= 9; ++n)
        EXPECT_FALSE(bob.window().findChild<QToolButton*>(QStringLiteral("b_phrase%1").arg(n))->isEnabled()) << n;
    EXPECT_TRUE(bob.window().findChild<QToolButton*>("b_phrase10")->isEnabled());
    ASSERT_TRUE(waitUntil([&] {
        return ann->chatHas(QStringLiteral("Bob chats: a\u00a6b\u00a6clRed")) &&
               ann->chatHas(QStringLiteral("Bob says: Hello+there\u00a6with pipes")) &&
               bob.chatHas(QStringLiteral("You say: Hello+there\u00a6with pipes"));
    }));
    // When the lock is over they light up together, and the session takes a phrase again.
    ASSERT_TRUE(waitUntil([&] { return !phrases->resting(); }, 10000));
    for (int n = 1; n <= 9; ++n)
        EXPECT_TRUE(bob.window().findChild<QToolButton*>(QStringLiteral("b_phrase%1").arg(n))->isEnabled()) << n;
    EXPECT_TRUE(bob.session().phraseready());
    EXPECT_EQ(bob.session().phraseRestMs(), 0);
}

TEST(HostedGame, ASpectatorIsListedAndTheHostCanRemoveHim) {
    auto ann = startHost("Ann");
    const quint16 port = ann->window().hostingPort();
    // Seats 2..6 taken by bare clients, so the next copy can only watch.
    std::vector<std::unique_ptr<WireClient>> seated;
    for (int i = 2; i <= 6; ++i) {
        seated.push_back(std::make_unique<WireClient>(port, "P" + QByteArray::number(i)));
        ASSERT_TRUE(waitUntil([&] { return ann->seat(i) == QStringLiteral("P%1").arg(i); }));
    }
    GameCopy zed({"Zed", "127.0.0.1", "false", "--port", QString::number(port)});
    ASSERT_TRUE(waitUntil([&] { return zed.session().myseat() == 7 && zed.chatHas("You are spying."); }));

    auto* hostList = ann->game.spyList().findChild<QListWidget*>("listbox_spys");
    ASSERT_TRUE(waitUntil([&] { return hostList->count() == 1; }));
    EXPECT_EQ(hostList->item(0)->text(), "7: Zed");
    EXPECT_TRUE(ann->chatHas("Zed is spying."));
    auto* zedList = zed.game.spyList().findChild<QListWidget*>("listbox_spys");
    EXPECT_EQ(zedList->count(), 1);
    // The players already seated arrive after the spectator's own entry.
    EXPECT_TRUE(waitUntil([&] { return zed.seat(6) == "P6"; }));

    // View, Spy List shows the window; only the host's copy may remove.
    ann->window().findChild<QAction*>("SpyList1")->trigger();
    ASSERT_TRUE(ann->game.spyList().isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ann->game.spyList()));
    EXPECT_TRUE(ann->game.spyList().findChild<QAction*>("popup_kickhim")->isEnabled());
    EXPECT_FALSE(zed.game.spyList().findChild<QAction*>("popup_kickhim")->isEnabled());

    const QPoint at = hostList->visualItemRect(hostList->item(0)).center();
    QMouseEvent move(QEvent::MouseMove, at, hostList->viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(hostList->viewport(), &move);
    ann->game.spyList().findChild<QAction*>("popup_kickhim")->trigger();

    // The removed copy sees its connection end and closes.
    ASSERT_TRUE(waitUntil([&] { return !zed.window().isVisible(); }));
    ASSERT_TRUE(waitUntil([&] { return hostList->count() == 0; }));
    EXPECT_TRUE(ann->chatHas("Zed has left."));
}

TEST(HostedGame, TheSecondTableMirrorsTheSlidesOfThePlayerOnTurn) {
    auto ann = startHost("Ann");
    GameCopy bob(joinArgs("Bob", *ann));
    ASSERT_TRUE(waitUntil([&] { return bob.session().loggedin() && ann->seat(2) == "Bob"; }));

    QTest::mouseClick(ann->board().dicePanel()->startButton(), Qt::LeftButton);
    auto& start = ann->game.gameStart();
    ASSERT_TRUE(waitUntil([&] { return start.isVisible(); }));
    QTest::mouseClick(start.findChild<QPushButton*>("button_start"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return ann->sounds.count("dice") + bob.sounds.count("dice") == 1; }));

    GameCopy& mover = ann->sounds.count("dice") == 1 ? *ann : bob;
    GameCopy& watcher = &mover == ann.get() ? bob : *ann;
    // Whatever the roll, tile 9 is open at the start of a turn.
    const int slidesBefore = watcher.sounds.count("slide");
    QTest::mouseClick(mover.board().tile(9), Qt::LeftButton);
    EXPECT_EQ(mover.tileState(9), "d");
    ASSERT_TRUE(waitUntil([&] { return watcher.tileState(9) == "d"; }));
    ASSERT_TRUE(waitUntil([&] { return !watcher.board().tile(9)->playing(); }));
    EXPECT_EQ(watcher.board().tile(9)->frame(), 4);
    EXPECT_EQ(watcher.sounds.count("slide"), slidesBefore + 1);
    for (int t = 1; t <= 8; ++t) EXPECT_EQ(watcher.tileState(t), "u");

    // And back up again.
    QTest::mouseClick(mover.board().tile(9), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return watcher.tileState(9) == "u"; }));
    ASSERT_TRUE(waitUntil([&] { return !watcher.board().tile(9)->playing(); }));
    EXPECT_EQ(watcher.board().tile(9)->frame(), 0);
    // The watcher's own clicks do nothing out of turn.
    QTest::mouseClick(watcher.board().tile(1), Qt::LeftButton);
    EXPECT_EQ(watcher.tileState(1), "u");
    EXPECT_EQ(watcher.board().tile(1)->frame(), 0);
}
