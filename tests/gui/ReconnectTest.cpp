// The game program getting back to its seat against the real headless
// server, through a relay that cuts the line.
#include <QAction>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>

#include <algorithm>

#include "RelayedTable.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "client/ReconnectAttempt.h"

using tc::guitest::annArgs;
using tc::guitest::Bob;
using tc::guitest::CuttingRelay;
using tc::guitest::GameCopy;
using tc::guitest::kWait;
using tc::guitest::RelayedTable;
using tc::guitest::waitUntil;

namespace {

// One or two open tiles of Ann's table that make `total`, or none.
std::vector<int> openTilesMaking(GameCopy& copy, int total) {
    auto open = [&](int t) { return t >= 1 && t <= 9 && copy.session().table().tiles[t - 1] == "u"; };
    if (open(total)) return {total};
    for (int a = 1; a <= 9; ++a)
        if (open(a) && a < total - a && open(total - a)) return {a, total - a};
    return {};
}

} // namespace

TEST(Reconnect, ACutLineBringsTheProgramBackToItsSeatWithScoreAndMarks) {
    // Slow enough pauses that the game cannot end while she is away.
    RelayedTable table({"--pause-ms", "100"});
    ASSERT_TRUE(table.ready()) << table.server.log().toStdString();
    auto& [server, bob, relay] = table;
    GameCopy ann(annArgs(relay.port()));
    ASSERT_TRUE(waitUntil([&] { return !ann.session().seatKey().empty(); }, kWait));
    EXPECT_EQ(ann.session().myseat(), 2);
    // Cid watches the table from his own window, straight to the server.
    GameCopy cid({"Cid", "127.0.0.1", "false", "--port", QString::number(server.port)});
    ASSERT_TRUE(waitUntil([&] { return cid.session().myseat() == 3 && cid.seat(2) == "Ann"; }, kWait));
    bob.startGame();
    ASSERT_TRUE(waitUntil([&] { return cid.session().currentplayer() != 0; }, kWait));
    cid.window().findChild<QAction*>("JustWatch1")->trigger();
    // Play until Ann's own turn waits for her.
    ASSERT_TRUE(waitUntil([&] { return ann.session().currentplayer() == 2 && ann.session().mayselect(); }, kWait));
    const auto before = ann.session().table();

    relay.setDown(true);
    relay.cut();
    ASSERT_TRUE(waitUntil([&] { return ann.session().reconnecting(); }, kWait));
    auto* banner = ann.window().findChild<QWidget*>("reconnectBanner");
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(banner->isVisible());
    EXPECT_TRUE(ann.label("reconnectText").startsWith(QString::fromUtf8("Connection lost, reconnecting\u2026 ")));
    EXPECT_TRUE(ann.chatHas(QString::fromUtf8("Connection lost, reconnecting\u2026")));
    ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_away+2+"); }, kWait));
    // Every other table shows her away, in words, and nobody reads that she left.
    ASSERT_TRUE(waitUntil([&] { return cid.seat(2) == "Ann (away)"; }, kWait));
    EXPECT_TRUE(cid.chatHas("Ann lost the connection; their seat is kept for 2 minutes."));
    EXPECT_FALSE(cid.chatHas("Ann disconnected."));
    const QString shots = qEnvironmentVariable("TILECREST_RECONNECT_SHOTS");
    if (!shots.isEmpty()) {
        ann.window().resize(ann.window().width() * 5 / 4, ann.window().height() * 5 / 4);
        cid.window().resize(cid.window().width() * 5 / 4, cid.window().height() * 5 / 4);
        QTest::qWait(300);
        ann.window().grab().save(shots + "/reconnecting.png");
        cid.window().grab().save(shots + "/away.png");
    }
    // The line stays down for a few tries, then comes back.
    ASSERT_TRUE(waitUntil([&] { return relay.arrivals >= 3; }, kWait));
    relay.setDown(false);
    ASSERT_TRUE(waitUntil([&] { return !ann.session().reconnecting() && ann.chatHas("You are back in your seat."); },
                          kWait));
    EXPECT_FALSE(banner->isVisible());
    EXPECT_EQ(ann.session().myseat(), 2);
    ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_back+2+"); }, kWait));
    EXPECT_FALSE(bob.heard("CMD_playerdisconnected+2"));
    ASSERT_TRUE(waitUntil([&] { return cid.seat(2) == "Ann" && cid.chatHas("Ann is back."); }, kWait));
    EXPECT_TRUE(server.log().contains("back slot 2 (Ann)")) << server.log().toStdString();
    // Her Marks are the ones the table gave her, those won while away too:
    // at least all the rounds Bob saw end before she was back, and no more
    // than he has seen end by now (her own table may lag a line or two).
    int marksAtBack = 0, marksNow = 0;
    bool isBack = false;
    for (const auto& l : bob.lines) {
        if (l == "CMD_back+2+") isBack = true;
        const int won = l.startsWith("CMD_roundwinner+") && l.split('+').mid(1).contains("2");
        marksNow += won;
        if (!isBack) marksAtBack += won;
    }
    const auto& after = ann.session().table();
    EXPECT_GE(after.seats[1].marks, marksAtBack);
    EXPECT_LE(after.seats[1].marks, marksNow);
    EXPECT_GE(after.seats[1].marks, before.seats[1].marks);
    EXPECT_EQ(after.seats[0].caption, "Bob");
    EXPECT_EQ(after.seats[1].caption, "Ann");
    // Her own turn is hers again: a move made on her table is taken.
    ASSERT_TRUE(waitUntil([&] { return ann.session().currentplayer() == 2 && ann.session().mayselect(); }, kWait));
    const auto& dice = ann.session().table().dice;
    const std::vector<int> pick = openTilesMaking(ann, dice[0].face + dice[1].face);
    if (!pick.empty()) {
        for (int t : pick) QTest::mouseClick(ann.board().tile(t), Qt::LeftButton);
        auto* roll = ann.board().dicePanel()->rollButton();
        if (roll->isVisible()) QTest::mouseClick(roll, Qt::LeftButton);
        QByteArray closed = "CMD_closeit";
        for (int t : pick) closed += "+" + QByteArray::number(t);
        EXPECT_TRUE(waitUntil([&] { return bob.lines.contains(closed); }, kWait)) << closed.toStdString();
    }
}

TEST(Reconnect, AfterTheHoldTheProgramGivesUpAndTheSeatIsReleased) {
    RelayedTable table({"--hold-s", "2"});
    ASSERT_TRUE(table.ready()) << table.server.log().toStdString();
    auto& [server, bob, relay] = table;
    GameCopy ann(annArgs(relay.port()));
    ASSERT_TRUE(waitUntil([&] { return ann.session().holdSeconds() == 2; }, kWait));
    bob.startGame();
    ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_nextplayer+"); }, kWait));
    ASSERT_TRUE(waitUntil([&] { return ann.session().currentplayer() != 0; }, kWait));
    relay.setDown(true);
    relay.cut();
    ASSERT_TRUE(waitUntil([&] { return ann.session().reconnecting(); }, kWait)) << ann.chat().toStdString();
    ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_playerdisconnected+2+Ann"); }, kWait));
    ASSERT_TRUE(waitUntil([&] { return ann.chatHas("could not be restored in time"); }, kWait));
    EXPECT_FALSE(ann.session().reconnecting());
}

// Ann's copy, joined through the relay, in a game Bob starts; then her line
// is cut and kept down, and she is trying to come back.
namespace {
void cutOffInAGame(Bob& bob, CuttingRelay& relay, GameCopy& ann) {
    ASSERT_TRUE(waitUntil([&] { return !ann.session().seatKey().empty(); }, kWait));
    bob.startGame();
    ASSERT_TRUE(waitUntil([&] { return ann.session().currentplayer() != 0; }, kWait));
    relay.setDown(true);
    relay.cut();
    ASSERT_TRUE(waitUntil([&] { return ann.session().reconnecting(); }, kWait));
}
} // namespace

TEST(Reconnect, CancelLeavesTheGameAndAnExitIsNoDrop) {
    RelayedTable table({});
    ASSERT_TRUE(table.ready()) << table.server.log().toStdString();
    auto& [server, bob, relay] = table;
    {
        GameCopy ann(annArgs(relay.port()));
        ASSERT_NO_FATAL_FAILURE(cutOffInAGame(bob, relay, ann));
        auto* cancel = ann.window().findChild<QPushButton*>("reconnectCancel");
        ASSERT_NE(cancel, nullptr);
        cancel->click();
        ASSERT_TRUE(waitUntil([&] { return ann.chatHas("You stopped reconnecting"); }, kWait));
        EXPECT_FALSE(ann.window().reconnectAttempt().running());
    }
    // A copy that exits during a game tells the server: its seat goes at once.
    relay.setDown(false);
    {
        GameCopy cid({"Cid", "127.0.0.1", "false", "--port", QString::number(relay.port())});
        ASSERT_TRUE(waitUntil([&] { return !cid.session().seatKey().empty(); }, kWait));
        const int seat = cid.session().myseat();
        cid.window().close();
        ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_playerdisconnected+" + QByteArray::number(seat) + "+Cid"); },
                              kWait));
        EXPECT_FALSE(bob.heard("CMD_away+" + QByteArray::number(seat)));
    }
}

// Cancel while the host can be reached again: the kept seat is given up at
// once, so the table sees Ann leave long before the two minutes are over.
TEST(Reconnect, CancelGivesTheKeptSeatUpAtOnceWhenTheHostCanBeReached) {
    RelayedTable table({});
    ASSERT_TRUE(table.ready()) << table.server.log().toStdString();
    auto& [server, bob, relay] = table;
    GameCopy ann(annArgs(relay.port()));
    ASSERT_NO_FATAL_FAILURE(cutOffInAGame(bob, relay, ann));
    ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_away+2+120+"); }, kWait));
    // Her first try met the line still down; the next one is a second away.
    ASSERT_TRUE(waitUntil([&] { return relay.arrivals >= 2; }, kWait));
    relay.setDown(false);
    QElapsedTimer since;
    since.start();
    auto* cancel = ann.window().findChild<QPushButton*>("reconnectCancel");
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    EXPECT_FALSE(ann.window().reconnectAttempt().running());
    ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_playerdisconnected+2+Ann"); }, kWait)) << server.log().toStdString();
    EXPECT_LT(since.elapsed(), 60000) << "the hold would have ended by itself";
    EXPECT_TRUE(server.log().contains("seat 2 (Ann) given up by its player")) << server.log().toStdString();
    // The table never saw her come back only to leave.
    EXPECT_EQ(bob.lines.count("CMD_back+2+"), 0);
    ASSERT_TRUE(waitUntil([&] { return ann.chatHas("You stopped reconnecting; the game is left."); }, kWait));
    EXPECT_FALSE(ann.window().reconnectAttempt().givingUp());
    // It stays given up: nothing keeps it, nothing ends it again later.
    QTest::qWait(1500);
    EXPECT_EQ(bob.lines.count("CMD_playerdisconnected+2+Ann"), 1);
    EXPECT_EQ(std::count_if(bob.lines.begin(), bob.lines.end(),
                            [](const QByteArray& l) { return l.startsWith("CMD_away+2+"); }),
              1);
}

TEST(Reconnect, AHostWhoClosesTheGameEndsItForTheOthersWithoutATry) {
    auto host = std::make_unique<GameCopy>(QStringList{"Ann", "127.0.0.1", "true", "--port", "0", "--pause-ms", "10"});
    ASSERT_TRUE(waitUntil([&] { return host->session().loggedin(); }, kWait));
    GameCopy bob({"Bob", "127.0.0.1", "false", "--port", QString::number(host->window().hostingPort())});
    ASSERT_TRUE(waitUntil([&] { return !bob.session().seatKey().empty() && host->seat(2) == "Bob"; }, kWait));
    EXPECT_TRUE(host->session().seatKey().empty() == false);  // the host's seat has one too, and never needs it
    QTest::mouseClick(host->board().dicePanel()->startButton(), Qt::LeftButton);
    auto& start = host->game.gameStart();
    ASSERT_TRUE(waitUntil([&] { return start.isVisible(); }, kWait));
    QTest::mouseClick(start.findChild<QPushButton*>("button_start"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return bob.session().currentplayer() != 0; }, kWait));
    bool bobClosed = false;
    QObject::connect(&bob.window(), &tc::client::MainWindow::closed, [&] { bobClosed = true; });
    host->window().close();
    host.reset();  // the server goes with the host's program
    ASSERT_TRUE(waitUntil([&] { return bobClosed; }, kWait));
    EXPECT_FALSE(bob.session().reconnecting());
    EXPECT_FALSE(bob.window().reconnectAttempt().running());
    EXPECT_FALSE(bob.chatHas(QString::fromUtf8("Connection lost, reconnecting\u2026")));
}
