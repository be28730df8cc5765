// Rudi's choice in the game-start window and the coach on the table, in a
// solo game played with the mouse.
#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "GameCopy.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "client/MenuKeys.h"
#include "game/ExpertPlayer.h"
#include "server/ServerHost.h"
#include "session/RudiSettings.h"
#include "store/SettingsFile.h"

using tc::guitest::GameCopy;
using tc::guitest::waitUntil;

namespace {

tc::client::RudiSettings storedChoices(GameCopy& copy) {
    return tc::client::RudiSettings::read(tc::store::SettingsFile(copy.game.settings().path()));
}

tc::game::TileMask shutTiles(GameCopy& copy) {
    tc::game::TileMask m = 0;
    for (int t = 1; t <= 9; ++t)
        if (copy.tileState(t) == "o") m |= tc::game::TileMask(1u << (t - 1));
    return m;
}

tc::game::TileMask markedTiles(GameCopy& copy) {
    tc::game::TileMask m = 0;
    for (int t = 1; t <= 9; ++t)
        if (copy.board().tile(t)->bestMove()) m |= tc::game::TileMask(1u << (t - 1));
    return m;
}

} // namespace

TEST(Coach, ExpertRudiIsChosenAndTheBestMoveShowsOnTheOwnTurnOnly) {
    GameCopy you({"--port", "0", "--pause-ms", "5"});
    ASSERT_TRUE(waitUntil([&] { return you.session().loggedin() && you.seat(1) == "You"; }));

    auto* coach = you.window().findChild<QAction*>("ShowBestMove1");
    ASSERT_NE(coach, nullptr);
    EXPECT_EQ(tc::client::MenuKeys::plain(coach->text()), "Show Best Move");
    EXPECT_TRUE(coach->isCheckable());
    EXPECT_FALSE(coach->isChecked());
    coach->trigger();
    EXPECT_TRUE(you.session().showBestMove());
    EXPECT_TRUE(storedChoices(you).showBestMove);

    QTest::mouseClick(you.board().dicePanel()->startButton(), Qt::LeftButton);
    auto& start = you.game.gameStart();
    ASSERT_TRUE(waitUntil([&] { return start.isVisible(); }));
    auto* classic = start.findChild<QRadioButton*>("radio_classic");
    auto* expert = start.findChild<QRadioButton*>("radio_expert");
    ASSERT_TRUE(classic && expert);
    EXPECT_TRUE(classic->isChecked());
    EXPECT_EQ(expert->text(), "Expert");
    QTest::mouseClick(expert, Qt::LeftButton);
    EXPECT_EQ(start.rudi(), tc::game::Rudi::Expert);
    EXPECT_EQ(storedChoices(you).rudi, tc::game::Rudi::Expert);
    start.findChild<QSpinBox*>("edit_playtoscore")->setValue(3);
    EXPECT_EQ(you.game.server().server().rudi(), tc::game::Rudi::Classic);  // not before the start
    QTest::mouseClick(start.findChild<QPushButton*>("button_start"), Qt::LeftButton);
    EXPECT_EQ(you.game.server().server().rudi(), tc::game::Rudi::Expert);
    ASSERT_TRUE(waitUntil([&] { return you.seat(2) == "Rudi"; }));

    // Watch the tiles all the time: while it is not our turn nothing is marked.
    int othersTurnLooks = 0, marksOutOfTurn = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (you.session().currentplayer() == you.session().myseat()) return;
        ++othersTurnLooks;
        if (markedTiles(you) != 0) ++marksOutOfTurn;
    });
    watch.start(1);

    auto* winner = you.window().findChild<QWidget*>("panel_winner");
    auto* roll = you.board().dicePanel()->rollButton();
    const auto& table = tc::game::ExpertTable::get();
    int handledRolls = 0, coached = 0;
    while (!winner->isVisible()) {
        ASSERT_TRUE(waitUntil([&] { return winner->isVisible() || you.sounds.count("dice") > handledRolls; }, 60000));
        if (winner->isVisible()) break;
        handledRolls = you.sounds.count("dice");
        const auto& dice = you.session().table().dice;
        const int total = dice[0].face + dice[1].face;
        const tc::game::TileMask open = tc::game::kAllTiles & ~shutTiles(you);
        const tc::game::TileMask best = table.lowest(open, total);
        // The advice is on the table the moment the roll is.
        ASSERT_EQ(markedTiles(you), best) << "open " << open << " roll " << total;
        if (!best) continue;  // the server ends the turn itself
        ++coached;
        // The advice has its own line; the turn's own line stays above it.
        EXPECT_TRUE(you.label("label_coach").startsWith("Best move: ")) << you.label("label_coach").toStdString();
        EXPECT_EQ(you.label("label_status"), "YOUR TURN.");
        // Play the advice.
        for (int t = 1; t <= 9; ++t)
            if (best & (1u << (t - 1))) QTest::mouseClick(you.board().tile(t), Qt::LeftButton);
        if (roll->isVisible()) QTest::mouseClick(roll, Qt::LeftButton);
        // The server answers by shutting them.
        ASSERT_TRUE(waitUntil([&] {
            return (best & ~shutTiles(you)) == 0 || you.session().currentplayer() != you.session().myseat() ||
                   winner->isVisible();
        }));
        ASSERT_LT(coached, 2000);
    }
    watch.stop();
    EXPECT_GT(coached, 0);
    EXPECT_GT(othersTurnLooks, 0);
    EXPECT_EQ(marksOutOfTurn, 0);
    EXPECT_EQ(markedTiles(you), 0);

    coach->trigger();
    EXPECT_FALSE(you.session().showBestMove());
    EXPECT_FALSE(storedChoices(you).showBestMove);
}
