// Drops as players have them, against the real headless server in its own
// process: a line cut on the player's side only, the server's side left
// open and silent; a table with all nine slots held; seat 1 of the
// headless server, whose window drives its game; closing the window while
// it tries to get back.
#include <QElapsedTimer>
#include <QPushButton>

#include "RelayedTable.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "client/ReconnectAttempt.h"

using tc::guitest::annArgs;
using tc::guitest::CuttingRelay;
using tc::guitest::GameCopy;
using tc::guitest::HeadlessServer;
using tc::guitest::kWait;
using tc::guitest::RelayedTable;
using tc::guitest::waitUntil;
using tc::guitest::WireClient;

namespace {

// Ann's copy through the relay, seated with her key, in a game Bob started.
void seatedInAGame(RelayedTable& table, GameCopy& ann) {
    ASSERT_TRUE(waitUntil([&] { return !ann.session().seatKey().empty(); }, kWait));
    table.bob.startGame();
    ASSERT_TRUE(waitUntil([&] { return ann.session().currentplayer() != 0; }, kWait));
}

int count(const QList<QByteArray>& lines, const QByteArray& start) {
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [&](const QByteArray& l) { return l.startsWith(start); }));
}

} // namespace

// After a Wi-Fi change the copy sees its line fail while the server still
// holds the old connection open: the key takes the seat back at once, long
// before keepalive would tell the server.
TEST(RealDrops, ALineCutOnThePlayersSideOnlyIsBackInSecondsNotAfterKeepalive) {
    RelayedTable table({"--pause-ms", "100"});
    ASSERT_TRUE(table.ready()) << table.server.log().toStdString();
    auto& [server, bob, relay] = table;
    GameCopy ann(annArgs(relay.port()));
    ASSERT_NO_FATAL_FAILURE(seatedInAGame(table, ann));
    QElapsedTimer since;
    since.start();
    relay.cutClientSide();
    ASSERT_TRUE(waitUntil([&] { return ann.chatHas("You are back in your seat."); }, kWait))
        << server.log().toStdString();
    EXPECT_LT(since.elapsed(), 15000) << "keepalive would have taken about 35 s";
    EXPECT_EQ(ann.session().myseat(), 2);
    EXPECT_FALSE(ann.session().reconnecting());
    ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_back+2+"); }, kWait));
    EXPECT_TRUE(server.log().contains("seat 2 (Ann) presented from a new connection: the old one ends as a drop"))
        << server.log().toStdString();
    // Bob saw a drop and a return, never a leaving, and each once.
    EXPECT_EQ(count(bob.lines, "CMD_away+2+"), 1);
    EXPECT_EQ(count(bob.lines, "CMD_back+2+"), 1);
    EXPECT_EQ(count(bob.lines, "CMD_playerdisconnected+2"), 0);
    EXPECT_EQ(ann.seat(1), "Bob");
    EXPECT_FALSE(ann.chatHas("could not be restored"));
}

// A kept seat still holds its slot: with the eight others held the copy is
// asked for its key and gets its seat, instead of "Game is full" until the
// hold runs out.
TEST(RealDrops, AtATableWithAllNineSlotsHeldTheCopyGetsItsSeatBack) {
    RelayedTable table({"--pause-ms", "100"});
    ASSERT_TRUE(table.ready()) << table.server.log().toStdString();
    auto& [server, bob, relay] = table;
    GameCopy ann(annArgs(relay.port()));
    ASSERT_NO_FATAL_FAILURE(seatedInAGame(table, ann));
    std::vector<std::unique_ptr<WireClient>> others;
    // One after another, as friends arrive (the server bounds the strangers
    // one address may have waiting at once).
    for (int i = 3; i <= 9; ++i) {
        const QByteArray name = "P" + QByteArray::number(i);
        others.push_back(std::make_unique<WireClient>(server.port, name));
        ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_newplayerinfo+" + QByteArray::number(i) + "+" + name); }, kWait))
            << server.log().toStdString();
    }
    relay.setDown(true);
    relay.cut();
    ASSERT_TRUE(waitUntil([&] { return ann.session().reconnecting() && bob.heard("CMD_away+2+"); }, kWait));
    // Nobody else gets in meanwhile: the nine slots are held.
    WireClient stranger(server.port, "Zed");
    ASSERT_TRUE(waitUntil([&] { return server.log().contains("all nine slots in use"); }, kWait))
        << server.log().toStdString();
    EXPECT_EQ(stranger.slot, 0);
    relay.setDown(false);
    ASSERT_TRUE(waitUntil([&] { return ann.chatHas("You are back in your seat."); }, kWait))
        << server.log().toStdString();
    EXPECT_EQ(ann.session().myseat(), 2);
    EXPECT_TRUE(server.log().contains("back slot 2 (Ann) (at a full table")) << server.log().toStdString();
    EXPECT_TRUE(ann.messages.isEmpty()) << "no \"Game is full\": " << ann.messages.join('|').toStdString();
    ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_back+2+"); }, kWait));
    EXPECT_EQ(count(bob.lines, "CMD_playerdisconnected+2"), 0);
}

// Seat 1 of tilecrest-server is its host, but his window runs no server:
// when his line drops he comes back like anyone, and drives the game again.
TEST(RealDrops, SeatOneOfTheHeadlessServerComesBackAsItsHost) {
    HeadlessServer server({"--pause-ms", "50"});
    ASSERT_NE(server.port, 0) << server.log().toStdString();
    CuttingRelay relay(server.port);
    GameCopy ann({"Ann", "127.0.0.1", "false", "--port", QString::number(relay.port())});
    ASSERT_TRUE(waitUntil([&] { return !ann.session().seatKey().empty(); }, kWait)) << server.log().toStdString();
    ASSERT_EQ(ann.session().myseat(), 1);
    ASSERT_TRUE(ann.session().ishost());
    WireClient cid(server.port, "Cid");
    ASSERT_TRUE(waitUntil([&] { return ann.seat(2) == "Cid"; }, kWait));
    // Her window starts the game.
    QTest::mouseClick(ann.board().dicePanel()->startButton(), Qt::LeftButton);
    auto& start = ann.game.gameStart();
    ASSERT_TRUE(waitUntil([&] { return start.isVisible(); }, kWait));
    QTest::mouseClick(start.findChild<QPushButton*>("button_start"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return ann.session().currentplayer() != 0; }, kWait));
    bool closed = false;
    QObject::connect(&ann.window(), &tc::client::MainWindow::closed, [&] { closed = true; });
    relay.setDown(true);
    relay.cut();
    ASSERT_TRUE(waitUntil([&] { return ann.session().reconnecting(); }, kWait));
    // The window stays and tries, well past the second in which it used to close.
    QTest::qWait(1500);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(ann.window().reconnectAttempt().running());
    ASSERT_TRUE(waitUntil([&] { return server.log().contains("keeping seat 1 (Ann)"); }, kWait));
    relay.setDown(false);
    ASSERT_TRUE(waitUntil([&] { return ann.chatHas("You are back in your seat."); }, kWait))
        << server.log().toStdString();
    EXPECT_EQ(ann.session().myseat(), 1);
    EXPECT_TRUE(ann.session().ishost());
    EXPECT_TRUE(server.log().contains("back slot 1 (Ann)")) << server.log().toStdString();
    EXPECT_FALSE(closed);
}

// Closing the window while it tries gives the seat up as Cancel does: the
// table sees the leaving within seconds, not when the hold ends.
TEST(RealDrops, ClosingTheWindowWhileReconnectingGivesTheSeatUp) {
    RelayedTable table({});
    ASSERT_TRUE(table.ready()) << table.server.log().toStdString();
    auto& [server, bob, relay] = table;
    GameCopy ann(annArgs(relay.port()));
    ASSERT_NO_FATAL_FAILURE(seatedInAGame(table, ann));
    relay.setDown(true);
    relay.cut();
    ASSERT_TRUE(waitUntil([&] { return ann.session().reconnecting() && bob.heard("CMD_away+2+120+"); }, kWait));
    ASSERT_TRUE(waitUntil([&] { return relay.arrivals >= 2; }, kWait));
    relay.setDown(false);
    bool closed = false;
    QObject::connect(&ann.window(), &tc::client::MainWindow::closed, [&] { closed = true; });
    QElapsedTimer since;
    since.start();
    ann.window().close();
    EXPECT_FALSE(ann.window().isVisible());
    ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_playerdisconnected+2+Ann"); }, kWait))
        << server.log().toStdString();
    EXPECT_TRUE(server.log().contains("seat 2 (Ann) given up by its player")) << server.log().toStdString();
    ASSERT_TRUE(waitUntil([&] { return closed; }, tc::client::ReconnectAttempt::kGiveUpMs + 2000));
    EXPECT_LT(since.elapsed(), 10000);
    EXPECT_EQ(count(bob.lines, "CMD_back+2+"), 0);
}

// Joining another game while it tries: the same.
TEST(RealDrops, JoiningAnotherGameWhileReconnectingGivesTheSeatUp) {
    RelayedTable table({});
    ASSERT_TRUE(table.ready()) << table.server.log().toStdString();
    auto& [server, bob, relay] = table;
    GameCopy ann(annArgs(relay.port()));
    ASSERT_NO_FATAL_FAILURE(seatedInAGame(table, ann));
    relay.setDown(true);
    relay.cut();
    ASSERT_TRUE(waitUntil([&] { return ann.session().reconnecting() && bob.heard("CMD_away+2+120+"); }, kWait));
    relay.setDown(false);
    HeadlessServer other({});
    ASSERT_NE(other.port, 0);
    ann.game.restart(tc::client::parseMainOptions(annArgs(other.port)));
    ASSERT_TRUE(waitUntil([&] { return bob.heard("CMD_playerdisconnected+2+Ann"); }, kWait))
        << server.log().toStdString();
    EXPECT_TRUE(server.log().contains("seat 2 (Ann) given up by its player")) << server.log().toStdString();
    ASSERT_TRUE(waitUntil([&] { return ann.session().loggedin() && ann.session().myseat() == 1; }, kWait));
    EXPECT_FALSE(ann.session().reconnecting());
}
