// Playing without a mouse: the keys that play from anywhere in the window,
// the focus path through the table and its ring, against the real
// in-process server. Every key goes to the widget that has the focus, as
// the keyboard's would.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>

#include "GameCopy.h"
#include "KeyPresses.h"
#include "chat/ChatInput.h"
#include "chat/ChatPane.h"
#include "chat/PhraseBar.h"
#include "chat/SmileyButton.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/FocusRing.h"
#include "client/GameStartWindow.h"
#include "client/MenuKeys.h"
#include "client/TableKeys.h"
#include "client/TableScaler.h"
#include "windows/HelpWindow.h"

using tc::guitest::activate;
using tc::guitest::focused;
using tc::guitest::GameCopy;
using tc::guitest::press;
using tc::guitest::tabTo;
using tc::guitest::chooseTiles;
using tc::guitest::moveAnswered;
using tc::guitest::waitUntil;

namespace {

// A solo game, its window active, started to 3 Marks with Ctrl+N and the
// start window's own keys.
struct KeyedSolo {
    GameCopy you{{"--port", "0", "--pause-ms", "5"}};
    tc::chat::ChatInput* chat = nullptr;

    KeyedSolo() {
        chat = you.window().findChild<tc::chat::ChatInput*>("mychat");
        EXPECT_TRUE(waitUntil([&] { return you.session().loggedin() && you.seat(1) == "You"; }));
        activate(&you.window());
        // The window's first focus shows no ring: the table looks as always
        // until the keyboard moves the focus.
        EXPECT_NE(focused(), nullptr);
        EXPECT_EQ(you.window().focusRing()->target(), nullptr);
    }

    void startGame() {
        // The window opens with the focus on the chat, as it always did;
        // Shift+Tab leads to the input.
        if (focused() == you.window().findChild<QWidget*>("mainchat")) press(Qt::Key_Backtab);
        ASSERT_EQ(focused(), chat);
        press(Qt::Key_N, Qt::ControlModifier);
        auto& start = you.game.gameStart();
        ASSERT_TRUE(waitUntil([&] { return start.isVisible(); }));
        activate(&start);
        auto* marks = start.findChild<QSpinBox*>("edit_playtoscore");
        ASSERT_TRUE(tabTo(marks) || focused() == marks->findChild<QLineEdit*>());
        while (marks->value() > 3) press(Qt::Key_Down);
        ASSERT_TRUE(tabTo(start.findChild<QPushButton*>("button_start")));
        press(Qt::Key_Space);
        ASSERT_TRUE(waitUntil([&] { return you.seat(2) == "Rudi"; }));
        EXPECT_EQ(you.label("label_pointstowin"), "Marks needed to win: 3");
        activate(&you.window());
    }

    bool ownRoll(int& handled) {
        auto* winner = you.window().findChild<QWidget*>("panel_winner");
        EXPECT_TRUE(waitUntil([&] { return winner->isVisible() || you.sounds.count("dice") > handled; }, 60000))
            << "stuck; status: " << you.label("label_status").toStdString();
        if (winner->isVisible()) return false;
        handled = you.sounds.count("dice");
        return true;
    }
    int roll() const {
        const auto& dice = const_cast<GameCopy&>(you).session().table().dice;
        return dice[0].face + dice[1].face;
    }
};

} // namespace

TEST(Keyboard, TheKeysAreInTheMenus) {
    GameCopy you({"--port", "0"});

    auto* bar = you.window().menuBar();
    QStringList titles;
    for (QAction* a : bar->actions())
        if (a->menu()) titles << tc::client::MenuKeys::plain(a->menu()->title());
    EXPECT_EQ(titles.mid(0, 2), (QStringList{"File", "Play"}));
    auto shortcut = [&](const char* name) {
        auto* a = you.window().findChild<QAction*>(name);
        EXPECT_NE(a, nullptr) << name;
        return a ? a->shortcut().toString() : QString();
    };
    EXPECT_EQ(shortcut("RollDice1"), "Alt+R");
    EXPECT_EQ(shortcut("PutTilesBackUp1"), "Esc");
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(shortcut(QStringLiteral("Tile%1").arg(n).toLatin1()), QStringLiteral("Alt+%1").arg(n));
    EXPECT_EQ(shortcut("StartGame1"), "Ctrl+N");
    EXPECT_EQ(shortcut("Exit1"), "Ctrl+Q");
    EXPECT_EQ(shortcut("Help2"), "F1");
    auto* play = you.window().findChild<QMenu*>("Play1");
    ASSERT_NE(play, nullptr);
    QStringList items;
    for (QAction* a : play->actions())
        if (!a->isSeparator()) items << tc::client::MenuKeys::plain(a->text());
    EXPECT_EQ(items, (QStringList{"Roll Dice", "Put Tiles Back Up", "Tile 1", "Tile 2", "Tile 3", "Tile 4", "Tile 5",
                                  "Tile 6", "Tile 7", "Tile 8", "Tile 9"}));

    // The Keyboard help page names every key the window's items carry.
    tc::windows::HelpWindow help;
    const QString page = help.page(13)->toPlainText();
    QStringList keys;
    for (QAction* a : you.window().findChildren<QAction*>())
        if (!a->shortcut().isEmpty()) keys << a->shortcut().toString();
    ASSERT_GE(keys.size(), 16);
    for (const QString& key : keys) EXPECT_TRUE(page.contains(key)) << key.toStdString();
    for (int n = 1; n <= 9; ++n) EXPECT_TRUE(page.contains(QStringLiteral("Tile %1 (Alt+%1)").arg(n))) << n;
}

TEST(Keyboard, AWholeSoloGamePlayedWithTheKeysFromTheChatInput) {
    KeyedSolo rig;
    ASSERT_NO_FATAL_FAILURE(rig.startGame());
    GameCopy& you = rig.you;
    auto* winner = you.window().findChild<QWidget*>("panel_winner");
    auto* roll = you.board().dicePanel()->rollButton();
    int handled = 0, moves = 0;
    while (rig.ownRoll(handled)) {
        const std::vector<int> pick = chooseTiles(you, rig.roll());
        if (pick.empty()) continue;  // the server ends the turn itself
        // The focus stays in the chat input all game long.
        ASSERT_EQ(focused(), rig.chat);
        for (int t : pick) press(Qt::Key_0 + t, Qt::AltModifier);
        // The last open tile commits by itself; otherwise Alt+R does.
        if (roll->isVisible()) press(Qt::Key_R, Qt::AltModifier);
        EXPECT_FALSE(roll->isVisible());
        ++moves;
        ASSERT_TRUE(waitUntil([&] { return moveAnswered(you, pick, winner); }));
        ASSERT_LT(moves, 2000);
    }
    EXPECT_GT(moves, 0);
    // Not a letter of it reached the chat (the first key pressed there,
    // Alt included, empties the box's "<Enter Chat Here>").
    EXPECT_TRUE(rig.chat->text().isEmpty()) << rig.chat->text().toStdString();
    const QString text = you.label("label_winner");
    EXPECT_TRUE(text == "You have won the game!" || text == "Rudi has Won the Game!") << text.toStdString();
    // Ctrl+N offers the next game at once.
    press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(waitUntil([&] { return you.game.gameStart().isVisible(); }));
    you.game.gameStart().hide();
}

TEST(Keyboard, ATurnAlongTheFocusPathWithTheRingOnTheFocusedControl) {
    KeyedSolo rig;
    ASSERT_NO_FATAL_FAILURE(rig.startGame());
    GameCopy& you = rig.you;
    auto* ring = you.window().focusRing();
    auto* roll = you.board().dicePanel()->rollButton();

    int handled = 0;
    std::vector<int> pick;
    while (pick.empty()) {
        ASSERT_TRUE(rig.ownRoll(handled)) << "the game ended before a roll that could be made";
        pick = chooseTiles(you, rig.roll());
    }
    // Tab from the chat input goes round to the rack, to its first tile.
    ASSERT_TRUE(tabTo(you.board().tile(1)));
    EXPECT_EQ(ring->target(), you.board().tile(1));
    EXPECT_TRUE(ring->isVisible());
    EXPECT_TRUE(ring->geometry().contains(you.board().tile(1)->geometry().translated(
        you.board().tile(1)->mapTo(you.window().centralWidget(), QPoint()) - you.board().tile(1)->pos())));

    // Along the rack with the arrows; Space turns a tile over.
    int at = 1;
    auto goTo = [&](int t) {
        while (at < t) press(Qt::Key_Right), ++at;
        while (at > t) press(Qt::Key_Left), --at;
        ASSERT_EQ(focused(), you.board().tile(t));
        ASSERT_EQ(ring->target(), you.board().tile(t));
    };
    ASSERT_NO_FATAL_FAILURE(goTo(pick.front()));
    press(Qt::Key_Space);
    EXPECT_EQ(you.tileState(pick.front()), "d");
    // Escape with the chat input empty puts it back up.
    press(Qt::Key_Escape);
    EXPECT_EQ(you.tileState(pick.front()), "u");
    bool committed = false;
    for (int t : pick) {
        ASSERT_NO_FATAL_FAILURE(goTo(t));
        press(Qt::Key_Space);
        committed = committed || !roll->isVisible();
    }
    if (!committed) {
        // Tab leads from the rack to Roll Dice; Space presses it.
        press(Qt::Key_Tab);
        ASSERT_EQ(focused(), roll) << focused()->objectName().toStdString();
        EXPECT_EQ(ring->target(), roll);
        press(Qt::Key_Space);
    }
    ASSERT_TRUE(waitUntil([&] {
        return std::all_of(pick.begin(), pick.end(), [&](int t) { return you.tileState(t) == "o"; });
    }));

    // Shift+Tab goes back the same way; the rack is one stop and comes back
    // to the tile last focused.
    ASSERT_TRUE(tabTo(you.board().tile(pick.back()), true));
    // Forward: Roll Dice (when shown), the seats, the phrase buttons, the
    // smiley button, the chat input.
    QWidgetList stops;
    for (int i = 0; i < 40 && focused() != rig.chat; ++i) {
        press(Qt::Key_Tab);
        stops << focused();
    }
    auto* smilies = you.window().findChild<tc::chat::SmileyButton*>("button_smilies");
    auto* phrase1 = you.window().findChild<QWidget*>("b_phrase1");
    const qsizetype seat = stops.indexOf(you.board().seatStop(1));
    ASSERT_GE(seat, 0);
    EXPECT_EQ(stops.mid(seat + 1), (QWidgetList{phrase1, smilies, rig.chat}));
    // Inside the seat list Down moves on; the ring follows.
    ASSERT_TRUE(tabTo(you.board().seatStop(1)));
    press(Qt::Key_Down);
    EXPECT_EQ(focused(), you.board().seatStop(2));
    EXPECT_EQ(ring->target(), you.board().seatStop(2));
    // Space opens the seat's menu, as a right click on the name does.
    auto* seatMenu = you.window().findChild<QMenu*>("popup_kick");
    press(Qt::Key_Space);
    ASSERT_TRUE(waitUntil([&] { return seatMenu->isVisible(); }));
    EXPECT_TRUE(you.window().findChild<QAction*>("RemoveFromGame1")->isEnabled());  // the host's, on Rudi
    seatMenu->hide();
}

TEST(Keyboard, APhraseSaidFromTheKeyboardKeepsTheFocusInTheStrip) {
    KeyedSolo rig;
    GameCopy& you = rig.you;
    auto* phrase1 = you.window().findChild<QWidget*>("b_phrase1");
    auto* sounds = you.window().findChild<QWidget*>("b_phrase10");
    ASSERT_TRUE(tabTo(phrase1));
    press(Qt::Key_Space);
    ASSERT_TRUE(waitUntil([&] { return you.chatHas(phrase1->toolTip()); }));
    // The phrase buttons rest; the focus waits on the sounds button.
    EXPECT_FALSE(phrase1->isEnabled());
    EXPECT_EQ(focused(), sounds);
    EXPECT_EQ(you.window().focusRing()->target(), sounds);
    ASSERT_TRUE(waitUntil([&] { return phrase1->isEnabled(); }));
    press(Qt::Key_Home);
    EXPECT_EQ(focused(), phrase1);
}

TEST(Keyboard, TheRingIsDrawnAroundTheFocusedTileAtEveryScale) {
    GameCopy you({"--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin(); }));
    auto& w = you.window();
    activate(&w);
    QWidget* client = w.centralWidget();
    auto* ring = w.focusRing();
    for (const qreal scale : {1.0, 2.0}) {
        w.resize((QSizeF(tc::client::TableScaler::kTableSize) * scale).toSize() + (w.size() - client->size()));
        ASSERT_TRUE(waitUntil([&] { return tc::client::TableScaler::of(client)->scale() == scale; }));
        // Tab into the rack, then along it to tile 4.
        auto* inRack = [&] { return qobject_cast<tc::client::TileControl*>(focused()); }();
        for (int i = 0; i < 40 && !inRack; ++i) {
            press(Qt::Key_Tab);
            inRack = qobject_cast<tc::client::TileControl*>(focused());
        }
        ASSERT_NE(inRack, nullptr);
        for (int i = 0; i < 9 && focused() != you.board().tile(4); ++i)
            press(qobject_cast<tc::client::TileControl*>(focused())->tile() < 4 ? Qt::Key_Right : Qt::Key_Left);
        ASSERT_EQ(ring->target(), you.board().tile(4));
        const int stroke = qRound(2 * scale);
        EXPECT_EQ(ring->strokeWidth(), stroke);
        const QRect tile(you.board().tile(4)->mapTo(client, QPoint()), you.board().tile(4)->size());
        EXPECT_EQ(ring->geometry(), tile.adjusted(-2 * stroke, -2 * stroke, 2 * stroke, 2 * stroke));
        // Drawn: yellow right outside the tile, dark outside that, and the
        // tile itself untouched.
        const QImage shot = client->grab().toImage();
        const qreal dpr = shot.devicePixelRatio();
        auto at = [&](QPoint p) { return shot.pixelColor((QPointF(p) * dpr).toPoint()); };
        const QPoint midLeft(tile.left(), tile.center().y());
        EXPECT_EQ(at(midLeft - QPoint(stroke / 2 + 1, 0)), QColor(255, 214, 10)) << scale;
        EXPECT_EQ(at(midLeft - QPoint(stroke + stroke / 2 + 1, 0)), QColor(16, 16, 16)) << scale;
        EXPECT_NE(at(tile.center()), QColor(255, 214, 10));
        press(Qt::Key_Tab);  // on, out of the rack
    }
}

TEST(Keyboard, DigitsTypedInTheChatStayChatAndTheTableKeysWaitForTheTurn) {
    KeyedSolo rig;
    GameCopy& you = rig.you;
    // Before any game it is nobody's turn: Alt+4 does nothing, anywhere.
    ASSERT_TRUE(tabTo(rig.chat));
    QTest::keyClicks(rig.chat, "45");
    EXPECT_EQ(rig.chat->text(), "45");
    press(Qt::Key_4, Qt::AltModifier);
    press(Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(rig.chat->text(), "45");
    EXPECT_EQ(you.tileState(4), "u");
    // Clicks on the table leave the focus in the chat.
    QTest::mouseClick(you.board().tile(3), Qt::LeftButton);
    QTest::mouseClick(you.board().dicePanel()->startButton(), Qt::LeftButton);
    EXPECT_EQ(focused(), rig.chat);
    ASSERT_TRUE(waitUntil([&] { return you.game.gameStart().isVisible(); }));
    you.game.gameStart().hide();
    activate(&you.window());
    EXPECT_EQ(focused(), rig.chat);
    EXPECT_FALSE(you.board().dicePanel()->rollButton()->isVisible());
    press(Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return you.chatHas("You chat: 45"); })) << you.chat().toStdString();
    EXPECT_TRUE(rig.chat->text().isEmpty());
    for (int t = 1; t <= 9; ++t) EXPECT_EQ(you.tileState(t), "u");

    ASSERT_NO_FATAL_FAILURE(rig.startGame());
    int handled = 0;
    ASSERT_TRUE(rig.ownRoll(handled));
    // A tile down, a line being typed: Escape puts the tile back up from
    // the chat input and leaves the line as it was.
    int t = 1;
    while (t <= 9 && you.tileState(t) != "u") ++t;
    const std::vector<int> pick = chooseTiles(you, rig.roll());
    if (pick.size() == 1) t = pick.front() == 1 ? 2 : 1;  // keep the turn's last tile out of it
    press(Qt::Key_0 + t, Qt::AltModifier);
    ASSERT_EQ(you.tileState(t), "d");
    QTest::keyClicks(rig.chat, "12");
    ASSERT_EQ(focused(), rig.chat);
    press(Qt::Key_Escape);
    EXPECT_EQ(you.tileState(t), "u");
    EXPECT_EQ(rig.chat->text(), "12");
    EXPECT_EQ(rig.chat->cursorPosition(), 2);
    // And from the tiles, the line still there.
    press(Qt::Key_0 + t, Qt::AltModifier);
    ASSERT_EQ(you.tileState(t), "d");
    you.board().tile(t)->setFocus();
    ASSERT_TRUE(waitUntil([&] { return focused() == you.board().tile(t); }));
    press(Qt::Key_Escape);
    EXPECT_EQ(you.tileState(t), "u");
    EXPECT_EQ(rig.chat->text(), "12");
}

TEST(Keyboard, StartGameKeyFollowsTheMenuItem) {
    // A player who joins does not start games: Ctrl+N does nothing.
    GameCopy host({"Ann", "127.0.0.1", "true", "--port", "0"});
    ASSERT_TRUE(waitUntil([&] { return host.session().loggedin(); }));
    GameCopy bob({"Bob", "127.0.0.1", "false", "--port", QString::number(host.window().hostingPort())});
    ASSERT_TRUE(waitUntil([&] { return bob.session().loggedin() && bob.seat(2) == "Bob"; }));
    activate(&bob.window());
    press(Qt::Key_N, Qt::ControlModifier);
    QTest::qWait(50);
    EXPECT_FALSE(bob.game.gameStart().isVisible());
    EXPECT_TRUE(bob.messages.isEmpty());

    // The host's item is on from the moment he hosts; before his login it
    // says so, as the menu item does.
    tc::guitest::DesktopRecorder desktop;
    tc::client::MainGame game(7);
    game.setDesktop(&desktop);
    tc::guitest::SoundRecorder sounds;
    game.window().setSoundPlayer(&sounds);
    QStringList messages;
    game.window().setMessagePresenter([&](const QString& text) { messages << text; });
    game.window().show();
    activate(&game.window());
    game.start(tc::client::parseMainOptions({"Cid", "127.0.0.1", "true", "--port", "0"}));
    ASSERT_FALSE(game.window().session().loggedin());
    press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(messages, QStringList{"You are not connected"});
    EXPECT_FALSE(game.gameStart().isVisible());
}
