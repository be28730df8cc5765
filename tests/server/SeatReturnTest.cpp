// Returns to a kept seat as players meet them: the own copy noticing the
// drop before the server does, a full table, strangers at the table, the
// host's wish on an away seat, the rounds played meanwhile. And the holds'
// own bookkeeping, held to exact seats, keys and connections.
#include "HoldFixture.h"

#include <algorithm>
#include <set>

#include "server/SeatHold.h"

namespace tc::server::test {
namespace {

class Return : public Hold {
protected:
    bool logged(const std::string& line) const {
        return std::find(ports.logs.begin(), ports.logs.end(), line) != ports.logs.end();
    }
    // Sends to a connection after its close was recorded.
    bool sentAfterClose(ConnId c) const {
        bool isClosed = false;
        for (const auto& e : ports.events) {
            if (e.conn != c) continue;
            if (e.kind == PortEvent::Close) isClosed = true;
            else if (isClosed && e.kind == PortEvent::Send) return true;
        }
        return false;
    }
    // Bob, Ann and Cid with keys, then three more seats and three
    // spectators: every slot is held. A game runs, seat 1 on turn.
    void fullTable() {
        bob = seatWithKey("Bob");
        ann = seatWithKey("Ann");
        cid = seatWithKey("Cid");
        for (const char* name : {"Dan", "Eve", "Fay", "Gus", "Hal", "Ida"}) seatWithKey(name);
        start(bob, 7, 0);
        clear();
    }
};

// The client saw its line fail; the server still holds the old connection
// open. The right key takes the seat at once, and the old connection ends
// as a drop: nothing more is read from it or sent to it.
TEST_F(Return, TheKeyTakesTheSeatWhileTheOldConnectionIsStillOpenAndEndsItAsADrop) {
    bob = seatWithKey("Bob");
    ann = seatWithKey("Ann");
    cid = seatWithKey("Cid");
    start(bob, 4, 0);
    person43(bob);
    clear();
    const ConnId back = comeBack(keys[2]);
    EXPECT_EQ(server.slotOf(back), 2);
    EXPECT_EQ(server.slotOf(ann), 0);
    EXPECT_TRUE(closed(ann));
    EXPECT_FALSE(server.held(2));
    EXPECT_EQ(server.player(2).conn, back);
    const Lines to = linesTo(back);
    ASSERT_EQ(to.size(), 6u);
    EXPECT_EQ(to[0], "CMD_yourseat+2+");
    EXPECT_EQ(to[1], "CMD_existingplayers+1+Bob+0+3+Cid+0");
    EXPECT_EQ(to[2], "CMD_gamestats+1+1+1+5+");
    EXPECT_EQ(to[3], "CMD_updatescores+1+43+0+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0");
    EXPECT_EQ(to[4], "CMD_rounds+0+");
    EXPECT_EQ(to[5], "CMD_shuttiles+010000000+");  // Bob's turn is over, tile 2 shut
    // The others see a drop and a return, never a leaving.
    const Lines seen{"CMD_away+2+120+", "CMD_justwatching+2+1", "CMD_justwatching+2+2", "CMD_back+2+"};
    EXPECT_EQ(linesTo(bob), seen);
    EXPECT_EQ(linesTo(cid), seen);
    EXPECT_TRUE(logged("seat 2 (Ann) presented from a new connection: the old one ends as a drop"));
    // Whatever the old connection still says, or its late end, is not heard.
    clear();
    say(ann, "CMD_chat+2+still here|0");
    server.connectionClosed(ann);
    EXPECT_TRUE(linesTo(bob).empty());
    EXPECT_EQ(server.slotOf(back), 2);
    // The seat plays on from the new connection.
    nextTurn();
    ASSERT_EQ(server.currentseat(), 2);
    steerDice(1, 1);
    say(back, "CMD_closethem+2+2");
    EXPECT_EQ(only(bob, "CMD_closeit"), Lines{"CMD_closeit+2"});
    EXPECT_FALSE(sentAfterClose(ann));
}

TEST_F(Return, AKeyFromAConnectionThatSaidItLeavesOrAWrongKeyLeavesTheOpenSeatAlone) {
    bob = seatWithKey("Bob");
    ann = seatWithKey("Ann");
    start(bob, 3, 0);
    std::string wrong = keys[2];
    wrong.back() = wrong.back() == '0' ? '1' : '0';
    clear();
    const ConnId guess = comeBack(wrong);
    EXPECT_EQ(linesTo(guess), Lines{"CMD_reclaimrefused+"});
    EXPECT_FALSE(closed(ann));
    say(ann, "CMD_leaving+2+");
    const ConnId late = comeBack(keys[2]);
    EXPECT_EQ(linesTo(late), Lines{"CMD_reclaimrefused+"});
    EXPECT_EQ(server.player(2).conn, ann);
    EXPECT_TRUE(only(bob, "CMD_away").empty());
}

// Cancel (or closing the window) while the server still holds the old
// connection: the seat is given up at once, not kept for nobody.
TEST_F(Return, AGiveUpWhileTheOldConnectionIsOpenReleasesTheSeat) {
    bob = seatWithKey("Bob");
    ann = seatWithKey("Ann");
    start(bob, 3, 0);
    const ConnId c = connect("10.0.0.9:5000");
    clear();
    say(c, "CMD_giveup+" + std::to_string(server.slotOf(c)) + "+" + keys[2] + "+");
    EXPECT_EQ(linesTo(c), Lines{"CMD_givenup+2+"});
    EXPECT_TRUE(closed(ann));
    EXPECT_TRUE(closed(c));
    EXPECT_FALSE(server.player(2).active);
    EXPECT_FALSE(server.held(2));
    EXPECT_EQ(only(bob, "CMD_playerdisconnected"), Lines{"CMD_playerdisconnected+2+Ann"});
}

// The catch-up of a return is the login's: strangers who have not logged
// in are nobody's business, kept seats are listed as watched.
TEST_F(Return, TheReturnsCatchUpListsOnlySeatedPlayersAsTheLoginsDoes) {
    bob = seatWithKey("Bob");
    ann = seatWithKey("Ann");
    cid = seatWithKey("Cid");
    const ConnId dan = seatWithKey("Dan");
    start(bob, 5, 0);
    server.connectionClosed(ann);
    server.connectionClosed(dan);
    const ConnId stranger = connect("10.0.0.7:1");
    ASSERT_EQ(server.slotOf(stranger), 5);
    const ConnId back = comeBack(keys[2]);
    ASSERT_EQ(server.slotOf(back), 2);
    const Lines to = linesTo(back);
    ASSERT_GE(to.size(), 2u);
    EXPECT_EQ(to[1], "CMD_existingplayers+1+Bob+0+3+Cid+0+4+Dan+1");
    EXPECT_EQ(only(back, "CMD_away"), Lines{"CMD_away+4+120+"});
    // A newcomer hears the same table.
    const ConnId eve = connect();
    ASSERT_EQ(server.slotOf(eve), 6);
    clear();
    say(eve, "CMD_logininfo+6+1.0.3+Eve");
    EXPECT_EQ(only(eve, "CMD_existingplayers"), Lines{"CMD_existingplayers+1+Bob+0+2+Ann+0+3+Cid+0+4+Dan+1"});
}

TEST_F(Return, UnsettingJustWatchOnAKeptSeatChangesNothingAndSendsNothing) {
    annAwayInAGame();
    clear();
    say(bob, "CMD_justwatch+2+2");
    EXPECT_TRUE(linesTo(bob).empty());
    EXPECT_TRUE(linesTo(cid).empty());
    // The computer still plays her turn.
    person43(bob);
    nextTurn();
    ASSERT_EQ(server.currentseat(), 2);
    clear();
    computer43();
    EXPECT_EQ(only(bob, "CMD_closeit"), Lines{"CMD_closeit+2"});
    // Once she is back the host's wish works again.
    const ConnId back = comeBack(keys[2]);
    say(back, "CMD_justwatch+2+1");
    clear();
    say(bob, "CMD_justwatch+2+2");
    EXPECT_EQ(linesTo(bob), Lines{"CMD_justwatching+2+2"});
}

TEST_F(Return, TheReturningSeatIsToldTheRoundsPlayedAndAWatcherStaysAWatcher) {
    bob = seatWithKey("Bob");
    ann = seatWithKey("Ann");
    start(bob, 3, 0);
    say(ann, "CMD_justwatch+2+1");
    person43(bob);
    server.connectionClosed(ann);
    // Two rounds pass while she is away.
    for (int round = 0; round < 2; ++round) {
        nextTurn();
        computer43();
        steerDice(1, 1);
        ticks(3);
        ASSERT_EQ(server.pauseTag(), PauseTag::NextRound);
        steerDice(1, 1);
        ticks(5);
        person43(bob);
    }
    EXPECT_EQ(server.rounds(), 2);
    clear();
    const ConnId back = comeBack(keys[2]);
    const Lines to = linesTo(back);
    ASSERT_EQ(to.size(), 7u);
    EXPECT_EQ(to[1], "CMD_existingplayers+1+Bob+0");
    EXPECT_EQ(to[2], "CMD_justwatching+2+1");
    EXPECT_EQ(to[5], "CMD_rounds+2+");
    EXPECT_EQ(linesTo(bob), Lines{"CMD_back+2+"});
    // A new game counts from nothing.
    start(bob, 3, 0);
    server.connectionClosed(back);
    EXPECT_EQ(only(comeBack(keys[2]), "CMD_rounds"), Lines{"CMD_rounds+0+"});
}

// A kept seat still holds its slot: with the eight others held, its own
// player is asked for his key instead of being turned away as full.
TEST_F(Return, AtAFullTableTheKeptSeatsKeyStillTakesItBack) {
    fullTable();
    server.connectionClosed(ann);
    ASSERT_TRUE(server.held(2));
    clear();
    const ConnId back = connect("10.0.0.9:1");
    EXPECT_EQ(server.slotOf(back), 0);
    EXPECT_EQ(linesTo(back), Lines{"CMD_fullkept+"});
    EXPECT_FALSE(closed(back));
    now += kFullWaitMs - 1;  // the key may take its time, up to the wait
    server.checkLogins();
    say(back, "CMD_reclaim+0+" + keys[2] + "+");
    EXPECT_EQ(server.slotOf(back), 2);
    EXPECT_FALSE(server.held(2));
    const Lines to = linesTo(back);
    ASSERT_GE(to.size(), 3u);
    EXPECT_EQ(to[1], "CMD_yourseat+2+");
    EXPECT_EQ(to[2], "CMD_existingplayers+1+Bob+0+3+Cid+0+4+Dan+0+5+Eve+0+6+Fay+0+7+Gus+0+8+Hal+0+9+Ida+0");
    EXPECT_EQ(only(bob, "CMD_back"), Lines{"CMD_back+2+"});
    // Its seat plays, chats and ends as any other.
    clear();
    say(back, "CMD_chat+2+hi|0");
    EXPECT_EQ(linesTo(bob), Lines{"CMD_chat+2+Ann chats: hi|0"});
    server.connectionClosed(back);
    EXPECT_TRUE(server.held(2));
}

// The lines that come with the key in the same read are the seat's, read
// as any seated connection's: an overlong one costs only itself (not the
// seat, as it would before the key), and a line cut off at the read's end
// goes on in the next read.
TEST_F(Return, AtAFullTableWhatFollowsTheKeyInTheSameReadIsTheSeatsToRead) {
    fullTable();
    server.connectionClosed(ann);
    clear();
    const ConnId back = connect("10.0.0.9:1");
    server.bytesArrived(back, "CMD_reclaim+0+" + keys[2] + "+\xFF" + "CMD_chat+2+first|0\xFF" +
                                  std::string(net::kMaxLineBytes + 1, 'x') + "\xFF" + "CMD_chat+2+sec");
    ASSERT_EQ(server.slotOf(back), 2);
    EXPECT_FALSE(closed(back));
    EXPECT_EQ(linesTo(bob), (Lines{"CMD_justwatching+2+2", "CMD_back+2+", "CMD_chat+2+Ann chats: first|0"}));
    clear();
    server.bytesArrived(back, "ond|0\xFF");
    EXPECT_EQ(linesTo(bob), Lines{"CMD_chat+2+Ann chats: second|0"});
}

TEST_F(Return, AtAFullTableAWrongKeyOtherWordsOrSilenceGetFullAndTheCloseWithinTheWait) {
    fullTable();
    server.connectionClosed(ann);
    clear();
    const ConnId wrong = connect("10.0.0.9:1");
    say(wrong, "CMD_reclaim+0+" + keys[3].substr(1) + "x+");
    EXPECT_EQ(linesTo(wrong), (Lines{"CMD_fullkept+", "CMD_full+"}));
    EXPECT_TRUE(closed(wrong));
    const ConnId login = connect("10.0.0.9:2");
    say(login, "CMD_logininfo+0+1.0.3+Zed");
    EXPECT_EQ(linesTo(login), (Lines{"CMD_fullkept+", "CMD_full+"}));
    // A key for a slot outside the wait's own answer is no key.
    const ConnId named = connect("10.0.0.9:3");
    say(named, "CMD_reclaim+2+" + keys[2] + "+");
    EXPECT_EQ(linesTo(named), (Lines{"CMD_fullkept+", "CMD_full+"}));
    const ConnId silent = connect("10.0.0.9:4");
    now += kFullWaitMs - 1;
    server.checkLogins();
    EXPECT_FALSE(closed(silent));
    now += 1;
    server.checkHolds();
    EXPECT_EQ(linesTo(silent), (Lines{"CMD_fullkept+", "CMD_full+"}));
    EXPECT_TRUE(closed(silent));
    EXPECT_TRUE(server.held(2));
    EXPECT_TRUE(linesTo(bob).empty());
    // Its late end is nobody's business.
    server.connectionClosed(silent);
    EXPECT_TRUE(linesTo(bob).empty());
}

TEST_F(Return, AFullTableWithoutAKeptSeatRefusesAtOnceAndTheWaitIsBounded) {
    fullTable();
    const ConnId c = connect("10.0.0.9:1");
    EXPECT_EQ(linesTo(c), Lines{"CMD_full+"});
    EXPECT_TRUE(closed(c));
    server.connectionClosed(ann);
    clear();
    // One address connecting without end: only its newest few wait, the
    // oldest giving way; others' connections wait beside them.
    std::vector<ConnId> storm;
    for (int i = 0; i < 50; ++i) storm.push_back(connect("10.0.0.8:" + std::to_string(i)));
    for (std::size_t i = 0; i < storm.size(); ++i) {
        const bool waits = i + kMaxWaitingPerAddress >= storm.size();
        EXPECT_EQ(closed(storm[i]), !waits) << i;
        EXPECT_EQ(linesTo(storm[i]), waits ? Lines{"CMD_fullkept+"} : (Lines{"CMD_fullkept+", "CMD_full+"})) << i;
    }
    std::vector<ConnId> waiting;
    for (std::size_t i = 0; i < kMaxWaitingAtFull; ++i)
        waiting.push_back(connect("10.0.1." + std::to_string(i) + ":1"));
    // Past the bound of all, the oldest gives way: the storm's first.
    EXPECT_TRUE(closed(storm[50 - kMaxWaitingPerAddress]));
    EXPECT_FALSE(closed(waiting.back()));
    // The last of them still gets the seat.
    say(waiting.back(), "CMD_reclaim+0+" + keys[2] + "+");
    EXPECT_EQ(server.slotOf(waiting.back()), 2);
    // The seat's end makes the others' wait pointless.
    server.checkLogins();
    EXPECT_TRUE(closed(waiting.front()));
    EXPECT_EQ(linesTo(waiting.front()), (Lines{"CMD_fullkept+", "CMD_full+"}));
}

TEST_F(Return, AtAFullTableTheKeyGivesTheSeatUpOrTakesItFromAnOpenOldConnection) {
    fullTable();
    // Cid's old connection is still open: his key takes the seat.
    const ConnId cidBack = connect("10.0.0.9:1");
    EXPECT_EQ(linesTo(cidBack), Lines{"CMD_full+"}) << "nothing is kept yet";
    server.connectionClosed(ann);
    clear();
    const ConnId fresh = connect("10.0.0.9:2");
    say(fresh, "CMD_reclaim+0+" + keys[3] + "+");
    EXPECT_EQ(server.slotOf(fresh), 3);
    EXPECT_TRUE(closed(cid));
    // Ann gives hers up from the full table.
    clear();
    const ConnId annGone = connect("10.0.0.9:3");
    say(annGone, "CMD_giveup+0+" + keys[2] + "+");
    EXPECT_EQ(linesTo(annGone), (Lines{"CMD_fullkept+", "CMD_givenup+2+"}));
    EXPECT_TRUE(closed(annGone));
    EXPECT_FALSE(server.player(2).active);
    EXPECT_EQ(only(bob, "CMD_playerdisconnected"), Lines{"CMD_playerdisconnected+2+Ann"});
    // Her slot is free for the next comer.
    EXPECT_EQ(server.slotOf(connect()), 2);
}

// A dropped seat keeps no connection id: nothing is sent to the dead one.
TEST_F(Return, AKeptSeatHasNoConnectionAndNothingGoesToTheDeadOne) {
    annAwayInAGame();
    EXPECT_EQ(server.player(2).conn, 0u);
    clear();
    say(bob, "CMD_chat+1+anyone|0");
    person43(bob);
    nextTurn();
    computer43();
    EXPECT_FALSE(linesTo(bob).empty());
    EXPECT_TRUE(linesTo(ann).empty());
}

// Seat 1 kept: listed to newcomers and returning players, told away, and
// released at the win as every kept seat.
TEST_F(Return, AKeptSeatOneIsListedAndReleasedAtTheWin) {
    bob = seatWithKey("Bob");
    ann = seatWithKey("Ann");
    start(bob, 3, 1, 3);  // seat 2 opens; three Marks win
    server.connectionClosed(bob);
    ASSERT_TRUE(server.held(1));
    clear();
    const ConnId cid = connect();
    say(cid, "CMD_logininfo+" + std::to_string(server.slotOf(cid)) + "+1.0.3+Cid");
    EXPECT_EQ(only(cid, "CMD_away"), Lines{"CMD_away+1+120+"});
    // Ann wins every round.
    int guard = 0;
    while (server.gamestarted() && ++guard < 200) {
        if (server.currentseat() == 2 && server.pauseTag() == PauseTag::None) person40(ann);
        else if (server.currentseat() == 3 && server.pauseTag() == PauseTag::None) person43(cid);
        steerDice(1, 1);
        ticks(1);
    }
    ASSERT_FALSE(server.gamestarted());
    EXPECT_FALSE(server.held(1));
    EXPECT_FALSE(server.player(1).active);
    EXPECT_EQ(only(ann, "CMD_playerdisconnected"), Lines{"CMD_playerdisconnected+1+Bob"});
}

TEST(SeatHoldBook, EverySeatFromOneToSixIsListedAndRunsOut) {
    SeatHold hold;
    hold.setHoldMs(1'000);
    for (int seat = 1; seat <= 6; ++seat) hold.hold(seat, seat * 100);
    hold.hold(0, 0);
    hold.hold(7, 0);
    EXPECT_EQ(hold.seats(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(hold.leftSeconds(1, 100), 1);
    EXPECT_EQ(hold.leftMs(1, 1'099), 1);
    EXPECT_EQ(hold.expire(1'099), std::vector<int>{});
    EXPECT_EQ(hold.expire(1'100), std::vector<int>{1});
    EXPECT_EQ(hold.expire(1'400), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(hold.seats(), (std::vector<int>{5, 6}));
    hold.end(6);
    EXPECT_EQ(hold.expire(10'000), std::vector<int>{5});
    EXPECT_TRUE(hold.seats().empty());
}

// Every digit of a key comes from the random source: none is padding.
TEST(SeatKeys, EveryHexDigitOfTheKeyVaries) {
    SeatKeys k;
    std::vector<std::set<char>> seen(SeatKeys::kKeyChars);
    for (int round = 0; round < 4; ++round) {
        for (int seat = 1; seat <= 6; ++seat) {
            const std::string key = k.issue(seat);
            ASSERT_EQ(key.size(), SeatKeys::kKeyChars);
            for (std::size_t i = 0; i < key.size(); ++i) seen[i].insert(key[i]);
        }
    }
    // 24 keys: a digit that never changed is not random.
    for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_GE(seen[i].size(), 2u) << "digit " << i;
}

} // namespace
} // namespace tc::server::test
