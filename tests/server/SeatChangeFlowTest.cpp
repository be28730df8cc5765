// Seats changing hands during a game: players leaving on or off their turn,
// seat one emptied, seats taken while the computer plays them.
#include "GameFlowFixture.h"

namespace tc::server::test {
namespace {

TEST_F(GameFlow, APlayerLeavingOnHisTurnPassesItAtOnce) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId cid = join("Cid");
    start(host, 4, 2);  // draw 2 -> seat 3
    ASSERT_EQ(server.currentseat(), 3);
    clear();
    steerDice(2, 3);
    server.connectionClosed(cid);
    EXPECT_EQ(linesTo(host), (Lines{"CMD_playerdisconnected+3+Cid", "CMD_nextplayer+1", "CMD_placedice+1+2+2+3+"}));
    // Seat 1 too (a headless server keeps running without it).
    clear();
    steerDice(4, 4);
    server.connectionClosed(host);
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_playerdisconnected+1+Bob", "CMD_nextplayer+2", "CMD_placedice+1+4+2+4+"}));
}

TEST_F(GameFlow, SeatOneEmptiedDuringTheRoundPauseHandsTheOpeningTurnOn) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    start(host, 3, 0);
    person43(host);
    nextTurn();
    person43(ann);
    steerDice(1, 1);
    ticks(3);
    ASSERT_EQ(server.pauseTag(), PauseTag::NextRound);
    server.connectionClosed(host);
    clear();
    steerDice(3, 3);
    ticks(5);
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_clearscores+", "CMD_nextplayer+2", "CMD_placedice+1+3+2+3+"}));
}

TEST_F(GameFlow, LeavingDuringOwnTurnOverPauseDoesNotCutTheNextTurnShort) {
    const ConnId host = join("Bob");
    join("Ann");
    const ConnId cid = join("Cid");
    start(host, 4, 2);
    person43(cid);
    clear();
    server.connectionClosed(cid);
    EXPECT_EQ(linesTo(host), Lines{"CMD_playerdisconnected+3+Cid"});
    nextTurn();
    EXPECT_EQ(server.currentseat(), 1);
    clear();
    ticks(10);  // seat 1 is a person: no pause is pending
    EXPECT_TRUE(ports.events.empty());
}

TEST_F(GameFlow, SeatTwoLeavingOnItsTurnHandsTheRestOfTheTurnToTheComputer) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    start(host, 3, 1, 5, 4, 5);  // draw 1 -> seat 2, Ann
    clear();
    steerDice(1, 1);
    server.connectionClosed(ann);
    EXPECT_EQ(linesTo(host),
              (Lines{"CMD_playerdisconnected+2+Ann", "CMD_closeit+9", "CMD_placedice+1+1+2+1+"}));
    clear();
    steerDice(1, 1);
    ticks(1);
    EXPECT_EQ(linesTo(host), (Lines{"CMD_closeit+2", "CMD_placedice+1+1+2+1+", "CMD_notvalid+2+2+",
                                    "CMD_scores+2+34+34+"}));
}

TEST_F(GameFlow, SomeoneTakingSeatTwoDuringTheComputersTurnPlaysFromItsNextRoll) {
    const ConnId host = join("Bob");
    start(host, 2, 1, 5, 3, 3);  // draw 1 -> seat 2, the computer, rolls 3 and 3
    const ConnId eve = join("Eve");
    ASSERT_EQ(server.slotOf(eve), 2);
    // Eve's table never saw this roll: the computer still plays it.
    steerDice(1, 2);
    ticks(2);
    EXPECT_EQ(linesTo(eve), (Lines{"CMD_closeit+2+4", "CMD_placedice+1+1+2+2+"}));
    clear();
    ticks(5);
    EXPECT_TRUE(ports.events.empty());
    steerDice(6, 6);
    say(eve, "CMD_closethem+2+3");
    EXPECT_EQ(linesTo(host), (Lines{"CMD_closeit+3", "CMD_placedice+1+6+2+6+"}));
}

TEST_F(GameFlow, WithSeatOneEmptyRoundsEndWhereSeatOnesPlaceIsPassed) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId cid = join("Cid");
    start(host, 4, 0);  // seat 1 opens
    person43(host);
    server.connectionClosed(host);  // the host leaves in his turn-over pause
    nextTurn();
    person43(ann);
    nextTurn();
    person40(cid);
    steerDice(1, 1);
    ticks(3);  // the order passes seat 1's empty place: the round ends
    EXPECT_EQ(only(ann, "CMD_roundwinner"), Lines{"CMD_roundwinner+3"});
    EXPECT_EQ(server.player(1).marks, 0);
    clear();
    ticks(5);
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_clearscores+", "CMD_nextplayer+2", "CMD_placedice+1+1+2+1+"}));
}

TEST_F(GameFlow, SeatOneEmptyBeforeItsFirstTurnCountsItsPlaceAsAnEmptyTurn) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId cid = join("Cid");
    start(host, 4, 1);  // draw 1 -> seat 2 opens
    server.connectionClosed(host);
    person43(ann);
    nextTurn();
    person43(cid);
    nextTurn();  // passes seat 1 for the first time: no round end yet
    person43(ann);
    nextTurn();
    person40(cid);
    steerDice(1, 1);
    ticks(3);
    EXPECT_EQ(only(ann, "CMD_nextplayer"),
              (Lines{"CMD_nextplayer+2", "CMD_nextplayer+3", "CMD_nextplayer+2", "CMD_nextplayer+3"}));
    EXPECT_EQ(only(ann, "CMD_roundwinner"), Lines{"CMD_roundwinner+3"});
}

TEST_F(GameFlow, ARemovedPlayerBackOnHisOldSeatTakesNoTurnNoMarkAndCannotStopTheGame) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId cid = join("Cid");
    start(host, 4, 0);  // seat 1 opens with 1 and 1
    ASSERT_EQ(server.currentseat(), 1);
    person43(host);
    nextTurn();
    ASSERT_EQ(server.currentseat(), 2);
    // The host removes Cid; he comes back at once to his old seat 3.
    say(host, "CMD_kickhim+1+3+");
    server.connectionClosed(cid);
    const ConnId back = connect();
    ASSERT_EQ(server.slotOf(back), 3);
    clear();
    person43(ann);
    nextTurn();
    // Seat 3 is passed over: back at seat 1 the round is over, and only
    // the seated players are in it.
    EXPECT_EQ(only(host, "CMD_nextplayer"), Lines{});
    EXPECT_EQ(only(host, "CMD_roundwinner"), Lines{"CMD_roundwinner+1+2"});
    EXPECT_TRUE(linesTo(back).empty());
    // His login is turned away; the next round opens as ever.
    clear();
    say(back, "CMD_logininfo+3+1.0.3+cid");
    EXPECT_EQ(linesTo(back), Lines{"CMD_removed+"});
    EXPECT_TRUE(closed(back));
    EXPECT_TRUE(linesTo(host).empty());
    steerDice(1, 1);
    ticks(5);
    EXPECT_EQ(only(host, "CMD_nextplayer"), Lines{"CMD_nextplayer+1"});
    EXPECT_EQ(server.currentseat(), 1);
}

} // namespace
} // namespace tc::server::test
