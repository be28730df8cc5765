// The game flow with a fixed generator and hand-driven pause ticks.
#include "GameFlowFixture.h"

namespace tc::server::test {
namespace {

TEST_F(GameFlow, TurnOrderWithTheComputerInSeatTwoAndARoundWithATie) {
    const ConnId host = join("Bob");
    const ConnId gone = join("Ann");
    const ConnId cid = join("Cid");
    const ConnId dan = join("Dan");
    server.connectionClosed(gone);  // seats 1, 3, 4 held; the computer plays seat 2
    clear();

    start(host, 4, 0);  // 1 + three held seats = 4 choices; 0 -> seat 1
    person43(host);
    nextTurn();
    computer43();
    nextTurn();
    person43(cid);
    nextTurn();
    person43(dan);
    steerDice(1, 1);
    ticks(3);  // back at seat 1 after its first turn: the round ends
    EXPECT_EQ(linesTo(dan), (Lines{
        "CMD_startgame+Bob+5+",
        "CMD_nextplayer+1", "CMD_placedice+1+1+2+1+",
        "CMD_closeit+2", "CMD_placedice+1+1+2+1+", "CMD_notvalid+1+2+", "CMD_scores+1+43+43+",
        "CMD_nextplayer+2", "CMD_placedice+1+1+2+1+",
        "CMD_closeit+2", "CMD_placedice+1+1+2+1+", "CMD_notvalid+2+2+", "CMD_scores+2+43+43+",
        "CMD_nextplayer+3", "CMD_placedice+1+1+2+1+",
        "CMD_closeit+2", "CMD_placedice+1+1+2+1+", "CMD_notvalid+3+2+", "CMD_scores+3+43+43+",
        "CMD_nextplayer+4", "CMD_placedice+1+1+2+1+",
        "CMD_closeit+2", "CMD_placedice+1+1+2+1+", "CMD_notvalid+4+2+", "CMD_scores+4+43+43+",
        "CMD_roundwinner+1+2+3+4",
    }));
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(server.player(s).marks, 1) << s;
        EXPECT_EQ(server.player(s).score, 0) << s;
    }
    EXPECT_EQ(server.pauseTag(), PauseTag::NextRound);
    clear();
    ticks(4);
    EXPECT_TRUE(ports.events.empty());
    steerDice(3, 4);
    ticks(1);
    EXPECT_EQ(linesTo(cid), (Lines{"CMD_clearscores+", "CMD_nextplayer+1", "CMD_placedice+1+3+2+4+"}));
}

TEST_F(GameFlow, ComputerWaitsTwoTicksForItsFirstMoveAndOneForEachLater) {
    const ConnId host = join("Bob");
    start(host, 2, 1, 5, 3, 3);  // draw 1 -> seat 2, the computer
    clear();
    ticks(1);
    EXPECT_TRUE(linesTo(host).empty());
    steerDice(6, 6);
    ticks(1);
    // 6 is played as 2+4 before the single 6.
    EXPECT_EQ(linesTo(host), (Lines{"CMD_closeit+2+4", "CMD_placedice+1+6+2+6+"}));
    EXPECT_EQ(server.pauseTag(), PauseTag::ComputerMove);
    EXPECT_EQ(server.pausecount(), 1);
    clear();
    steerDice(1, 1);
    ticks(1);
    EXPECT_EQ(linesTo(host), (Lines{"CMD_closeit+3+9", "CMD_placedice+1+1+2+1+", "CMD_notvalid+2+2+",
                                    "CMD_scores+2+27+27+"}));
}

TEST_F(GameFlow, FirstRoundStartsAfterTheDrawnSeatAndEndsBackAtSeatOne) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId cid = join("Cid");
    const ConnId dan = join("Dan");
    start(host, 5, 3);  // 0..4, landing on 3: seat 4 opens the game
    person43(dan);
    nextTurn();
    person43(host);
    nextTurn();
    // Ann holds seat 2: the computer's pause runs out and does nothing.
    ticks(2);
    EXPECT_EQ(server.currentseat(), 2);
    person43(ann);
    nextTurn();
    person43(cid);
    nextTurn();
    person40(dan);  // seat 4's second turn of the round is the one that counts
    ticks(3);
    EXPECT_EQ(only(host, "CMD_nextplayer"), (Lines{"CMD_nextplayer+4", "CMD_nextplayer+1", "CMD_nextplayer+2",
                                                   "CMD_nextplayer+3", "CMD_nextplayer+4"}));
    EXPECT_EQ(only(host, "CMD_roundwinner"), Lines{"CMD_roundwinner+4"});
}

TEST_F(GameFlow, LateJoinerSeesRealScoresAndPlaysWhenHerPlaceComesUp) {
    const ConnId host = join("Bob");
    const ConnId cid = join("Cid");  // seat 2
    start(host, 3, 0);
    person43(host);
    nextTurn();  // seat 2's turn is open with 1 and 1
    clear();
    const ConnId eve = connect();
    say(eve, "CMD_logininfo+3+1.0.3+Eve");
    const Lines lines = linesTo(eve);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], "CMD_gamestats+2+1+1+5+");
    EXPECT_EQ(lines[4], "CMD_updatescores+1+43+0+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0");
    EXPECT_EQ(lines[5], "CMD_rounds+0+");
    // Seat 3 had no place in the order at the start; it has now, before the
    // round comes back to seat 1.
    person43(cid);
    steerDice(1, 1);
    ticks(3);
    EXPECT_EQ(server.currentseat(), 3);  // Eve's seat is in the order now
    person40(eve);
    nextTurn();
    EXPECT_EQ(only(host, "CMD_roundwinner"), Lines{"CMD_roundwinner+3"});
}

TEST_F(GameFlow, WrongSumsAndMalformedClosesAreRefusedAndTheRollStands) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    start(host, 3, 0, 5, 4, 5);
    clear();
    for (const char* bad : {"CMD_closethem+1+2+3", "CMD_closethem+1+4+4+1", "CMD_closethem+1+10",
                            "CMD_closethem+1+0+9", "CMD_closethem+1+x", "CMD_closethem+1+",
                            "CMD_closethem+1+4+5+", "CMD_closethem+1+-1+10"}) {
        clear();
        say(host, bad);
        EXPECT_EQ(linesTo(ann), Lines{"CMD_notvalid+1+1+"}) << bad;
    }
    EXPECT_EQ(server.tiles(), game::allOpen());
    EXPECT_EQ(server.die1() + server.die2(), 9);
    clear();
    say(ann, "CMD_closethem+2+4+5");  // not on turn
    say(ann, "CMD_closethem+1+4+5");  // speaking for seat 1
    say(host, "CMD_closethem+x+4+5");
    EXPECT_TRUE(ports.events.empty());

    steerDice(4, 5);
    say(host, "CMD_closethem+1+4+5");
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_closeit+4+5", "CMD_placedice+1+4+2+5+"}));
    clear();
    say(host, "CMD_closethem+1+4+5");  // both already shut
    EXPECT_EQ(linesTo(ann), Lines{"CMD_notvalid+1+1+"});
    clear();
    steerDice(6, 6);
    say(host, "CMD_closethem+1+9");
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_closeit+9", "CMD_placedice+1+6+2+6+"}));
}

TEST_F(GameFlow, SlidesOfThePlayerOnTurnGoToEveryoneElse) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId cid = join("Cid");
    start(host, 4, 0);
    clear();
    say(host, "CMD_slide+1+down+4+");
    say(ann, "CMD_slide+2+down+4+");  // not on turn
    say(ann, "CMD_slide+1+up+4+");    // speaking for seat 1
    EXPECT_TRUE(linesTo(host).empty());
    EXPECT_EQ(linesTo(ann), Lines{"CMD_slide+down+4+"});
    EXPECT_EQ(linesTo(cid), Lines{"CMD_slide+down+4+"});
    EXPECT_EQ(server.tiles(), game::allOpen());

    // A slide that arrives after its tile was shut is not relayed.
    const std::string move = game::cgetdice(server.die1() + server.die2(), server.tiles());
    say(host, "CMD_closethem+1" + move);
    const std::string shut(1, move[1]);
    ASSERT_EQ(server.tiles()[static_cast<std::size_t>(move[1] - '1')], "o");
    const int open = static_cast<int>(std::find(server.tiles().begin(), server.tiles().end(), "u") - server.tiles().begin()) + 1;
    clear();
    say(host, "CMD_slide+1+up+" + shut + "+");
    say(host, "CMD_slide+1+down+" + std::to_string(open) + "+");
    EXPECT_EQ(linesTo(ann), Lines{"CMD_slide+down+" + std::to_string(open) + "+"});
}

TEST_F(GameFlow, ShuttingAllNineScoresZeroAndPassesTheTurnAfterThreeTicks) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    start(host, 3, 0, 5, 6, 3);
    const std::vector<std::pair<std::string, std::pair<int, int>>> moves = {
        {"9", {4, 4}}, {"8", {3, 4}}, {"7", {3, 3}}, {"6", {2, 3}}, {"5", {2, 2}}, {"4", {3, 3}}};
    for (const auto& [tiles, next] : moves) {
        steerDice(next.first, next.second);
        say(host, "CMD_closethem+1+" + tiles);
    }
    clear();
    say(host, "CMD_closethem+1+1+2+3");
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_closeit+1+2+3", "CMD_scores+1+0+0+"}));
    EXPECT_EQ(server.player(1).score, 0);
    EXPECT_EQ(server.pauseTag(), PauseTag::TurnOver);
    clear();
    say(host, "CMD_closethem+1+1");  // the turn is over: refused, the pause runs on
    EXPECT_EQ(linesTo(ann), Lines{"CMD_notvalid+1+1+"});
    EXPECT_EQ(server.pausecount(), 3);
    clear();
    ticks(2);
    EXPECT_TRUE(ports.events.empty());
    steerDice(2, 5);
    ticks(1);
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_nextplayer+2", "CMD_placedice+1+2+2+5+"}));
}

TEST_F(GameFlow, SeatsLevelAtMarksToWinPlayOnUntilOneLeadsAlone) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    server.connectionClosed(ann);  // the computer plays seat 2
    start(host, 2, 0, 3);
    for (int round = 1; round <= 3; ++round) {
        person43(host);
        nextTurn();
        computer43();
        steerDice(1, 1);
        ticks(3);
        ASSERT_EQ(server.pauseTag(), PauseTag::NextRound) << round;
        ticks(5);  // CMD_clearscores, seat 1 again
    }
    EXPECT_EQ(server.player(1).marks, 3);
    EXPECT_EQ(server.player(2).marks, 3);
    EXPECT_TRUE(server.gamestarted());
    clear();
    person40(host);
    nextTurn();
    computer43();
    ticks(3);
    EXPECT_EQ(linesTo(host), (Lines{
        "CMD_closeit+2", "CMD_placedice+1+1+2+2+", "CMD_closeit+3", "CMD_placedice+1+1+2+1+",
        "CMD_notvalid+1+2+", "CMD_scores+1+40+40+",
        "CMD_nextplayer+2", "CMD_placedice+1+1+2+1+",
        "CMD_closeit+2", "CMD_placedice+1+1+2+1+", "CMD_notvalid+2+2+", "CMD_scores+2+43+43+",
        "CMD_roundwinner+1", "CMD_winner+1+"}));
    EXPECT_FALSE(server.gamestarted());
    EXPECT_EQ(server.pauseTag(), PauseTag::None);
    // After the win nothing moves: no pause, just-watch plays no roll, and
    // tiles still selectable on the table are refused.
    clear();
    ticks(10);
    say(host, "CMD_justwatch+1+1");
    say(host, "CMD_closethem+1+1+3");
    EXPECT_EQ(linesTo(host), (Lines{"CMD_justwatching+1+1", "CMD_notvalid+1+1+"}));
    EXPECT_FALSE(server.gamestarted());
}

TEST_F(GameFlow, NewGameDuringAPauseDropsThePause) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    start(host, 3, 0);
    person43(host);
    ASSERT_EQ(server.pauseTag(), PauseTag::TurnOver);
    clear();
    start(host, 3, 2, 4, 5, 6);  // draw 2 -> past seat 2 to seat 1
    ASSERT_FALSE(ports.events.empty());
    EXPECT_EQ(ports.events.front().kind, PortEvent::StopTimer);
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_startgame+Bob+4+", "CMD_nextplayer+1", "CMD_placedice+1+5+2+6+"}));
    EXPECT_EQ(server.player(1).score, kNotPlayedScore);
    EXPECT_EQ(server.player(1).turns, 1);
    clear();
    ticks(5);
    EXPECT_TRUE(ports.events.empty());
}

TEST_F(GameFlow, JustWatchOnOwnTurnLetsTheComputerMoveAtOnceThenAfterEachRoll) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    start(host, 3, 0, 5, 4, 5);
    clear();
    steerDice(2, 2);
    say(host, "CMD_justwatch+1+1");
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_justwatching+1+1", "CMD_closeit+9", "CMD_placedice+1+2+2+2+"}));
    EXPECT_EQ(server.pauseTag(), PauseTag::ComputerMove);
    EXPECT_EQ(server.pausecount(), 1);
    clear();
    steerDice(1, 1);
    ticks(1);
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_closeit+4", "CMD_placedice+1+1+2+1+"}));
    // What the watcher's table still sent before it saw the computer take
    // over (a slide, a close that fits the roll) is not played or relayed.
    clear();
    say(host, "CMD_slide+1+down+2+");
    say(host, "CMD_closethem+1+2");
    EXPECT_TRUE(linesTo(ann).empty());
    EXPECT_EQ(server.tiles()[1], "u");
    EXPECT_EQ(ports.logs.back(), "ignored close from seat 1: just watching");
    // Playing again: the pending computer move does nothing.
    clear();
    say(host, "CMD_justwatch+1+2");
    ticks(1);
    EXPECT_EQ(linesTo(ann), Lines{"CMD_justwatching+1+2"});
}


TEST_F(GameFlow, SixSeatedPlayersSeatSixScoresGainsMarksAndWins) {
    std::vector<ConnId> seats;
    for (const char* name : {"Bob", "Ann", "Cid", "Dan", "Eve", "Fay"}) seats.push_back(join(name));
    const ConnId host = seats[0];
    start(host, 7, 0, 3);  // 1 + six held seats = 7 choices; 0 -> seat 1
    for (int round = 1; round <= 3; ++round) {
        clear();
        personRound(seats, 6);
        EXPECT_EQ(only(host, "CMD_scores"),
                  (Lines{"CMD_scores+1+43+43+", "CMD_scores+2+43+43+", "CMD_scores+3+43+43+",
                         "CMD_scores+4+43+43+", "CMD_scores+5+43+43+", "CMD_scores+6+40+40+"}))
            << round;
        EXPECT_EQ(only(host, "CMD_roundwinner"), Lines{"CMD_roundwinner+6"}) << round;
        EXPECT_EQ(server.player(6).marks, round);
        for (int s = 1; s <= 6; ++s) EXPECT_EQ(server.player(s).score, 0) << round << " seat " << s;
        if (round < 3) {
            EXPECT_TRUE(only(host, "CMD_winner").empty());
            ASSERT_EQ(server.pauseTag(), PauseTag::NextRound);
            steerDice(1, 1);
            ticks(5);
        }
    }
    EXPECT_EQ(only(seats[5], "CMD_winner"), Lines{"CMD_winner+6+"});
    EXPECT_FALSE(server.gamestarted());
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(server.player(s).marks, 0) << s;
}

TEST_F(GameFlow, ASecondGameClearsEverySeatsMarksScoresAndJustWatching) {
    std::vector<ConnId> seats;
    for (const char* name : {"Bob", "Ann", "Cid", "Dan", "Eve", "Fay"}) seats.push_back(join(name));
    const ConnId host = seats[0];
    start(host, 7, 0, 3);
    personRound(seats, 6);
    ASSERT_EQ(server.player(6).marks, 1);
    steerDice(1, 1);
    ticks(5);
    personRound(seats, 1);
    ASSERT_EQ(server.player(1).marks, 1);
    for (int s = 1; s <= 6; ++s) say(host, "CMD_justwatch+" + std::to_string(s) + "+1");
    for (int s = 1; s <= 6; ++s) ASSERT_TRUE(server.player(s).watching) << s;
    clear();
    start(host, 7, 6, 4, 2, 3);  // draw 6 -> past seat 6 to seat 1
    for (int s = 1; s <= 6; ++s) {
        EXPECT_EQ(server.player(s).marks, 0) << s;
        EXPECT_FALSE(server.player(s).watching) << s;
        EXPECT_EQ(server.player(s).score, kNotPlayedScore) << s;
        EXPECT_EQ(server.player(s).turns, s == 1 ? 1 : 0) << s;
    }
    EXPECT_EQ(server.tiles(), game::allOpen());
    // Seat 1 is a person again: no computer move is pending for its turn.
    EXPECT_EQ(server.pauseTag(), PauseTag::None);
    EXPECT_EQ(linesTo(seats[5]), (Lines{"CMD_startgame+Bob+4+", "CMD_nextplayer+1", "CMD_placedice+1+2+2+3+"}));
}

TEST_F(GameFlow, AWatchingSeatWaitsTwoTicksBeforeItsFirstMoveAndOneBeforeEachLater) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId cid = join("Cid");
    start(host, 4, 0);
    EXPECT_EQ(server.pauseTag(), PauseTag::None);  // a person's turn waits for him
    say(cid, "CMD_justwatch+3+1");
    person43(host);
    nextTurn();
    person43(ann);
    steerDice(4, 5);
    ticks(3);
    ASSERT_EQ(server.currentseat(), 3);
    EXPECT_EQ(server.pauseTag(), PauseTag::ComputerMove);
    EXPECT_EQ(server.pausecount(), 2);
    clear();
    ticks(1);
    EXPECT_TRUE(linesTo(ann).empty());
    steerDice(6, 5);
    ticks(1);
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_closeit+9", "CMD_placedice+1+6+2+5+"}));
    EXPECT_EQ(server.pausecount(), 1);
    clear();
    steerDice(1, 1);
    ticks(1);
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_closeit+3+8", "CMD_placedice+1+1+2+1+"}));
}

TEST_F(GameFlow, ASeatTakenAfterItsPlacePassedInALaterRoundHoldsZeroAndGainsAMark) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId cid = join("Cid");
    const ConnId dan = join("Dan");
    start(host, 5, 0);
    person43(host);
    nextTurn();
    person43(ann);
    nextTurn();
    person43(cid);
    nextTurn();
    person40(dan);
    steerDice(1, 1);
    ticks(3);
    ASSERT_EQ(only(host, "CMD_roundwinner"), Lines{"CMD_roundwinner+4"});
    server.connectionClosed(cid);  // seat 3 leaves the order, its score 0
    steerDice(1, 1);
    ticks(5);
    person43(host);
    nextTurn();
    person43(ann);
    nextTurn();
    ASSERT_EQ(server.currentseat(), 4);
    const ConnId eve = join("Eve");  // seat 3's place in this round is behind
    ASSERT_EQ(server.slotOf(eve), 3);
    EXPECT_EQ(server.player(3).score, 0);
    clear();
    person40(dan);
    steerDice(1, 1);
    ticks(3);
    EXPECT_EQ(only(eve, "CMD_roundwinner"), Lines{"CMD_roundwinner+3"});
    EXPECT_EQ(server.player(3).marks, 1);
    EXPECT_EQ(server.player(4).marks, 1);
}

TEST_F(GameFlow, SomeoneReturningToASeatFindsItsMarksAndScore) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId cid = join("Cid");
    start(host, 4, 0);
    person43(host);
    nextTurn();
    person43(ann);
    nextTurn();
    person40(cid);
    steerDice(1, 1);
    ticks(3);
    steerDice(1, 1);
    ticks(5);  // round 2: seat 3 holds one Mark
    person43(host);
    nextTurn();
    person43(ann);
    nextTurn();
    steerDice(2, 1);
    say(cid, "CMD_closethem+3+2");
    steerDice(1, 1);
    say(cid, "CMD_closethem+3+3");  // no move for 1 and 1: seat 3 scores 40
    server.connectionClosed(cid);
    clear();
    const ConnId back = connect();
    ASSERT_EQ(server.slotOf(back), 3);
    say(back, "CMD_logininfo+3+1.0.3+Cid");
    EXPECT_EQ(only(back, "CMD_updatescores"), Lines{"CMD_updatescores+1+43+0+2+43+0+3+40+1+4+0+0+5+0+0+6+0+0"});
    EXPECT_EQ(server.player(3).marks, 1);
    EXPECT_EQ(server.player(3).score, 40);
    // The seat's score of this round still counts at its end.
    steerDice(1, 1);
    ticks(3);
    EXPECT_EQ(only(back, "CMD_roundwinner"), Lines{"CMD_roundwinner+3"});
    EXPECT_EQ(server.player(3).marks, 2);
}

TEST_F(GameFlow, AComputerMoveDueOnAPersonsSeatSendsNothingAndChangesNothing) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    start(host, 3, 1, 5, 2, 2);  // draw 1 -> seat 2, Ann, a person
    ASSERT_EQ(server.pauseTag(), PauseTag::ComputerMove);
    steerDice(6, 6);
    say(ann, "CMD_closethem+2+4");
    const game::Tiles tiles = server.tiles();
    clear();
    ticks(2);
    EXPECT_TRUE(linesTo(host).empty());
    EXPECT_EQ(server.tiles(), tiles);
    EXPECT_EQ(server.die1() + server.die2(), 12);
    EXPECT_EQ(server.currentseat(), 2);
    EXPECT_EQ(server.pauseTag(), PauseTag::None);
    // The roll still waits for Ann.
    steerDice(1, 1);
    say(ann, "CMD_closethem+2+3+9");
    EXPECT_EQ(linesTo(host), (Lines{"CMD_closeit+3+9", "CMD_placedice+1+1+2+1+"}));
}

TEST_F(GameFlow, SeatSixJustWatchingOnItsTurnHasTheComputerMove) {
    std::vector<ConnId> seats;
    for (const char* name : {"Bob", "Ann", "Cid", "Dan", "Eve", "Fay"}) seats.push_back(join(name));
    start(seats[0], 7, 5, 5, 3, 4);  // draw 5 -> seat 6 opens with 3 and 4
    ASSERT_EQ(server.currentseat(), 6);
    clear();
    steerDice(2, 2);
    say(seats[5], "CMD_justwatch+6+1");
    EXPECT_EQ(linesTo(seats[0]), (Lines{"CMD_justwatching+6+1", "CMD_closeit+7", "CMD_placedice+1+2+2+2+"}));
    EXPECT_EQ(server.pauseTag(), PauseTag::ComputerMove);
}

} // namespace
} // namespace tc::server::test
