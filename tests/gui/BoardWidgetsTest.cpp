#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

#include "GuiTestSupport.h"
#include "client/BoardPanel.h"
#include "client/BoardPictureButton.h"
#include "client/BoardPictures.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "client/TileControl.h"

using tc::client::BoardPanel;
using tc::client::BoardPictures;
using tc::client::GameStartWindow;
using tc::client::TableState;
using tc::guitest::find;

namespace {

struct Place {
    const char* name;
    QRect geometry;
};

// Every element of the table at its place and size, relative to its parent.
const Place kPlaces[] = {
    {"label_playername1", {37, 37, 104, 16}},  {"label_playername2", {37, 84, 104, 16}},
    {"label_playername3", {37, 125, 104, 16}}, {"label_playername4", {37, 166, 104, 16}},
    {"label_playername5", {37, 207, 104, 16}}, {"label_playername6", {37, 251, 104, 16}},
    {"label_score1", {143, 37, 7, 16}},        {"label_score6", {143, 251, 7, 16}},
    {"image_eyes1", {16, 40, 21, 7}},          {"image_eyes2", {16, 87, 21, 7}},
    {"image_eyes3", {16, 128, 21, 7}},         {"image_eyes4", {16, 169, 21, 7}},
    {"image_eyes5", {16, 210, 21, 7}},         {"image_eyes6", {16, 254, 21, 7}},
    {"image_points1", {41, 53, 0, 15}},        {"image_points2", {41, 100, 0, 15}},
    {"image_points3", {41, 140, 0, 15}},       {"image_points4", {41, 183, 0, 15}},
    {"image_points5", {41, 224, 0, 15}},       {"image_points6", {41, 268, 0, 15}},
    {"image_Turn", {22, 36, 16, 16}},          {"panel_dicepanel", {186, 8, 505, 121}},
    {"dice1", {19, 67, 32, 32}},               {"dice2", {59, 67, 32, 32}},
    {"button_roll", {384, 70, 97, 19}},        {"button_start", {384, 70, 97, 19}},
    {"label_status", {12, 90, 480, 14}},       {"number_1", {194, 128, 48, 91}},
    {"number_2", {249, 128, 48, 91}},          {"number_3", {304, 128, 48, 91}},
    {"number_4", {359, 128, 48, 91}},          {"number_5", {414, 128, 48, 91}},
    {"number_6", {469, 128, 48, 91}},          {"number_7", {524, 128, 48, 91}},
    {"number_8", {579, 128, 48, 91}},          {"number_9", {635, 128, 48, 91}},
    {"image_tilerow", {187, 128, 505, 110}},   {"label_pointstowin", {188, 248, 305, 14}},
    {"label_rounds", {495, 248, 193, 14}},     {"panel_winner", {203, 27, 473, 41}},
    {"label_winner", {8, 11, 457, 19}},
};

QImage pixels(const QPixmap& p) { return p.toImage().convertToFormat(QImage::Format_ARGB32); }

} // namespace

TEST(BoardPanel, EveryElementSitsAtItsPlace) {
    BoardPanel board(nullptr);
    EXPECT_EQ(board.objectName(), "panel_board");
    EXPECT_EQ(board.geometry(), QRect(3, 4, 702, 502));
    for (const Place& p : kPlaces) {
        auto* w = find<QWidget>(&board, QString::fromLatin1(p.name));
        ASSERT_NE(w, nullptr) << p.name;
        EXPECT_EQ(w->geometry(), p.geometry) << p.name;
    }
    // The dice and both buttons live in the dice area.
    EXPECT_EQ(find<QWidget>(&board, "dice1")->parentWidget()->objectName(), "panel_dicepanel");
    EXPECT_EQ(find<QWidget>(&board, "button_start")->parentWidget()->objectName(), "panel_dicepanel");
}

TEST(BoardPanel, StartsAsBeforeTheFirstGame) {
    BoardPanel board(nullptr);
    const char* hints[6] = {"", "Rudi", "Klick", "Kling", "Klick", "Krazy"};
    for (int n = 1; n <= 6; ++n) {
        auto* name = find<QLabel>(&board, QStringLiteral("label_playername%1").arg(n));
        EXPECT_EQ(name->text(), "<Waiting>");
        EXPECT_EQ(name->textFormat(), Qt::PlainText);
        EXPECT_TRUE(name->font().bold());
        EXPECT_EQ(name->toolTip(), hints[n - 1]);
        EXPECT_EQ(find<QLabel>(&board, QStringLiteral("label_score%1").arg(n))->text(), "0");
        EXPECT_TRUE(find<QWidget>(&board, QStringLiteral("image_eyes%1").arg(n))->isHidden());
    }
    EXPECT_EQ(find<QLabel>(&board, "label_status")->text(), "Welcome to Tilecrest");
    EXPECT_EQ(find<QLabel>(&board, "label_status")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(find<QLabel>(&board, "label_pointstowin")->text(), "Marks needed to win: 3");
    EXPECT_EQ(find<QLabel>(&board, "label_rounds")->text(), "Rounds Played: 0");
    EXPECT_EQ(find<QLabel>(&board, "label_winner")->text(), "Winner!");
    EXPECT_TRUE(find<QLabel>(&board, "label_winner")->font().underline());
    EXPECT_TRUE(find<QWidget>(&board, "panel_winner")->isHidden());
    EXPECT_TRUE(find<QWidget>(&board, "button_roll")->isHidden());
    EXPECT_TRUE(find<QWidget>(&board, "button_start")->isHidden());
    for (int t = 1; t <= 9; ++t) EXPECT_EQ(board.tile(t)->frame(), 0);
    EXPECT_EQ(board.tile(0), nullptr);
    EXPECT_EQ(board.tile(10), nullptr);
}

TEST(BoardPanel, ASeatKeptForADroppedPlayerSaysAwayInWordsWhateverTheNamesLength) {
    BoardPanel board(nullptr);
    TableState t;
    t.seats[1].caption = "Ann";
    t.seats[1].away = true;
    t.seats[2].caption = "Maximilian Alexander Featherstone";  // 33 characters, wider than the box
    t.seats[2].away = true;
    t.seats[3].caption = "Cid";
    board.showTable(t);
    EXPECT_EQ(find<QLabel>(&board, "label_playername2")->text(), "Ann (away)");
    const QString longName = find<QLabel>(&board, "label_playername3")->text();
    EXPECT_TRUE(longName.endsWith(" (away)")) << longName.toStdString();
    EXPECT_TRUE(longName.startsWith("Max")) << longName.toStdString();
    EXPECT_LT(longName.size(), 33 + 7);
    EXPECT_EQ(find<QLabel>(&board, "label_playername4")->text(), "Cid");
    t.seats[1].away = false;
    board.showTable(t);
    EXPECT_EQ(find<QLabel>(&board, "label_playername2")->text(), "Ann");
}

// A table begun afresh (back to a solo game after the host left) shows
// every tile open, whatever the last game left shut; a tile sliding up
// keeps its slide.
TEST(BoardPanel, AFreshTableShowsEveryTileOpen) {
    BoardPanel board(nullptr);
    TableState t;
    for (auto& tile : t.tiles) tile = "u";
    t.tiles[2] = "o";
    t.tiles[5] = "o";
    board.showTable(t);
    board.tile(3)->setFrame(4);
    board.tile(6)->setFrame(4);
    board.showTable(t);
    EXPECT_EQ(board.tile(3)->frame(), 4);  // shut stays shut
    // A new round slides tile 6 up: it goes on sliding from where it is.
    board.tile(6)->setInterval(1000);
    board.tile(6)->setReverse(true);
    board.tile(6)->setPlay(true);
    t.tiles[5] = "u";
    board.showTable(t);
    EXPECT_EQ(board.tile(6)->frame(), 4);
    EXPECT_TRUE(board.tile(6)->playing());
    board.tile(6)->setPlay(false);
    // The fresh table: all open, all shown open.
    TableState fresh;
    for (auto& tile : fresh.tiles) tile = "u";
    board.showTable(fresh);
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(board.tile(n)->frame(), 0) << n;
}

TEST(BoardPanel, ShowsTheTableState) {
    BoardPanel board(nullptr);
    TableState t;
    t.seats[0].caption = "Ann";
    t.seats[0].score = "45";
    t.seats[0].marks = 2;
    t.seats[1].caption = "<b>Bob</b>";  // shown as typed, never as markup
    t.seats[2].eyes = true;
    t.seats[4].hint = "Klick";
    t.dice[0] = {4, 152, 20};
    t.dice[1] = {6, 230, 49};
    t.status = "ANN'S TURN.";
    t.pointsToWin = 5;
    t.pointsToWinText = "Marks needed to win: 5";
    t.rounds = 2;
    t.roundsText = "Rounds Played: 2";
    t.winnerVisible = true;
    t.winnerText = "Ann has Won the Game!";
    t.rollVisible = true;
    t.turnSeat = 4;
    t.tiles[2] = "d";
    board.showTable(t);

    EXPECT_EQ(find<QLabel>(&board, "label_playername1")->text(), "Ann");
    EXPECT_EQ(find<QLabel>(&board, "label_playername2")->text(), "<b>Bob</b>");
    EXPECT_EQ(find<QLabel>(&board, "label_playername5")->toolTip(), "Klick");
    auto* score = find<QLabel>(&board, "label_score1");
    EXPECT_EQ(score->text(), "45");
    EXPECT_GE(score->width(), score->sizeHint().width());  // "45" is not clipped
    auto* points = find<QLabel>(&board, "image_points1");
    EXPECT_EQ(points->size(), QSize(22, 15));
    EXPECT_EQ(points->property("tag").toInt(), 2);
    EXPECT_FALSE(find<QWidget>(&board, "image_eyes3")->isHidden());
    EXPECT_TRUE(find<QWidget>(&board, "image_eyes1")->isHidden());
    EXPECT_EQ(find<QWidget>(&board, "image_Turn")->pos(), QPoint(22, 166));
    auto* die1 = find<QLabel>(&board, "dice1");
    EXPECT_EQ(die1->pos(), QPoint(152, 20));
    EXPECT_EQ(die1->property("tag").toInt(), 4);
    EXPECT_EQ(pixels(die1->pixmap()), pixels(BoardPictures::instance().die(4)));
    EXPECT_EQ(find<QLabel>(&board, "dice2")->pos(), QPoint(230, 49));
    EXPECT_EQ(find<QLabel>(&board, "label_status")->text(), "ANN'S TURN.");
    EXPECT_EQ(find<QLabel>(&board, "label_pointstowin")->text(), "Marks needed to win: 5");
    EXPECT_EQ(find<QLabel>(&board, "label_pointstowin")->property("tag").toInt(), 5);
    EXPECT_EQ(find<QLabel>(&board, "label_rounds")->text(), "Rounds Played: 2");
    EXPECT_FALSE(find<QWidget>(&board, "panel_winner")->isHidden());
    EXPECT_EQ(find<QLabel>(&board, "label_winner")->text(), "Ann has Won the Game!");
    EXPECT_FALSE(find<QWidget>(&board, "button_roll")->isHidden());
    EXPECT_TRUE(find<QWidget>(&board, "button_start")->isHidden());
    EXPECT_EQ(board.tile(3)->property("state").toString(), "d");
    // The state letter does not move the picture; the animation does.
    EXPECT_EQ(board.tile(3)->frame(), 0);

    // Back to the first seat and no turn at all.
    t.turnSeat = 1;
    board.showTable(t);
    EXPECT_EQ(find<QWidget>(&board, "image_Turn")->pos(), QPoint(22, 37));
    t.turnSeat = 0;
    t.seats[0].marks = 0;
    board.showTable(t);
    EXPECT_EQ(find<QWidget>(&board, "image_Turn")->pos(), QPoint(22, 36));
    EXPECT_EQ(find<QLabel>(&board, "image_points1")->width(), 0);
}

TEST(BoardPanel, EyesTurnMarkerAndNameNeverCoverEachOther) {
    BoardPanel board(nullptr);
    TableState t;
    for (int n = 1; n <= 6; ++n) {
        t.seats[static_cast<std::size_t>(n - 1)].eyes = true;
        t.turnSeat = n;
        board.showTable(t);
        const QRect eyes = find<QWidget>(&board, QStringLiteral("image_eyes%1").arg(n))->geometry();
        const QRect name = find<QWidget>(&board, QStringLiteral("label_playername%1").arg(n))->geometry();
        const QRect turn = find<QWidget>(&board, "image_Turn")->geometry();
        EXPECT_FALSE(eyes.intersects(name)) << n;
        EXPECT_FALSE(turn.intersects(eyes)) << n;
        EXPECT_EQ(turn.top(), name.top()) << n;
        EXPECT_LT(turn.right(), name.left()) << n;
    }
    // Without eyes the marker keeps its place.
    t.seats[2].eyes = false;
    t.turnSeat = 3;
    board.showTable(t);
    EXPECT_EQ(find<QWidget>(&board, "image_Turn")->pos(), QPoint(22, 125));
}

TEST(BoardPanel, MarksTurnGreenForTheLastTwoBeforeTheTarget) {
    QPixmap olive(11, 15), green(11, 15);
    olive.fill(QColor(128, 128, 0));
    green.fill(QColor(0, 160, 0));
    struct Case {
        int marks, target;
        const char* colours;  // o olive, g green
    };
    const Case cases[] = {
        {3, 3, "ogg"},
        {5, 5, "ooogg"},
        {10, 10, "oooooooogg"},
        {2, 10, "oo"},
    };
    for (const Case& c : cases) {
        const QImage img = pixels(BoardPanel::marksPicture(c.marks, c.target, olive, green));
        ASSERT_EQ(img.size(), QSize(11 * c.marks, 15));
        for (int i = 0; i < c.marks; ++i) {
            const QColor want = c.colours[i] == 'g' ? QColor(0, 160, 0) : QColor(128, 128, 0);
            EXPECT_EQ(img.pixelColor(11 * i + 5, 7), want) << c.marks << "/" << c.target << " mark " << i;
            EXPECT_EQ(img.pixelColor(11 * i, 0), want);
            EXPECT_EQ(img.pixelColor(11 * i + 10, 14), want);
        }
    }
    EXPECT_TRUE(BoardPanel::marksPicture(0, 5, olive, green).isNull());
    EXPECT_TRUE(BoardPanel::marksPicture(-1, 5, olive, green).isNull());
}

TEST(BoardPanel, RedrawsMarksWhenTheTargetChanges) {
    BoardPanel board(nullptr);
    const auto& pics = BoardPictures::instance();
    TableState t;
    t.seats[5].marks = 3;
    t.pointsToWin = 10;
    board.showTable(t);
    auto* points = find<QLabel>(&board, "image_points6");
    EXPECT_EQ(pixels(points->pixmap()), pixels(BoardPanel::marksPicture(3, 10, pics.markOlive, pics.markGreen)));
    t.pointsToWin = 3;
    board.showTable(t);
    EXPECT_EQ(pixels(points->pixmap()), pixels(BoardPanel::marksPicture(3, 3, pics.markOlive, pics.markGreen)));
}

TEST(BoardPanel, ReportsTileClicksSeatMenusAndButtons) {
    BoardPanel board(nullptr);
    TableState t;
    t.rollVisible = true;
    board.showTable(t);
    board.show();
    QSignalSpy tiles(&board, &BoardPanel::tilePressed);
    QSignalSpy seats(&board, &BoardPanel::seatMenuRequested);
    QSignalSpy roll(board.dicePanel(), &tc::client::DicePanel::rollClicked);
    QTest::mouseClick(board.tile(6), Qt::LeftButton);
    QTest::mouseClick(board.dicePanel()->rollButton(), Qt::LeftButton);
    auto* seat4 = find<QLabel>(&board, "label_playername4");
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), seat4->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(seat4, &menu);
    ASSERT_EQ(tiles.count(), 1);
    EXPECT_EQ(tiles.at(0).at(0).toInt(), 6);
    EXPECT_EQ(roll.count(), 1);
    ASSERT_EQ(seats.count(), 1);
    EXPECT_EQ(seats.at(0).at(0).toInt(), 4);
}

TEST(GameStartWindow, ChoosesThreeToTenMarksStartingAtFive) {
    GameStartWindow w;
    EXPECT_EQ(w.objectName(), "Tgamestart");
    EXPECT_EQ(w.windowTitle(), "Tilecrest - Game Start");
    EXPECT_EQ(w.size(), QSize(257, 134));
    EXPECT_TRUE(w.windowFlags() & Qt::Tool);
    auto* spin = find<QSpinBox>(&w, "edit_playtoscore");
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->value(), 5);
    EXPECT_EQ(spin->minimum(), 3);
    EXPECT_EQ(spin->maximum(), 10);
    EXPECT_FALSE(spin->wrapping());
    EXPECT_FALSE(spin->findChild<QLineEdit*>()->isReadOnly());
    for (const char* text : {"Game Options", "Play to", "Marks", "Rudi plays:"}) {
        bool found = false;
        for (auto* l : w.findChildren<QLabel*>()) found = found || l->text() == text;
        EXPECT_TRUE(found) << text;
    }
    // No wrap-around at either end.
    spin->setValue(10);
    spin->stepUp();
    EXPECT_EQ(spin->value(), 10);
    spin->setValue(3);
    spin->stepDown();
    EXPECT_EQ(spin->value(), 3);
    w.setPlayToScore(42);
    EXPECT_EQ(w.playToScore(), 10);
}

TEST(GameStartWindow, StartHidesTheWindowAndKeepsTheValue) {
    QWidget main;
    main.setGeometry(100, 100, 700, 500);
    main.show();
    GameStartWindow w;
    w.showCentredOn(&main);
    EXPECT_TRUE(w.isVisible());
    EXPECT_LE((w.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 4);
    QSignalSpy started(&w, &GameStartWindow::startRequested);
    auto* spin = find<QSpinBox>(&w, "edit_playtoscore");
    spin->stepUp();
    spin->stepUp();
    QTest::mouseClick(find<QPushButton>(&w, "button_start"), Qt::LeftButton);
    ASSERT_EQ(started.count(), 1);
    EXPECT_EQ(started.at(0).at(0).toInt(), 7);
    EXPECT_FALSE(w.isVisible());
    w.showCentredOn(&main);
    EXPECT_EQ(w.playToScore(), 7);
}

TEST(GameStartWindow, ATypedNumberCountsAndOneOutsideThreeToTenIsRefusedVisibly) {
    GameStartWindow w;
    w.show();
    QSignalSpy started(&w, &GameStartWindow::startRequested);
    auto* edit = find<QSpinBox>(&w, "edit_playtoscore")->findChild<QLineEdit*>();
    QLabel* heading = w.findChildren<QLabel*>().first();
    auto typeAndStart = [&](const char* typed) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        QTest::mouseClick(find<QPushButton>(&w, "button_start"), Qt::LeftButton);
    };
    typeAndStart("3");
    ASSERT_EQ(started.count(), 1);
    EXPECT_EQ(started.at(0).at(0).toInt(), 3);
    // "1" (on the way to 10) and an empty box start nothing; the window says why.
    for (const char* typed : {"1", ""}) {
        w.showCentredOn(nullptr);
        EXPECT_EQ(heading->text(), "Game Options");
        typeAndStart(typed);
        EXPECT_EQ(started.count(), 1) << typed;
        EXPECT_TRUE(w.isVisible()) << typed;
        EXPECT_EQ(heading->text(), "Play to 3 to 10 Marks") << typed;
        EXPECT_EQ(edit->selectedText(), edit->text()) << typed;
    }
    typeAndStart("10");
    ASSERT_EQ(started.count(), 2);
    EXPECT_EQ(started.at(1).at(0).toInt(), 10);
}

TEST(GameStartWindow, RudiPlaysClassicUnlessTheHostPicksExpert) {
    GameStartWindow w;
    w.show();
    auto* classic = find<QRadioButton>(&w, "radio_classic");
    auto* expert = find<QRadioButton>(&w, "radio_expert");
    ASSERT_TRUE(classic && expert);
    EXPECT_EQ(classic->text(), "Classic");
    EXPECT_EQ(expert->text(), "Expert");
    EXPECT_TRUE(classic->isChecked());
    EXPECT_FALSE(expert->isChecked());
    EXPECT_EQ(w.rudi(), tc::game::Rudi::Classic);
    QSignalSpy chosen(&w, &GameStartWindow::rudiChosen);
    // Set from the settings: shown, not reported back.
    w.setRudi(tc::game::Rudi::Expert);
    EXPECT_TRUE(expert->isChecked());
    EXPECT_FALSE(classic->isChecked());
    EXPECT_EQ(chosen.count(), 0);
    QTest::mouseClick(classic, Qt::LeftButton);
    EXPECT_EQ(w.rudi(), tc::game::Rudi::Classic);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<tc::game::Rudi>(), tc::game::Rudi::Classic);
    QTest::mouseClick(expert, Qt::LeftButton);
    EXPECT_EQ(w.rudi(), tc::game::Rudi::Expert);
    EXPECT_EQ(chosen.count(), 2);
}
