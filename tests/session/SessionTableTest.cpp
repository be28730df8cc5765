// The table: game start, turns, dice, tiles, scores, Marks and the winner.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "RecordingView.h"
#include "net/Text.h"
#include "session/Marks.h"

using namespace tc::client;
using namespace tc::client::test;
using Events = std::vector<std::string>;

namespace {
std::string sys(const std::string& text) { return "chat[" + kBlue + "] 0+" + text; }
} // namespace

TEST(Marks, LastTwoBeforeTheTargetAreGreen) {
    auto greens = [](int target) {
        std::string s;
        for (int i = 0; i < target; ++i) s += markIsGreen(i, target) ? 'G' : 'o';
        return s;
    };
    EXPECT_EQ(greens(3), "oGG");
    EXPECT_EQ(greens(5), "oooGG");
    EXPECT_EQ(greens(10), "ooooooooGG");
}

TEST(TableStart, TheNotConnectedMessageIsInThePlayersLanguage) {
    tc::net::setTextHooks({[](const char* context, const char* source) {
                               return std::string(context) + "|" + source;
                           },
                           nullptr});
    SessionRig rig;
    rig.session.processParams({"Bob", "127.0.0.1", "true"});
    rig.view.take();
    rig.session.clickStart();
    tc::net::setTextHooks({});
    EXPECT_EQ(rig.view.take(), (Events{"message:Session|You are not connected"}));
}

TEST(TableStart, StartButtonNeedsTheLoginAndSendsTheChosenMarks) {
    SessionRig rig;
    rig.session.processParams({"Bob", "127.0.0.1", "true"});
    rig.view.take();
    rig.session.clickStart();
    rig.session.startGame(5);  // not logged in: nothing leaves
    EXPECT_EQ(rig.view.take(), (Events{"message:You are not connected"}));
    rig.login(1);
    rig.session.clickStart();
    rig.session.startGame(2);
    rig.session.startGame(11);
    rig.session.startGame(7);
    EXPECT_EQ(rig.view.take(), (Events{"gamestart", "send:CMD_startgame+Bob+7+\xFF"}));
}

TEST(TableStart, StartTheGameResetsTheTableAndSeatsRudi) {
    SessionRig rig;
    rig.host("Bob");
    rig.handle("CMD_newplayerinfo+1+Bob+0");
    rig.handle("CMD_updatescores+1+12+2+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0");
    rig.handle("CMD_roundwinner+1");
    rig.handle("CMD_winner+1+");
    ASSERT_TRUE(rig.session.table().winnerVisible);
    EXPECT_EQ(rig.handle("CMD_startgame+Bob+10+"),
              (Events{sys("You have started a game."), sys("Hi ya, I'm Rudi the Bot!")}));
    const TableState& t = rig.session.table();
    EXPECT_FALSE(t.winnerVisible);
    EXPECT_FALSE(t.startVisible);
    EXPECT_EQ(t.rounds, 0);
    EXPECT_EQ(t.roundsText, "Rounds Played: 0");
    EXPECT_EQ(t.pointsToWin, 10);
    EXPECT_EQ(t.pointsToWinText, "Marks needed to win: 10");
    EXPECT_EQ(rig.seat(2).caption, "Rudi");
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(rig.seat(n).score, "0");
        EXPECT_EQ(rig.seat(n).marks, 0);
    }
    // Seat 2 taken by Rudi now: no second greeting.
    EXPECT_EQ(rig.handle("CMD_startgame+Bob+5+"), (Events{sys("You have started a game.")}));
}

TEST(TableStart, TheOwnNameIsTheOneTheServerStored) {
    // The server trims and shortens names; turns and starts must still
    // recognise this client.
    SessionRig rig;
    rig.host(" Bartholomew Anastasia Wilhelmina Smythe");
    const std::string stored = "Bartholomew Anastasia Wilhelmina";
    rig.handle("CMD_newplayerinfo+1+" + stored + "+0");
    EXPECT_EQ(rig.session.myname(), stored);
    rig.session.startGame(5);
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_startgame+" + stored + "+5+\xFF"}));
    EXPECT_EQ(rig.handle("CMD_startgame+" + stored + "+5+"),
              (Events{sys("You have started a game."), sys("Hi ya, I'm Rudi the Bot!")}));
    rig.handle("CMD_nextplayer+1");
    EXPECT_EQ(rig.session.table().status, "YOUR TURN.");
}

TEST(TableStart, OthersAndSpectatorsReadTheStartersName) {
    SessionRig seated;
    seated.join(3, "Ann");
    seated.handle("CMD_existingplayers+1+Bob+0+2+Cid+0+3+Ann+0");
    EXPECT_EQ(seated.handle("CMD_startgame+Bob+5+"), (Events{sys("Bob has started a game.")}));

    // A spectator who happens to share the starter's name is not seated.
    SessionRig spy;
    spy.join(8, "Bob");
    spy.handle("CMD_existingplayers+1+Bob+0");
    EXPECT_EQ(spy.handle("CMD_startgame+Bob+5+"),
              (Events{sys("Bob has started a game."), sys("Hi ya, I'm Rudi the Bot!")}));
}

TEST(TableTurn, NextPlayerOpensEveryTileAndNamesTheSeat) {
    OwnTurn rig;
    rig.handle("CMD_closeit+4+5");
    rig.session.clickTile(1);
    rig.view.take();
    EXPECT_EQ(rig.handle("CMD_nextplayer+3"),
              (Events{"tile:1 up 4", "sound:slide", "tile:4 up 4", "sound:slide", "tile:5 up 4", "sound:slide"}));
    for (int t = 1; t <= 9; ++t) EXPECT_EQ(rig.tile(t), "u");
    EXPECT_EQ(rig.session.table().status, "CID'S TURN.");
    EXPECT_EQ(rig.session.currentplayer(), 3);
    EXPECT_EQ(rig.session.table().turnSeat, 3);
    EXPECT_FALSE(rig.session.mayselect());
    EXPECT_FALSE(rig.session.table().rollVisible);

    // A free seat's turn: the status names "<Waiting>", then the seat takes
    // its fallback name.
    rig.handle("CMD_nextplayer+6");
    EXPECT_EQ(rig.session.table().status, "<WAITING>'S TURN.");
    EXPECT_EQ(rig.seat(6).caption, "Krazy");

    // Only a..z are upper-cased.
    rig.handle("CMD_newplayerinfo+4+Zo\u00eb_9+0");
    rig.handle("CMD_nextplayer+4");
    EXPECT_EQ(rig.session.table().status, "ZO\u00eb_9'S TURN.");
    rig.handle("CMD_nextplayer+1");
    EXPECT_EQ(rig.session.table().status, "YOUR TURN.");
}

TEST(TableTurn, DiceArmOnlyTheOwnTurn) {
    OwnTurn rig;
    EXPECT_TRUE(rig.session.mayselect());
    EXPECT_EQ(rig.session.table().dice[0].face, 4);
    EXPECT_EQ(rig.session.table().dice[1].face, 5);
    rig.handle("CMD_nextplayer+3");
    EXPECT_TRUE(rig.handle("CMD_placedice+1+6+2+2+").empty());  // silent on others' turns
    EXPECT_FALSE(rig.session.mayselect());
    EXPECT_EQ(rig.session.table().dice[0].face, 6);
    EXPECT_EQ(rig.session.table().dice[1].face, 2);
    // Each face goes to the die its message names, whichever comes first.
    rig.handle("CMD_placedice+2+3+1+1+");
    EXPECT_EQ(rig.session.table().dice[0].face, 1);
    EXPECT_EQ(rig.session.table().dice[1].face, 3);
    rig.session.clickTile(3);
    rig.session.clickRoll();
    EXPECT_TRUE(rig.view.take().empty());
    EXPECT_EQ(rig.tile(3), "u");
}

TEST(TableTurn, ClicksSlideAndReportAndRollCommitsTheSelection) {
    OwnTurn rig;
    rig.view.take();
    rig.session.clickTile(4);
    rig.session.clickTile(5);
    rig.session.clickTile(4);
    rig.session.clickTile(1);
    rig.session.clickTile(3);
    EXPECT_EQ(rig.view.take(),
              (Events{"tile:4 down 0", "sound:slide", "send:CMD_slide+1+down+4+\xFF", "tile:5 down 0", "sound:slide",
                      "send:CMD_slide+1+down+5+\xFF", "tile:4 up 4", "sound:slide", "send:CMD_slide+1+up+4+\xFF",
                      "tile:1 down 0", "sound:slide", "send:CMD_slide+1+down+1+\xFF", "tile:3 down 0", "sound:slide",
                      "send:CMD_slide+1+down+3+\xFF"}));
    EXPECT_TRUE(rig.session.table().rollVisible);
    rig.session.clickRoll();
    EXPECT_EQ(rig.view.take(), (Events{"send:CMD_closethem+1+1+3+5\xFF"}));
    EXPECT_FALSE(rig.session.table().rollVisible);
    // Accepted: the selected tiles close without moving again.
    EXPECT_TRUE(rig.handle("CMD_closeit+1+3+5").empty());
    EXPECT_EQ(rig.tile(1), "o");
    EXPECT_EQ(rig.tile(3), "o");
    EXPECT_EQ(rig.tile(5), "o");
    EXPECT_EQ(rig.tile(4), "u");
}

TEST(TableTurn, RollWithNothingSelectedSendsNothingAndHidesTheButton) {
    OwnTurn rig;
    rig.session.clickTile(2);
    rig.session.clickTile(2);
    ASSERT_TRUE(rig.session.table().rollVisible);
    rig.view.take();
    rig.session.clickRoll();
    EXPECT_TRUE(rig.view.take().empty());
    EXPECT_FALSE(rig.session.table().rollVisible);
    rig.session.clickTile(7);
    EXPECT_TRUE(rig.session.table().rollVisible);
}

TEST(TableTurn, ClickOnAShutTileOnlyShowsRoll) {
    OwnTurn rig;
    rig.handle("CMD_closeit+9");
    ASSERT_EQ(rig.tile(9), "o");
    rig.session.clickRoll();
    rig.view.take();
    rig.session.clickTile(9);
    EXPECT_TRUE(rig.view.take().empty());
    EXPECT_EQ(rig.tile(9), "o");
    EXPECT_TRUE(rig.session.table().rollVisible);
}

TEST(TableTurn, ClicksBesideTheNineTilesDoNothing) {
    OwnTurn rig;
    rig.session.clickRoll();  // nothing selected: hides the roll button
    ASSERT_FALSE(rig.session.table().rollVisible);
    rig.view.take();
    rig.session.clickTile(0);
    rig.session.clickTile(10);
    EXPECT_TRUE(rig.view.take().empty());
    EXPECT_FALSE(rig.session.table().rollVisible);
}

TEST(TableTurn, LastOpenTileDownCommitsAtOnce) {
    OwnTurn rig;
    rig.handle("CMD_closeit+1+2+3+4+5+6+7");
    rig.session.clickTile(8);
    rig.view.take();
    rig.session.clickTile(9);
    EXPECT_EQ(rig.view.take(), (Events{"tile:9 down 0", "sound:slide", "send:CMD_slide+1+down+9+\xFF",
                                       "send:CMD_closethem+1+8+9\xFF"}));
    EXPECT_FALSE(rig.session.table().rollVisible);

    // Tile 1 still open counts as much as any other.
    OwnTurn low;
    low.handle("CMD_closeit+2+3+4+5+6+7+8");
    low.view.take();
    low.session.clickTile(9);
    EXPECT_EQ(low.view.take(), (Events{"tile:9 down 0", "sound:slide", "send:CMD_slide+1+down+9+\xFF"}));
}

TEST(TableTurn, OthersSlidesMirrorOnTheTable) {
    OwnTurn rig;
    rig.handle("CMD_nextplayer+3");
    EXPECT_EQ(rig.handle("CMD_slide+down+4+"), (Events{"tile:4 down 0", "sound:slide"}));
    EXPECT_EQ(rig.tile(4), "d");
    EXPECT_TRUE(rig.handle("CMD_slide+sideways+4+").empty());
    EXPECT_EQ(rig.handle("CMD_slide+up+4+"), (Events{"tile:4 up 4", "sound:slide"}));
    EXPECT_EQ(rig.tile(4), "u");
    // Accepting a tile another client never saw go down still animates it.
    EXPECT_EQ(rig.handle("CMD_closeit+6"), (Events{"tile:6 down 0", "sound:slide"}));
    EXPECT_EQ(rig.tile(6), "o");
    // A slide the mover sent just before the close arrives after it: the
    // shut tile stays shut.
    EXPECT_TRUE(rig.handle("CMD_slide+up+6+").empty());
    EXPECT_TRUE(rig.handle("CMD_slide+down+6+").empty());
    EXPECT_EQ(rig.tile(6), "o");
}

TEST(TableTurn, WrongSumSlidesTheSelectionBackOnEveryClient) {
    OwnTurn rig;
    rig.session.clickTile(1);
    rig.session.clickTile(2);
    rig.session.clickRoll();
    rig.view.take();
    EXPECT_EQ(rig.handle("CMD_notvalid+1+1+"), (Events{"tile:1 up 4", "sound:slide", "tile:2 up 4", "sound:slide"}));
    EXPECT_EQ(rig.session.table().status, "THE BOXES YOU SELECTED DO NOT EQUAL THE SUM OF THE DICE");

    SessionRig other;
    other.join(3, "Cid");
    other.handle("CMD_existingplayers+1+Bob+0");
    other.handle("CMD_nextplayer+1");
    other.handle("CMD_slide+down+2+");
    EXPECT_EQ(other.handle("CMD_notvalid+1+1+"), (Events{"tile:2 up 4", "sound:slide"}));
    EXPECT_EQ(other.session.table().status, "BOB'S TURN.");  // the status is the mover's alone
    EXPECT_EQ(other.tile(2), "u");
}

TEST(TableTurn, TheRejectionGivesWayToTheTurnAtTheNextAcceptedMove) {
    OwnTurn rig;
    rig.session.clickTile(1);
    rig.session.clickRoll();
    rig.handle("CMD_notvalid+1+1+");
    EXPECT_EQ(rig.session.table().status, "THE BOXES YOU SELECTED DO NOT EQUAL THE SUM OF THE DICE");
    rig.session.clickTile(9);
    rig.session.clickRoll();
    rig.handle("CMD_closeit+9");
    EXPECT_EQ(rig.session.table().status, "YOUR TURN.");
    // Any other status line stays through a move.
    rig.handle("CMD_notvalid+1+2+");
    rig.handle("CMD_closeit+3");
    EXPECT_EQ(rig.session.table().status, "TURN OVER! THERE ARE NO VALID MOVES.");
}

TEST(TableStart, BeforeTheFirstGameTheMarksShownAreTheOnesOffered) {
    SessionRig rig;
    EXPECT_EQ(rig.session.table().pointsToWinText, "Marks needed to win: 5");
    rig.session.offerMarks(7);
    EXPECT_EQ(rig.session.table().pointsToWin, 7);
    EXPECT_EQ(rig.session.table().pointsToWinText, "Marks needed to win: 7");
    rig.session.offerMarks(11);  // not a choice of the window
    EXPECT_EQ(rig.session.table().pointsToWinText, "Marks needed to win: 7");
    rig.host("Bob");
    rig.handle("CMD_startgame+Bob+4+");
    rig.session.offerMarks(9);  // the game's own number stands
    EXPECT_EQ(rig.session.table().pointsToWinText, "Marks needed to win: 4");
}

TEST(TableTurn, NoMovesSendsTheDiceHomeWithTheirFacesAndKeepsMayselect) {
    OwnTurn rig;
    EXPECT_TRUE(rig.handle("CMD_notvalid+1+2+").empty());
    const TableState& t = rig.session.table();
    EXPECT_EQ(t.status, "TURN OVER! THERE ARE NO VALID MOVES.");
    EXPECT_EQ(t.dice[0].left, 19);
    EXPECT_EQ(t.dice[0].top, 67);
    EXPECT_EQ(t.dice[1].left, 59);
    EXPECT_EQ(t.dice[1].top, 67);
    EXPECT_EQ(t.dice[0].face, 4);
    EXPECT_EQ(t.dice[1].face, 5);
    EXPECT_TRUE(rig.session.mayselect());
    // Other codes do nothing.
    EXPECT_TRUE(rig.handle("CMD_notvalid+1+3+").empty());
    EXPECT_EQ(t.status, "TURN OVER! THERE ARE NO VALID MOVES.");
}

TEST(TableDice, EachDieLandsInItsColumnAndAlwaysMoves) {
    SessionRig rig;
    rig.host("Bob");
    rig.handle("CMD_newplayerinfo+1+Bob+0");
    rig.handle("CMD_startgame+Bob+5+");
    rig.handle("CMD_nextplayer+1");
    // The generator is shared with the host's server, so the draws come in
    // a fixed order: die 1's left, its top (again while it equals the top
    // it has), then die 2's. From seed 9 the draws are 2, 17, 9, 30 (first
    // roll), then 8, 17 (die 1's old top, drawn again), 32, 0, 30 (die 2's
    // old top), 11.
    rig.rng.setSeed(9);
    rig.handle("CMD_placedice+1+3+2+3+");
    const auto& dice = rig.session.table().dice;
    EXPECT_EQ(dice[0], (tc::client::DieDisplay{3, 154, 32}));
    EXPECT_EQ(dice[1], (tc::client::DieDisplay{3, 233, 45}));
    rig.handle("CMD_placedice+1+6+2+1+");
    EXPECT_EQ(dice[0], (tc::client::DieDisplay{6, 160, 47}));
    EXPECT_EQ(dice[1], (tc::client::DieDisplay{1, 224, 26}));
    EXPECT_EQ(rig.rng.seed(), 1429018495u);  // ten draws, no more

    std::set<int> tops;
    for (int roll = 0; roll < 400; ++roll) {
        const auto before = dice;
        rig.handle("CMD_placedice+1+3+2+3+");
        const auto& after = dice;
        EXPECT_NE(after[0].top, before[0].top) << roll;
        EXPECT_NE(after[1].top, before[1].top) << roll;
        EXPECT_GE(after[0].left, 152);
        EXPECT_LE(after[0].left, 161);
        EXPECT_GE(after[1].left, 224);
        EXPECT_LE(after[1].left, 233);
        for (const auto& d : after) {
            EXPECT_GE(d.top, 15);
            EXPECT_LE(d.top, 50);
            tops.insert(d.top);
        }
    }
    EXPECT_EQ(tops.size(), 36u);  // every top from 15 to 50 is reachable
}

TEST(TableScores, AllTilesClosedSaysSoAndCountsOwnShut) {
    OwnTurn rig;
    EXPECT_EQ(rig.handle("CMD_scores+1+0+0+"), (Events{"mine:3"}));
    EXPECT_EQ(rig.session.table().status, "Bob shut all nine tiles!");
    EXPECT_EQ(rig.seat(1).score, "0");
    EXPECT_TRUE(rig.handle("CMD_scores+3+0+0+").empty());
    EXPECT_EQ(rig.session.table().status, "Cid shut all nine tiles!");
    EXPECT_TRUE(rig.handle("CMD_scores+3+17+17+").empty());
    EXPECT_EQ(rig.seat(3).score, "17");
    EXPECT_EQ(rig.session.table().status, "Cid shut all nine tiles!");
    rig.handle("CMD_clearscores+");
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(rig.seat(n).score, "0");
}

TEST(TableScores, LateJoinerGetsDiceTargetScoresAndMarks) {
    SessionRig rig;
    rig.join(3, "Ann");
    rig.handle("CMD_existingplayers+1+Bob+0+2+Cid+1");
    EXPECT_TRUE(rig.handle("CMD_gamestats+1+4+6+5+").empty());
    EXPECT_TRUE(rig.handle("CMD_updatescores+1+0+2+2+17+1+3+0+0+4+0+0+5+0+0+6+0+0").empty());
    const TableState& t = rig.session.table();
    EXPECT_EQ(rig.session.currentplayer(), 1);
    EXPECT_EQ(t.dice[0].face, 4);
    EXPECT_EQ(t.dice[1].face, 6);
    EXPECT_GE(t.dice[1].left, 224);
    EXPECT_EQ(t.pointsToWin, 5);
    EXPECT_EQ(t.pointsToWinText, "Marks needed to win: 5");
    EXPECT_EQ(rig.seat(1).marks, 2);
    EXPECT_EQ(rig.seat(2).score, "17");
    EXPECT_EQ(rig.seat(2).marks, 1);
    EXPECT_EQ(rig.seat(3).score, "0");
    // Nobody says how many rounds went before: they are counted from here,
    // and the status line says whose turn it is in a game under way.
    EXPECT_EQ(t.status, "BOB'S TURN. A GAME IS IN PROGRESS.");
    EXPECT_EQ(t.turnSeat, 1);
    EXPECT_EQ(t.roundsText, "Rounds since you joined: 0");
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(rig.tile(n), "u");
    EXPECT_FALSE(rig.session.mayselect());
    rig.handle("CMD_roundwinner+2");
    EXPECT_EQ(rig.session.table().roundsText, "Rounds since you joined: 1");
    // From the next game on the count is whole again.
    rig.handle("CMD_startgame+Bob+5+");
    EXPECT_EQ(rig.session.table().roundsText, "Rounds Played: 0");
    rig.handle("CMD_roundwinner+2");
    EXPECT_EQ(rig.session.table().roundsText, "Rounds Played: 1");
}

TEST(TableScores, LateJoinerSeesTheComputerInAFreeSeatTwoAndAnEmptySeatsFallbackName) {
    SessionRig rig;
    rig.join(3, "Ann");
    rig.handle("CMD_existingplayers+1+Bob+0");
    rig.handle("CMD_gamestats+2+4+6+5+");
    EXPECT_EQ(rig.seat(2).caption, "Rudi");
    EXPECT_EQ(rig.session.table().status, "RUDI'S TURN. A GAME IS IN PROGRESS.");
    SessionRig own;
    own.join(4, "Dan");
    own.handle("CMD_gamestats+4+4+6+5+");
    EXPECT_EQ(own.session.table().status, "YOUR TURN. A GAME IS IN PROGRESS.");
}

TEST(TableScores, TakingOverASeatWhoseRollWaitsArmsTheTiles) {
    // Seat 2 was the computer's; its roll came before this client's login.
    SessionRig rig;
    rig.session.processParams({"Ann", "10.0.0.5", "false"});
    rig.session.onConnected();
    rig.session.onBytes("CMD_sendlogininfo+2\xFF" "CMD_placedice+1+3+2+4+\xFF");
    rig.drain();
    rig.handle("CMD_newplayerinfo+2+Ann+0");
    EXPECT_FALSE(rig.session.mayselect());
    rig.handle("CMD_gamestats+2+3+4+5+");
    EXPECT_EQ(rig.session.currentplayer(), 2);
    EXPECT_TRUE(rig.session.mayselect());
    rig.view.take();
    rig.session.clickTile(7);
    EXPECT_EQ(rig.view.take(), (Events{"tile:7 down 0", "sound:slide", "send:CMD_slide+2+down+7+\xFF"}));
}

TEST(TableRound, TwoWinnersEachGainAMark) {
    OwnTurn rig;
    rig.handle("CMD_newplayerinfo+2+Ann+0");
    EXPECT_EQ(rig.handle("CMD_roundwinner+2+1"), (Events{"sound:wonpoint"}));
    EXPECT_EQ(rig.session.table().status, "ANN AND YOU EACH GAINED A MARK.");  // Bob's own table
    EXPECT_EQ(rig.seat(1).marks, 1);
    EXPECT_EQ(rig.seat(2).marks, 1);
    EXPECT_EQ(rig.session.table().rounds, 1);
    EXPECT_EQ(rig.session.table().roundsText, "Rounds Played: 1");
    EXPECT_EQ(rig.handle("CMD_roundwinner+3"), (Events{"sound:nopoint"}));
    EXPECT_EQ(rig.session.table().status, "CID GAINED A MARK.");
    EXPECT_EQ(rig.session.table().roundsText, "Rounds Played: 2");
    // A lone winner whose name holds " and " reads like two.
    rig.handle("CMD_newplayerinfo+4+Tom and Jerry+0");
    rig.handle("CMD_roundwinner+4");
    EXPECT_EQ(rig.session.table().status, "TOM AND JERRY EACH GAINED A MARK.");
}

TEST(TableRound, SpectatorHearsNoRoundSoundAndRecordsNoGame) {
    SessionRig rig;
    rig.join(7, "Eve");
    rig.handle("CMD_existingplayers+1+Bob+0+3+Cid+0");
    rig.handle("CMD_startgame+Bob+3+");
    EXPECT_TRUE(rig.handle("CMD_roundwinner+1").empty());
    EXPECT_TRUE(rig.handle("CMD_roundwinner+3").empty());
    EXPECT_EQ(rig.handle("CMD_winner+1+"),
              (Events{"sound:winner", sys("Bob has Won the Game!"), "sound:gameover"}));
}

TEST(TableWinner, BannerLineSoundsAndTally) {
    OwnTurn rig;
    rig.session.clickTile(1);
    // Bob's own win, on his own table, in the second person.
    EXPECT_EQ(rig.handle("CMD_winner+1+"),
              (Events{"sound:winner", sys("You have won the game!"), "sound:gameover", "addgame:Bob (mine)"}));
    const TableState& t = rig.session.table();
    EXPECT_TRUE(t.winnerVisible);
    EXPECT_EQ(t.winnerText, "You have won the game!");
    EXPECT_TRUE(t.startVisible);  // the host may start again
    // The turn state stays until the next game.
    EXPECT_TRUE(rig.session.mayselect());
    EXPECT_EQ(rig.tile(1), "d");

    SessionRig other;
    other.join(3, "Cid");
    other.handle("CMD_existingplayers+1+Bob+0+3+Cid+0");
    EXPECT_EQ(other.handle("CMD_winner+1+"),
              (Events{"sound:winner", sys("Bob has Won the Game!"), "sound:gameover", "addgame:Bob"}));
    EXPECT_FALSE(other.session.table().startVisible);

    // A player who calls himself "addtomine" winning is not a win of ours.
    SessionRig named;
    named.join(3, "Cid");
    named.handle("CMD_existingplayers+1+addtomine+0+3+Cid+0");
    EXPECT_EQ(named.handle("CMD_winner+1+").back(), "addgame:addtomine");
}
