// Seats kept for players whose connection drops during a game, and the
// return of the same copy with the seat's key. Cutting the line is the
// connection's end as the host reports it; time is the server's clock.
#include "HoldFixture.h"

#include <algorithm>
#include <set>

namespace tc::server::test {
namespace {

TEST_F(Hold, TheLoginGivesEverySeatAKeyOfItsOwnAndSpectatorsNone) {
    const ConnId bob = connect();
    clear();
    say(bob, "CMD_logininfo+1+1.0.3+Bob");
    const Lines got = linesTo(bob);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], "CMD_newplayerinfo+1+Bob+0");
    const std::string& key = got[1];
    ASSERT_EQ(key.size(), std::string("CMD_seatkey+").size() + SeatKeys::kKeyChars + 5);
    EXPECT_EQ(key.substr(0, 12), "CMD_seatkey+");
    EXPECT_EQ(key.substr(12 + SeatKeys::kKeyChars), "+120+");
    EXPECT_EQ(key.find_first_not_of("0123456789abcdef", 12), 12 + SeatKeys::kKeyChars);
    std::set<std::string> seen{key};
    for (int i = 2; i <= 6; ++i) {
        clear();
        const ConnId c = connect();
        say(c, "CMD_logininfo+" + std::to_string(i) + "+1.0.3+P" + std::to_string(i));
        EXPECT_TRUE(seen.insert(only(c, "CMD_seatkey").at(0)).second) << "a key given twice";
    }
    clear();
    const ConnId spy = connect();
    ASSERT_EQ(server.slotOf(spy), 7);
    say(spy, "CMD_logininfo+7+1.0.3+Spy");
    EXPECT_TRUE(only(spy, "CMD_seatkey").empty());

    // Without a hold nobody is given a key.
    server.setHoldMs(0);
    server.connectionClosed(spy);
    clear();
    const ConnId late = connect();
    say(late, "CMD_logininfo+7+1.0.3+Late");
    EXPECT_TRUE(only(late, "CMD_seatkey").empty());
}

TEST_F(Hold, BackWithinTheHoldTakesTheSameSeatScoreAndMarksAndPlaysItsTurnsAgain) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    const ConnId cid = seatWithKey("Cid");
    start(bob, 4, 0);  // seat 1 opens
    // Round 1: Ann (seat 2) scores 40, gains the Mark.
    person43(bob);
    nextTurn();
    person40(ann);
    nextTurn();
    person43(cid);
    steerDice(1, 1);
    ticks(3);
    ASSERT_EQ(server.player(2).marks, 1);
    steerDice(1, 1);
    ticks(5);  // round 2, seat 1 on turn
    person43(bob);
    clear();
    // Ann's line is cut while Bob's turn is over.
    server.connectionClosed(ann);
    EXPECT_EQ(linesTo(bob), (Lines{"CMD_away+2+120+", "CMD_justwatching+2+1"}));
    EXPECT_EQ(linesTo(cid), (Lines{"CMD_away+2+120+", "CMD_justwatching+2+1"}));
    EXPECT_TRUE(server.held(2));
    EXPECT_TRUE(server.player(2).active);
    EXPECT_EQ(server.player(2).name, "Ann");
    // The computer plays her turn.
    nextTurn();
    ASSERT_EQ(server.currentseat(), 2);
    computer43();
    EXPECT_EQ(server.player(2).score, 43);
    // A newcomer gets another slot and hears she is away.
    now += 30'000;
    clear();
    const ConnId dan = connect();
    EXPECT_EQ(server.slotOf(dan), 4);
    say(dan, "CMD_logininfo+4+1.0.3+Dan");
    EXPECT_EQ(only(dan, "CMD_existingplayers"), Lines{"CMD_existingplayers+1+Bob+0+2+Ann+1+3+Cid+0"});
    EXPECT_EQ(only(dan, "CMD_away"), Lines{"CMD_away+2+90+"});
    server.connectionClosed(dan);

    // Back with her key, on whatever slot the new connection was given.
    now += 10'000;
    clear();
    const ConnId back = comeBack(keys[2]);
    EXPECT_EQ(server.slotOf(back), 2);
    EXPECT_FALSE(server.held(2));
    const Lines to = linesTo(back);
    ASSERT_GE(to.size(), 5u);
    EXPECT_EQ(to[0], "CMD_yourseat+2+");
    EXPECT_EQ(to[1], "CMD_existingplayers+1+Bob+0+3+Cid+0");
    EXPECT_EQ(to[2].substr(0, 14), "CMD_gamestats+");
    EXPECT_EQ(to[3], "CMD_updatescores+1+43+0+2+43+1+3+0+0+4+0+0+5+0+0+6+0+0");
    EXPECT_EQ(to.back().substr(0, 15), "CMD_shuttiles+0");
    EXPECT_EQ(linesTo(bob), (Lines{"CMD_justwatching+2+2", "CMD_back+2+"}));
    EXPECT_TRUE(only(bob, "CMD_playerdisconnected").empty());
    EXPECT_EQ(server.player(2).marks, 1);
    EXPECT_EQ(server.player(2).name, "Ann");
    EXPECT_FALSE(server.player(4).active);  // the slot it arrived on is free again
    // Her next turn waits for her, and her moves count.
    nextTurn();  // Cid
    person43(cid);
    steerDice(1, 1);
    ticks(3);  // round end
    steerDice(1, 1);
    ticks(5);
    person43(bob);
    nextTurn();
    ASSERT_EQ(server.currentseat(), 2);
    clear();
    ticks(5);
    EXPECT_TRUE(only(bob, "CMD_closeit").empty()) << "the computer still plays her seat";
    steerDice(1, 1);
    say(back, "CMD_closethem+2+2");
    EXPECT_EQ(only(bob, "CMD_closeit"), Lines{"CMD_closeit+2"});
}

// A copy that takes its seat back with the key and then leaves on purpose:
// released at once as for any leaving, never kept again.
TEST_F(Hold, TheKeyFollowedByALeavingReleasesTheKeptSeatAtOnce) {
    annAwayInAGame();
    const ConnId back = comeBack(keys[2]);
    EXPECT_EQ(linesTo(back).at(0), "CMD_yourseat+2+");
    say(back, "CMD_leaving+2+");
    server.connectionClosed(back);
    EXPECT_EQ(linesTo(bob), (Lines{"CMD_justwatching+2+2", "CMD_back+2+", "CMD_playerdisconnected+2+Ann"}));
    EXPECT_EQ(linesTo(cid), linesTo(bob));
    EXPECT_FALSE(server.held(2));
    EXPECT_FALSE(server.player(2).active);
    EXPECT_NE(std::find(ports.logs.begin(), ports.logs.end(), "leave slot 2 (Ann) on purpose"), ports.logs.end());
    // The key went with the seat.
    const ConnId again = comeBack(keys[2]);
    EXPECT_EQ(linesTo(again), Lines{"CMD_reclaimrefused+"});
    // Long after, nothing ends that was kept.
    clear();
    now += 200'000;
    server.checkHolds();
    EXPECT_TRUE(only(bob, "CMD_playerdisconnected").empty());
}

TEST_F(Hold, AClientWithoutTheKeyOrLeavingOnPurposeIsReleasedAtOnceAsBefore) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId old = seatWithKey("Old", false);  // never acknowledged
    const ConnId ann = seatWithKey("Ann");
    const ConnId spy = [&] {
        for (int i = 4; i <= 6; ++i) seatWithKey("P" + std::to_string(i));
        return seatWithKey("Spy");
    }();
    ASSERT_EQ(server.slotOf(spy), 7);
    start(bob, 7, 0);
    clear();
    server.connectionClosed(old);
    EXPECT_EQ(only(bob, "CMD_playerdisconnected"), Lines{"CMD_playerdisconnected+2+Old"});
    EXPECT_FALSE(server.held(2));
    clear();
    say(ann, "CMD_leaving+3+");
    server.connectionClosed(ann);
    EXPECT_EQ(linesTo(bob), Lines{"CMD_playerdisconnected+3+Ann"});
    clear();
    server.connectionClosed(spy);  // a watcher from the spectators' slots
    EXPECT_EQ(linesTo(bob), Lines{"CMD_playerdisconnected+7+Spy"});
}

TEST_F(Hold, BetweenGamesAndAtTheWinningCloseTheSeatIsReleasedAtOnce) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    server.connectionClosed(ann);  // no game yet
    EXPECT_EQ(linesTo(bob), Lines{"CMD_playerdisconnected+2+Ann"});
    const ConnId cid = seatWithKey("Cid");
    ASSERT_EQ(server.slotOf(cid), 2);
    start(bob, 3, 0, 3);
    // Cid wins three rounds; Bob drops with the winning close.
    for (int round = 0; round < 3; ++round) {
        person43(bob);
        nextTurn();
        person40(cid);
        if (round < 2) {
            steerDice(1, 1);
            ticks(3);
            steerDice(1, 1);
            ticks(5);
        }
    }
    steerDice(1, 1);
    ticks(3);
    ASSERT_FALSE(server.gamestarted());
    clear();
    server.connectionClosed(bob);
    EXPECT_EQ(linesTo(cid), Lines{"CMD_playerdisconnected+1+Bob"});
}

TEST_F(Hold, AHoldThatRunsOutReleasesTheSeatWithTheNoticeAndTheKeyGoes) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    start(bob, 3, 0);
    server.connectionClosed(ann);
    clear();
    now += 119'999;
    server.checkHolds();
    EXPECT_TRUE(linesTo(bob).empty());
    now += 1;
    server.checkHolds();
    EXPECT_EQ(linesTo(bob), Lines{"CMD_playerdisconnected+2+Ann"});
    EXPECT_FALSE(server.player(2).active);
    // The stale key takes nothing; the copy may still join as a newcomer.
    clear();
    const ConnId late = comeBack(keys[2]);
    EXPECT_EQ(linesTo(late), Lines{"CMD_reclaimrefused+"});
    const int slot = server.slotOf(late);
    say(late, "CMD_logininfo+" + std::to_string(slot) + "+1.0.3+Ann");
    EXPECT_EQ(only(bob, "CMD_newplayerinfo"), Lines{"CMD_newplayerinfo+2+Ann+0"});
    EXPECT_EQ(server.player(2).marks, 0);
}

TEST_F(Hold, TheLastSeatIsKeptTakenBackAndRunsOutLikeAnyOther) {
    const ConnId bob = seatWithKey("Bob");
    for (const char* name : {"Ann", "Cid", "Dan", "Eve"}) seatWithKey(name);
    const ConnId fay = seatWithKey("Fay");
    ASSERT_EQ(server.slotOf(fay), 6);
    start(bob, 7, 0);
    server.connectionClosed(fay);
    ASSERT_TRUE(server.held(6));
    const ConnId back = comeBack(keys[6]);
    EXPECT_EQ(linesTo(back).at(0), "CMD_yourseat+6+");
    EXPECT_FALSE(server.held(6));
    server.connectionClosed(back);
    ASSERT_TRUE(server.held(6));
    // Someone arriving meanwhile hears that the last seat is kept.
    clear();
    const ConnId spy = connect();
    say(spy, "CMD_logininfo+" + std::to_string(server.slotOf(spy)) + "+1.0.3+Spy");
    EXPECT_EQ(only(spy, "CMD_away"), Lines{"CMD_away+6+120+"});
    clear();
    now += 120'000;
    server.checkHolds();
    EXPECT_EQ(only(bob, "CMD_playerdisconnected"), Lines{"CMD_playerdisconnected+6+Fay"});
    EXPECT_FALSE(server.held(6));
}

// Between games nothing is kept, so a seat's key proves nothing; nor does
// the key of a client that never said it knows keys.
TEST_F(Hold, TheKeyOfASeatStillAtTheTableTakesNothingBetweenGamesOrFromAnOlderClient) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    const ConnId old = seatWithKey("Old", false);
    const ConnId thief = comeBack(keys[2]);
    EXPECT_EQ(linesTo(thief), Lines{"CMD_reclaimrefused+"});
    say(thief, "CMD_giveup+" + std::to_string(server.slotOf(thief)) + "+" + keys[2] + "+");
    EXPECT_EQ(linesTo(thief), (Lines{"CMD_reclaimrefused+", "CMD_reclaimrefused+"}));
    EXPECT_EQ(server.player(2).conn, ann);
    start(bob, 4, 0);
    clear();
    say(thief, "CMD_reclaim+" + std::to_string(server.slotOf(thief)) + "+" + keys[3] + "+");
    EXPECT_EQ(linesTo(thief), Lines{"CMD_reclaimrefused+"});
    EXPECT_EQ(server.player(3).conn, old);
    EXPECT_FALSE(closed(old));
    EXPECT_TRUE(only(bob, "CMD_playerdisconnected").empty());
    EXPECT_TRUE(only(bob, "CMD_away").empty());
    EXPECT_TRUE(only(bob, "CMD_back").empty());
}

TEST_F(Hold, TheHostsOwnKeptSeatCanBeTakenBackAndGivenUp) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    start(bob, 3, 0);
    server.connectionClosed(bob);
    ASSERT_TRUE(server.held(1));
    const ConnId again = comeBack(keys[1]);
    EXPECT_EQ(linesTo(again).at(0), "CMD_yourseat+1+");
    server.connectionClosed(again);
    ASSERT_TRUE(server.held(1));
    const ConnId back = connect("10.0.0.9:5000");
    clear();
    say(back, "CMD_giveup+" + std::to_string(server.slotOf(back)) + "+" + keys[1] + "+");
    EXPECT_EQ(linesTo(back), Lines{"CMD_givenup+1+"});
    EXPECT_EQ(only(ann, "CMD_playerdisconnected"), Lines{"CMD_playerdisconnected+1+Bob"});
    EXPECT_FALSE(server.held(1));
}

TEST_F(Hold, PauseTicksEndAHoldToo) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    start(bob, 3, 1);  // seat 2 opens
    server.connectionClosed(ann);
    now += 120'000;
    clear();
    ticks(1);
    EXPECT_EQ(only(bob, "CMD_playerdisconnected"), Lines{"CMD_playerdisconnected+2+Ann"});
}

TEST_F(Hold, AWrongKeyOrANameAloneTakesNothingAndTheLatestConnectionWithTheKeyHasTheSeat) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    const ConnId cid = seatWithKey("Cid");
    (void)cid;
    start(bob, 4, 0);
    server.connectionClosed(ann);
    clear();
    std::string wrong = keys[2];
    wrong[0] = wrong[0] == 'a' ? 'b' : 'a';
    for (const std::string& bad : {wrong, keys[2].substr(0, 63), std::string(), keys[2] + "0"}) {
        clear();
        const ConnId c = comeBack(bad);
        EXPECT_EQ(linesTo(c), Lines{"CMD_reclaimrefused+"}) << bad;
        EXPECT_TRUE(server.held(2));
        server.connectionClosed(c);
    }
    // A stranger typing her name is a newcomer on another slot.
    clear();
    const ConnId stranger = connect();
    say(stranger, "CMD_logininfo+4+1.0.3+Ann");
    EXPECT_EQ(server.slotOf(stranger), 4);
    EXPECT_TRUE(server.held(2));
    // Two connections present the same key: the key is the proof, so the
    // later one has the seat and the earlier one is ended as a drop.
    clear();
    const ConnId first = connect("10.0.0.9:1");
    const ConnId second = connect("10.0.0.9:2");
    const int secondSlot = server.slotOf(second);
    clear();
    say(first, "CMD_reclaim+" + std::to_string(server.slotOf(first)) + "+" + keys[2] + "+");
    EXPECT_EQ(server.slotOf(first), 2);
    // Neither may name another connection's slot.
    say(second, "CMD_reclaim+2+" + keys[2] + "+");
    EXPECT_TRUE(linesTo(second).empty());
    EXPECT_EQ(server.slotOf(first), 2);
    say(second, "CMD_reclaim+" + std::to_string(secondSlot) + "+" + keys[2] + "+");
    EXPECT_EQ(only(second, "CMD_yourseat"), Lines{"CMD_yourseat+2+"});
    EXPECT_EQ(server.slotOf(second), 2);
    EXPECT_EQ(server.slotOf(first), 0);
    EXPECT_TRUE(closed(first));
}

TEST_F(Hold, ADropOnTheOwnTurnHandsTheRollToTheComputerAtOnce) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    start(bob, 3, 1, 5, 1, 1);  // seat 2, Ann, rolls 1 and 1
    ASSERT_EQ(server.currentseat(), 2);
    clear();
    steerDice(6, 6);
    server.connectionClosed(ann);
    EXPECT_EQ(linesTo(bob), (Lines{"CMD_away+2+120+", "CMD_justwatching+2+1", "CMD_closeit+2",
                                   "CMD_placedice+1+6+2+6+"}));
}

TEST_F(Hold, ADropDuringAPauseOrAtTheRoundsEndLetsThePauseRunAndTheComputerPlaysOn) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    start(bob, 3, 0);  // seat 1 opens
    person43(bob);
    nextTurn();
    person40(ann);
    ASSERT_EQ(server.pauseTag(), PauseTag::TurnOver);
    server.connectionClosed(ann);  // in her turn-over pause
    EXPECT_EQ(server.pauseTag(), PauseTag::TurnOver);
    steerDice(1, 1);
    ticks(3);  // round end: her 40 wins the Mark though she is away
    EXPECT_EQ(server.player(2).marks, 1);
    ASSERT_EQ(server.pauseTag(), PauseTag::NextRound);
    steerDice(1, 1);
    ticks(5);
    person43(bob);
    clear();
    nextTurn();
    ASSERT_EQ(server.currentseat(), 2);
    computer43();
    EXPECT_EQ(only(bob, "CMD_scores"), Lines{"CMD_scores+2+43+43+"});
    EXPECT_TRUE(only(bob, "CMD_playerdisconnected").empty());
}

TEST_F(Hold, WhileSeatOneIsAwayNobodyElseIsHostUntilTheHoldEnds) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    start(bob, 3, 1);
    server.connectionClosed(bob);
    const ConnId dan = connect();
    EXPECT_NE(server.slotOf(dan), 1);
    say(dan, "CMD_logininfo+" + std::to_string(server.slotOf(dan)) + "+1.0.3+Dan");
    clear();
    say(ann, "CMD_startgame+Ann+3+");
    say(ann, "CMD_kickhim+2+3+");
    EXPECT_TRUE(only(ann, "CMD_startgame").empty());
    EXPECT_TRUE(server.player(3).active);
    now += 120'000;
    server.checkHolds();
    const ConnId eve = connect();
    EXPECT_EQ(server.slotOf(eve), 1);
}

// Cancel while reconnecting: the key alone gives the seat up, and the table
// hears only the leaving, never a return first.
TEST_F(Hold, AGiveUpWithTheKeyReleasesTheKeptSeatAtOnceAndSilentlyForTheStranger) {
    annAwayInAGame();
    const ConnId wrong = connect("10.0.0.9:5001");
    clear();
    const std::string wrongSlot = std::to_string(server.slotOf(wrong));
    say(wrong, "CMD_giveup+" + wrongSlot + "+" + std::string(SeatKeys::kKeyChars, 'a') + "+");
    EXPECT_EQ(linesTo(wrong), Lines{"CMD_reclaimrefused+"});
    EXPECT_TRUE(server.held(2));
    // Given for another slot than its own, it is not heard.
    const ConnId back = connect("10.0.0.9:5002");
    const int arrived = server.slotOf(back);
    clear();
    say(back, "CMD_giveup+" + std::to_string(arrived == 7 ? 8 : 7) + "+" + keys[2] + "+");
    EXPECT_TRUE(linesTo(back).empty());
    EXPECT_TRUE(server.held(2));
    say(back, "CMD_giveup+" + std::to_string(arrived) + "+" + keys[2] + "+");
    EXPECT_EQ(linesTo(back), Lines{"CMD_givenup+2+"});
    EXPECT_TRUE(closed(back));
    EXPECT_EQ(linesTo(bob), Lines{"CMD_playerdisconnected+2+Ann"});
    EXPECT_EQ(linesTo(cid), linesTo(bob));
    EXPECT_FALSE(server.held(2));
    EXPECT_FALSE(server.player(2).active);
    EXPECT_FALSE(server.player(arrived).active);
    EXPECT_NE(std::find(ports.logs.begin(), ports.logs.end(), "seat 2 (Ann) given up by its player"), ports.logs.end());
    // The key went with the seat, and a seated player cannot give up another's seat.
    server.connectionClosed(back);
    const ConnId again = comeBack(keys[2]);
    EXPECT_EQ(linesTo(again), Lines{"CMD_reclaimrefused+"});
    server.connectionClosed(cid);
    ASSERT_TRUE(server.held(3));
    clear();
    say(bob, "CMD_giveup+1+" + keys[3] + "+");
    EXPECT_TRUE(server.held(3));
    EXPECT_TRUE(linesTo(bob).empty());
}

TEST_F(Hold, AKeptSeatTheHostRemovesIsReleasedAndItsPlayerKeptOut) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    seatWithKey("Cid");
    start(bob, 3, 1);
    server.connectionClosed(ann);
    ASSERT_TRUE(server.held(2));
    clear();
    say(bob, "CMD_kickhim+1+2+");
    EXPECT_FALSE(server.held(2));
    EXPECT_FALSE(server.player(2).active);
    EXPECT_EQ(only(bob, "CMD_playerdisconnected"), Lines{"CMD_playerdisconnected+2+Ann"});
    EXPECT_NE(std::find(ports.logs.begin(), ports.logs.end(), "keeping out Ann from 10.0.0.1 from now on"),
              ports.logs.end());
    // Her key took nothing back, and her name from her address sits nowhere.
    clear();
    const ConnId back = comeBack(keys[2]);
    EXPECT_EQ(linesTo(back), Lines{"CMD_reclaimrefused+"});
    const ConnId again = connect("10.0.0.1:5123");
    const int slot = server.slotOf(again);
    say(again, "CMD_logininfo+" + std::to_string(slot) + "+1.0.3+ann");
    EXPECT_EQ(linesTo(again), (Lines{"CMD_sendlogininfo+" + std::to_string(slot), "CMD_removed+"}));
    EXPECT_FALSE(server.player(slot).loggedin);
}

TEST_F(Hold, TheSlotAReturningCopyArrivedOnIsLeftUnannouncedAndNeverHadATurn) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    const ConnId cid = seatWithKey("Cid");
    start(bob, 4, 2);  // seat 3 opens
    server.connectionClosed(ann);
    const ConnId back = connect("10.0.0.9:7");
    ASSERT_EQ(server.slotOf(back), 4);  // a stranger there: no turn of its own
    person43(cid);
    nextTurn();
    EXPECT_EQ(server.currentseat(), 1);
    clear();
    say(back, "CMD_reclaim+4+" + keys[2] + "+");
    EXPECT_EQ(server.slotOf(back), 2);
    EXPECT_FALSE(server.player(4).active);
    EXPECT_EQ(linesTo(bob), (Lines{"CMD_justwatching+2+2", "CMD_back+2+"}));
}

TEST_F(Hold, AStoppingServerTellsEveryConnectionSoNoneTakesTheEndForADrop) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId fresh = connect();  // a stranger hears nothing of the table
    clear();
    server.shutdown();
    EXPECT_EQ(linesTo(bob), Lines{"CMD_serverclosing+"});
    EXPECT_TRUE(linesTo(fresh).empty());
}

TEST_F(Hold, AGameStartedWhileASeatIsKeptTellsTheTablesTheComputerStillPlaysIt) {
    const ConnId bob = seatWithKey("Bob");
    const ConnId ann = seatWithKey("Ann");
    start(bob, 3, 0);
    server.connectionClosed(ann);
    clear();
    start(bob, 3, 0);
    const Lines got = linesTo(bob);
    ASSERT_GE(got.size(), 2u);
    EXPECT_EQ(got[0], "CMD_startgame+Bob+5+");
    EXPECT_EQ(got[1], "CMD_justwatching+2+1");
    EXPECT_TRUE(server.held(2));
}

TEST(SeatKeys, KeysAreLongRandomAndComparedWhole) {
    SeatKeys k;
    const std::string a = k.issue(1);
    const std::string b = k.issue(2);
    EXPECT_EQ(a.size(), SeatKeys::kKeyChars);
    EXPECT_NE(a, b);
    EXPECT_EQ(k.match(a), 1);
    EXPECT_EQ(k.match(b), 2);
    EXPECT_EQ(k.match(""), 0);
    EXPECT_EQ(k.match(a.substr(1)), 0);
    EXPECT_FALSE(k.acknowledged(1));
    k.acknowledge(1);
    EXPECT_TRUE(k.acknowledged(1));
    k.drop(1);
    EXPECT_EQ(k.match(a), 0);
    EXPECT_FALSE(k.acknowledged(1));
    EXPECT_EQ(k.issue(7), "");
    EXPECT_TRUE(SeatKeys::sameText("abc", "abc"));
    EXPECT_FALSE(SeatKeys::sameText("abc", "abd"));
    EXPECT_FALSE(SeatKeys::sameText("abc", "abcd"));
}

} // namespace
} // namespace tc::server::test
