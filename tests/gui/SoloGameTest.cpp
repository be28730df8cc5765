#include <QPushButton>
#include <QSpinBox>

#include "GameCopy.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "windows/TallyListWindow.h"

using tc::guitest::GameCopy;
using tc::guitest::chooseTiles;
using tc::guitest::moveAnswered;
using tc::guitest::waitUntil;

namespace {

} // namespace

TEST(SoloGame, AWholeGameAgainstRudiPlayedWithTheMouse) {
    // No parameters: a solo game as "You", hosted here.
    GameCopy you({"--port", "0", "--pause-ms", "5"});
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin() && you.seat(1) == "You"; }));
    EXPECT_TRUE(you.chatHas("Loading Solo Game..Please wait."));

    // The tally file is shared by the tests of this binary: count from here.
    auto tallyLabel = [&](const char* name) {
        return you.game.tally().findChild<QLabel*>(name)->text().toInt();
    };
    const int gamesBefore = tallyLabel("mylabel_1");
    const int winsBefore = tallyLabel("mylabel_2");

    auto* startButton = you.board().dicePanel()->startButton();
    ASSERT_TRUE(waitUntil([&] { return startButton->isVisible(); }));
    // Before the first game the table shows what the start window offers.
    EXPECT_EQ(you.label("label_pointstowin"),
              QStringLiteral("Marks needed to win: %1").arg(you.game.gameStart().playToScore()));
    QTest::mouseClick(startButton, Qt::LeftButton);
    auto& start = you.game.gameStart();
    ASSERT_TRUE(waitUntil([&] { return start.isVisible(); }));
    auto* marks = start.findChild<QSpinBox*>("edit_playtoscore");
    marks->stepDown();
    marks->stepDown();
    ASSERT_EQ(marks->value(), 3);
    QTest::mouseClick(start.findChild<QPushButton*>("button_start"), Qt::LeftButton);
    EXPECT_FALSE(start.isVisible());
    ASSERT_TRUE(waitUntil([&] { return you.seat(2) == "Rudi"; }));
    EXPECT_TRUE(you.chatHas("Hi ya, I'm Rudi the Bot!"));
    EXPECT_EQ(you.label("label_pointstowin"), "Marks needed to win: 3");

    auto* winner = you.window().findChild<QWidget*>("panel_winner");
    auto* roll = you.board().dicePanel()->rollButton();
    int handledRolls = 0;
    int moves = 0;
    while (!winner->isVisible()) {
        // Wait for a roll of our own (the "dice" sound) or the end.
        ASSERT_TRUE(waitUntil([&] { return winner->isVisible() || you.sounds.count("dice") > handledRolls; }, 60000))
            << "stuck; status: " << you.label("label_status").toStdString();
        if (winner->isVisible()) break;
        handledRolls = you.sounds.count("dice");
        const auto& dice = you.session().table().dice;
        const std::vector<int> pick = chooseTiles(you, dice[0].face + dice[1].face);
        if (pick.empty()) continue;  // the server ends the turn itself
        for (int t : pick) QTest::mouseClick(you.board().tile(t), Qt::LeftButton);
        // The last open tile commits by itself; otherwise Roll Dice does.
        if (roll->isVisible()) QTest::mouseClick(roll, Qt::LeftButton);
        EXPECT_FALSE(roll->isVisible());
        ++moves;
        // The server answers by shutting the tiles.
        ASSERT_TRUE(waitUntil([&] { return moveAnswered(you, pick, winner); }));
        ASSERT_LT(moves, 2000);
    }
    EXPECT_GT(moves, 0);
    const QString text = you.label("label_winner");
    // The own win in the second person.
    EXPECT_TRUE(text == "You have won the game!" || text == "Rudi has Won the Game!") << text.toStdString();
    EXPECT_TRUE(you.chatHas(text));
    EXPECT_GE(you.label("label_rounds").mid(15).toInt(), 2);
    ASSERT_TRUE(waitUntil([&] { return you.sounds.count("gameover") == 1; }));
    EXPECT_EQ(you.sounds.count("winner"), 1);
    EXPECT_GT(you.sounds.count("slide"), 0);
    // The host may start the next game.
    EXPECT_TRUE(startButton->isVisible());
    // The tally counted the game the moment it ended.
    EXPECT_EQ(tallyLabel("mylabel_1"), gamesBefore + 1);
    EXPECT_EQ(tallyLabel("mylabel_2"), winsBefore + (text == "You have won the game!" ? 1 : 0));
}
