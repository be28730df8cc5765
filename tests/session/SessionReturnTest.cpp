// Getting back to a kept seat as players meet it: seat 1 of a headless
// server, a table that changed while we were away, the rounds played
// meanwhile, a player who had chosen to watch, and a full table.
#include <gtest/gtest.h>

#include "RecordingView.h"
#include "session/ReclaimHandshake.h"

using namespace tc::client;
using namespace tc::client::test;
using Events = std::vector<std::string>;

namespace {

std::string sys(const std::string& text) { return "chat[" + kBlue + "] 0+" + text; }
const std::string kKey(64, 'b');

// Ann in seat 3: Bob in 1, Cid in 4 (watching), Dee in 5, Spy in 8; two
// rounds played; Ann had chosen Just Watch; Bob's turn on 4 and 5.
struct Away : SessionRig {
    Away() {
        join(3, "Ann");
        handle("CMD_newplayerinfo+3+Ann+0");
        handle("CMD_existingplayers+1+Bob+0+4+Cid+1+5+Dee+0+8+Spy+0");
        handle("CMD_seatkey+" + kKey + "+120+");
        handle("CMD_startgame+Bob+5+");
        handle("CMD_justwatching+4+1");
        handle("CMD_roundwinner+1");
        handle("CMD_roundwinner+5");
        handle("CMD_justwatching+3+1");
        handle("CMD_nextplayer+1");
        handle("CMD_placedice+1+4+2+5+");
        view.take();
        session.onSocketClosed();
        drain();
        view.take();
    }
    // The server's catch-up after our key, from the seat's line on.
    void back(const std::string& lines) {
        session.reclaimed(lines);
        drain();
    }
};

} // namespace

// Seat 1 of tilecrest-server is its host but runs nothing: a drop there is
// a drop like any other, and the window tries to get back.
TEST(SessionReturn, SeatOneOfAHeadlessServerTriesToGetBackTheHostingWindowDoesNot) {
    SessionRig first;
    first.join(1, "Bob");
    EXPECT_TRUE(first.session.ishost());
    first.handle("CMD_seatkey+" + kKey + "+120+");
    first.handle("CMD_startgame+Bob+5+");
    first.view.take();
    first.session.onSocketClosed();
    first.drain();
    EXPECT_EQ(first.view.take(), (Events{sys("Connection lost, reconnecting\u2026"), "lost:120"}));
    EXPECT_TRUE(first.session.reconnecting());

    SessionRig hosting;
    hosting.host("Bob");
    hosting.handle("CMD_seatkey+" + kKey + "+120+");
    hosting.handle("CMD_startgame+Bob+5+");
    hosting.view.take();
    hosting.session.onSocketClosed();
    EXPECT_EQ(hosting.view.take(), Events{"close"});
}

// The seat's line resets the whole table before the server retells it:
// who left meanwhile is gone, nobody's eyes or away mark stays unless told
// again, the spectators are listed anew.
TEST(SessionReturn, TheSeatsLineClearsWhatTheTableNoLongerHas) {
    Away rig;
    ASSERT_TRUE(rig.session.table().justWatchChecked);
    ASSERT_TRUE(rig.seat(4).eyes);
    ASSERT_EQ(rig.session.table().spyList, std::vector<std::string>{"8: Spy"});
    rig.back(std::string("CMD_yourseat+3+\xFF") + "CMD_existingplayers+1+Bob+0+5+Dee+0\xFF" +
             "CMD_gamestats+1+4+5+5+\xFF" + "CMD_updatescores+1+0+1+2+0+0+3+0+0+4+0+0+5+0+1+6+0+0\xFF" +
             "CMD_rounds+2+\xFF" + "CMD_shuttiles+000000000+\xFF");
    EXPECT_EQ(rig.seat(4).caption, "<Waiting>");
    EXPECT_FALSE(rig.seat(4).eyes);
    for (int n = 1; n <= 6; ++n) EXPECT_FALSE(rig.seat(n).away) << n;
    EXPECT_TRUE(rig.session.table().spyList.empty());
    EXPECT_FALSE(rig.session.table().justWatchChecked) << "the server did not say we still watch";
    EXPECT_EQ(rig.seat(1).caption, "Bob");
    EXPECT_EQ(rig.seat(3).caption, "Ann");
    EXPECT_EQ(rig.session.myseat(), 3);
    // Only a seat the server names as kept reads away.
    Away kept;
    kept.back(std::string("CMD_yourseat+3+\xFF") + "CMD_existingplayers+1+Bob+0+5+Dee+1\xFF" +
              "CMD_gamestats+1+4+5+5+\xFF" + "CMD_updatescores+1+0+1+2+0+0+3+0+0+4+0+0+5+0+1+6+0+0\xFF" +
              "CMD_away+5+90+\xFF" + "CMD_shuttiles+000000000+\xFF");
    EXPECT_TRUE(kept.seat(5).away);
    EXPECT_FALSE(kept.seat(1).away);
    EXPECT_FALSE(kept.seat(3).away);
}

// The seat's line is what makes the connection ours: without it nothing of
// the catch-up is taken for our seat.
TEST(SessionReturn, WithoutTheSeatsLineTheCatchUpIsNotOurs) {
    Away rig;
    rig.back(std::string("CMD_existingplayers+1+Bob+0+5+Dee+0\xFF") + "CMD_shuttiles+000000000+\xFF");
    EXPECT_EQ(rig.seat(4).caption, "Cid");
    Away right;
    right.back(std::string("CMD_yourseat+3+\xFF") + "CMD_existingplayers+1+Bob+0+5+Dee+0\xFF" +
               "CMD_shuttiles+000000000+\xFF");
    EXPECT_EQ(right.seat(4).caption, "<Waiting>");
}

TEST(SessionReturn, TheRoundsPlayedWhileAwayAreTheServersCount) {
    Away rig;
    ASSERT_EQ(rig.session.table().rounds, 2);
    rig.back(std::string("CMD_yourseat+3+\xFF") + "CMD_existingplayers+1+Bob+0+5+Dee+0\xFF" +
             "CMD_gamestats+1+4+5+5+\xFF" + "CMD_updatescores+1+0+2+2+0+0+3+0+0+4+0+0+5+0+2+6+0+0\xFF" +
             "CMD_rounds+4+\xFF" + "CMD_shuttiles+000000000+\xFF");
    EXPECT_EQ(rig.session.table().rounds, 4);
    EXPECT_EQ(rig.session.table().roundsText, "Rounds Played: 4");
    rig.handle("CMD_roundwinner+1");
    EXPECT_EQ(rig.session.table().roundsText, "Rounds Played: 5");
    // An older server tells no count: the one at the drop stands.
    Away old;
    old.back(std::string("CMD_yourseat+3+\xFF") + "CMD_gamestats+1+4+5+5+\xFF" + "CMD_shuttiles+000000000+\xFF");
    EXPECT_EQ(old.session.table().rounds, 2);
    EXPECT_EQ(old.session.table().roundsText, "Rounds Played: 2");
    // A newcomer during a game is told the count too.
    SessionRig late;
    late.join(4, "Eve");
    late.handle("CMD_newplayerinfo+4+Eve+0");
    late.handle("CMD_gamestats+1+4+5+5+");
    EXPECT_EQ(late.session.table().roundsText, "Rounds since you joined: 0");
    late.handle("CMD_rounds+7+");
    EXPECT_EQ(late.session.table().roundsText, "Rounds Played: 7");
    late.handle("CMD_roundwinner+1");
    EXPECT_EQ(late.session.table().roundsText, "Rounds Played: 8");
    // Out of range, or with no game: nothing.
    EXPECT_TRUE(late.handle("CMD_rounds+-1+").empty());
    EXPECT_TRUE(late.handle("CMD_rounds+x+").empty());
    EXPECT_EQ(late.session.table().rounds, 8);
    SessionRig idle;
    idle.join(4, "Eve");
    idle.handle("CMD_rounds+3+");
    EXPECT_EQ(idle.session.table().rounds, 0);
}

TEST(SessionReturn, AWatcherGettingBackOnHisOwnRollTakesNoClicks) {
    Away rig;
    rig.back(std::string("CMD_yourseat+3+\xFF") + "CMD_existingplayers+1+Bob+0+5+Dee+0\xFF" +
             "CMD_justwatching+3+1\xFF" + "CMD_gamestats+3+2+6+5+\xFF" +
             "CMD_updatescores+1+0+1+2+0+0+3+0+0+4+0+0+5+0+1+6+0+0\xFF" + "CMD_rounds+2+\xFF" +
             "CMD_shuttiles+000000000+\xFF");
    EXPECT_TRUE(rig.session.table().justWatchChecked);
    EXPECT_EQ(rig.session.currentplayer(), 3);
    EXPECT_FALSE(rig.session.mayselect());
    rig.view.take();
    rig.session.clickTile(8);
    rig.drain();
    EXPECT_EQ(rig.tile(8), "u");
    // Playing again gives the roll back.
    rig.handle("CMD_justwatching+3+2");
    EXPECT_TRUE(rig.session.mayselect());
    // Not watching, the own roll is his at once.
    Away player;
    player.back(std::string("CMD_yourseat+3+\xFF") + "CMD_gamestats+3+2+6+5+\xFF" + "CMD_shuttiles+000000000+\xFF");
    EXPECT_TRUE(player.session.mayselect());
}

TEST(SessionReturn, AFullTableThatKeepsSeatsIsGivenTheKeyForNoSlot) {
    ReclaimHandshake h(kKey);
    EXPECT_EQ(h.onBytes("CMD_fullkept+\xFF"), "CMD_reclaim+0+" + kKey + "+\xFF");
    EXPECT_EQ(h.state(), ReclaimHandshake::State::Asked);
    EXPECT_EQ(h.onBytes("CMD_yourseat+2+\xFF" "CMD_gamestats"), "");
    EXPECT_EQ(h.state(), ReclaimHandshake::State::Reclaimed);
    EXPECT_EQ(h.rest(), "CMD_yourseat+2+\xFF" "CMD_gamestats");
    ReclaimHandshake wrong(kKey);
    wrong.onBytes("CMD_fullkept+\xFF");
    wrong.onBytes("CMD_full+\xFF");
    EXPECT_EQ(wrong.state(), ReclaimHandshake::State::Full);
    ReclaimHandshake leaving(kKey, ReclaimHandshake::Purpose::Leave);
    EXPECT_EQ(leaving.onBytes("CMD_fullkept+\xFF"), "CMD_giveup+0+" + kKey + "+\xFF");
    leaving.onBytes("CMD_givenup+2+\xFF");
    EXPECT_EQ(leaving.state(), ReclaimHandshake::State::Left);
    // Asked once only: a second request after the key is not answered.
    ReclaimHandshake twice(kKey);
    twice.onBytes("CMD_sendlogininfo+4\xFF");
    EXPECT_EQ(twice.onBytes("CMD_fullkept+\xFF"), "");
}
