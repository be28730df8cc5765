// A dropped connection on the client: the seat key, seats shown away, the
// drop that the window answers by getting back, and the table brought up
// to date from what the server sends a returning seat.
#include <gtest/gtest.h>

#include "RecordingView.h"
#include "session/ReclaimHandshake.h"
#include "session/Reconnector.h"

using namespace tc::client;
using namespace tc::client::test;
using Events = std::vector<std::string>;

namespace {

std::string sys(const std::string& text) { return "chat[" + kBlue + "] 0+" + text; }
const std::string kKey(64, 'a');

// Ann in seat 3 of Bob's game, her key acknowledged, a game under way with
// her Mark and Bob's turn open on a roll of 4 and 5.
struct Seated : SessionRig {
    Seated() {
        join(3, "Ann");
        handle("CMD_newplayerinfo+3+Ann+0");
        handle("CMD_existingplayers+1+Bob+0+4+Cid+0");
        handle("CMD_seatkey+" + kKey + "+120+");
        handle("CMD_startgame+Bob+5+");
        handle("CMD_nextplayer+1");
        handle("CMD_placedice+1+4+2+5+");
        view.take();
    }
    Events drop() {
        view.take();
        session.onSocketClosed();
        drain();
        return view.take();
    }
};

} // namespace

TEST(SessionHold, TheSeatKeyIsAcknowledgedAndKeptBySeatsOnly) {
    SessionRig rig;
    rig.join(3, "Ann");
    EXPECT_EQ(rig.handle("CMD_seatkey+" + kKey + "+120+"), (Events{"send:CMD_keyack+3+\xFF"}));
    EXPECT_EQ(rig.session.seatKey(), kKey);
    EXPECT_EQ(rig.session.holdSeconds(), 120);
    SessionRig spy;
    spy.join(8, "Spy");
    EXPECT_TRUE(spy.handle("CMD_seatkey+" + kKey + "+120+").empty());
    EXPECT_EQ(spy.session.seatKey(), "");
    // Malformed keys are dropped whole.
    SessionRig bad;
    bad.join(3, "Ann");
    for (const std::string& line : {std::string("CMD_seatkey++120+"), "CMD_seatkey+" + kKey + "+x+",
                                    "CMD_seatkey+" + std::string(300, 'a') + "+120+"})
        EXPECT_TRUE(bad.handle(line).empty()) << line;
    EXPECT_EQ(bad.session.seatKey(), "");
}

TEST(SessionHold, AnotherSeatAwayAndBackIsToldInWordsWithoutJustWatchingLines) {
    Seated rig;
    EXPECT_EQ(rig.handle("CMD_away+1+120+"), (Events{sys("Bob lost the connection; their seat is kept for 2 minutes.")}));
    EXPECT_TRUE(rig.seat(1).away);
    EXPECT_EQ(rig.handle("CMD_justwatching+1+1"), Events{});
    EXPECT_TRUE(rig.seat(1).eyes);
    EXPECT_EQ(rig.handle("CMD_justwatching+1+2"), Events{});
    EXPECT_EQ(rig.handle("CMD_back+1+"), (Events{sys("Bob is back.")}));
    EXPECT_FALSE(rig.seat(1).away);
    EXPECT_FALSE(rig.seat(1).eyes);
    EXPECT_EQ(rig.handle("CMD_away+4+90+"), (Events{sys("Cid lost the connection; their seat is kept for 90 seconds.")}));
    EXPECT_EQ(rig.handle("CMD_playerdisconnected+4+Cid"), (Events{sys("Cid disconnected.")}));
    EXPECT_FALSE(rig.seat(4).away);
    // Out of range or about ourselves: nothing.
    EXPECT_TRUE(rig.handle("CMD_away+7+120+").empty());
    EXPECT_TRUE(rig.handle("CMD_away+3+120+").empty());
    EXPECT_FALSE(rig.seat(3).away);
}

TEST(SessionHold, ADropInARunningGameTriesToGetBackAndAnyOtherEndClosesAsBefore) {
    Seated rig;
    EXPECT_EQ(rig.drop(), (Events{sys("Connection lost, reconnecting\u2026"), "lost:120"}));
    EXPECT_TRUE(rig.session.reconnecting());
    EXPECT_TRUE(rig.session.table().reconnecting);

    // Lines that came with the drop are handled first.
    Seated queued;
    queued.feed("CMD_away+1+120+");
    queued.session.onSocketClosed();
    queued.drain();
    EXPECT_EQ(queued.view.take(), (Events{sys("Bob lost the connection; their seat is kept for 2 minutes."),
                                          sys("Connection lost, reconnecting\u2026"), "lost:120"}));

    // Leaving on purpose says so first, and the end is no drop.
    Seated leaving;
    leaving.session.leave();
    EXPECT_EQ(leaving.view.take(), (Events{"send:CMD_leaving+3+\xFF"}));
    EXPECT_EQ(leaving.drop(), Events{"close"});

    // The server going away, or a game that is over, ends the game.
    Seated closing;
    closing.handle("CMD_serverclosing+");
    EXPECT_EQ(closing.drop(), Events{"close"});
    Seated won;
    won.handle("CMD_winner+1+");
    EXPECT_EQ(won.drop(), Events{"close"});
    // The hosting window runs the server: its end is never a drop.
    SessionRig host;
    host.host("Bob");
    host.handle("CMD_seatkey+" + kKey + "+120+");
    host.handle("CMD_startgame+Bob+5+");
    host.view.take();
    host.session.onSocketClosed();
    EXPECT_EQ(host.view.take(), Events{"close"});
    // Without a key (an older server) nothing changes.
    SessionRig old;
    old.join(3, "Ann");
    old.handle("CMD_startgame+Bob+5+");
    old.view.take();
    old.session.onSocketClosed();
    EXPECT_EQ(old.view.take(), Events{"close"});
}

TEST(SessionHold, GettingBackBringsTheWholeTableUpToDateQuietly) {
    Seated rig;
    rig.handle("CMD_roundwinner+3");
    rig.drop();
    // Meanwhile Cid left, Dee came, the computer played our turn: tiles 1
    // and 8 are shut, our score 43 and Mark kept, seat 4's player away.
    rig.view.take();
    rig.session.reclaimed((
        std::string("CMD_yourseat+3+\xFF") + "CMD_existingplayers+1+Bob+0+4+Dee+1\xFF" +
        "CMD_gamestats+3+2+6+5+\xFF" + "CMD_updatescores+1+40+0+2+41+0+3+43+1+4+0+0+5+0+0+6+0+0\xFF" +
        "CMD_away+4+100+\xFF" + "CMD_shuttiles+100000010+\xFF"));
    rig.drain();
    const Events got = rig.view.take();
    EXPECT_FALSE(rig.session.reconnecting());
    EXPECT_EQ(got.back(), sys("You are back in your seat."));
    for (const auto& e : got) {
        EXPECT_EQ(e.find("is Connected"), std::string::npos) << e;
        EXPECT_EQ(e.find("lost the connection"), std::string::npos) << e;
    }
    EXPECT_EQ(rig.seat(1).caption, "Bob");
    EXPECT_EQ(rig.seat(2).caption, "Rudi");
    EXPECT_EQ(rig.seat(3).caption, "Ann");
    EXPECT_EQ(rig.seat(4).caption, "Dee");
    EXPECT_TRUE(rig.seat(4).away);
    EXPECT_EQ(rig.seat(3).marks, 1);
    EXPECT_EQ(rig.seat(3).score, "43");
    EXPECT_EQ(rig.session.myseat(), 3);
    EXPECT_EQ(rig.session.currentplayer(), 3);
    EXPECT_TRUE(rig.session.mayselect());
    EXPECT_EQ(rig.tile(1), "o");
    EXPECT_EQ(rig.tile(8), "o");
    EXPECT_EQ(rig.tile(2), "u");
    EXPECT_EQ(rig.session.table().rounds, 1);
    // Our move goes out on the new connection.
    rig.session.clickTile(2);
    rig.session.clickTile(6);
    rig.session.clickRoll();
    rig.drain();
    bool sent = false;
    for (const auto& e : rig.view.take()) sent = sent || e == "send:CMD_closethem+3+2+6\xFF";
    EXPECT_TRUE(sent);
}

TEST(SessionHold, AFailedReturnEndsTheGameWithItsReasonAndAStrayYourSeatDoesNothing) {
    Seated rig;
    EXPECT_TRUE(rig.handle("CMD_yourseat+5+").empty());
    EXPECT_EQ(rig.session.myseat(), 3);
    rig.drop();
    rig.session.reconnectFailed("Back on the line, but the game no longer keeps your seat.");
    EXPECT_EQ(rig.view.take(), (Events{sys("Back on the line, but the game no longer keeps your seat."), "close"}));
    EXPECT_FALSE(rig.session.reconnecting());
}

TEST(ReclaimHandshake, PresentsTheKeyAndHandsOverFromTheSeatsLine) {
    ReclaimHandshake h(kKey);
    EXPECT_EQ(h.onBytes("CMD_sendlogin"), "");
    EXPECT_EQ(h.onBytes("info+5\xFF"), "CMD_reclaim+5+" + kKey + "+\xFF");
    EXPECT_EQ(h.state(), ReclaimHandshake::State::Asked);
    EXPECT_EQ(h.onBytes("CMD_chat+1+Bob chats: hi|clBlack\xFF" "CMD_yourseat+3+\xFF" "CMD_gamest"), "");
    EXPECT_EQ(h.state(), ReclaimHandshake::State::Reclaimed);
    EXPECT_EQ(h.seat(), 3);
    EXPECT_EQ(h.rest(), "CMD_yourseat+3+\xFF" "CMD_gamest");

    ReclaimHandshake refused(kKey);
    refused.onBytes("CMD_sendlogininfo+5\xFF" "CMD_reclaimrefused+\xFF");
    EXPECT_EQ(refused.state(), ReclaimHandshake::State::Refused);
    ReclaimHandshake full(kKey);
    full.onBytes("CMD_full+\xFF");
    EXPECT_EQ(full.state(), ReclaimHandshake::State::Full);
    ReclaimHandshake other(kKey);
    other.onBytes("HTTP/1.1 400\xFF");
    EXPECT_EQ(other.state(), ReclaimHandshake::State::NotAGame);
    ReclaimHandshake badSeat(kKey);
    badSeat.onBytes("CMD_sendlogininfo+5\xFF" "CMD_yourseat+8+\xFF");
    EXPECT_EQ(badSeat.state(), ReclaimHandshake::State::NotAGame);
    ReclaimHandshake flood(kKey);
    flood.onBytes("CMD_sendlogininfo+5\xFF");
    flood.onBytes(std::string(ReclaimHandshake::kMaxBytes, 'x'));
    EXPECT_EQ(flood.state(), ReclaimHandshake::State::NotAGame);
}

TEST(ReclaimHandshake, GivingUpPresentsTheKeyToGiveTheSeatUpAndNeverTakesItBack) {
    ReclaimHandshake h(kKey, ReclaimHandshake::Purpose::Leave);
    EXPECT_EQ(h.onBytes("CMD_sendlogininfo+5\xFF"), "CMD_giveup+5+" + kKey + "+\xFF");
    EXPECT_EQ(h.state(), ReclaimHandshake::State::Asked);
    // The table's traffic passes unread; a seat's line is not taken for an answer.
    EXPECT_EQ(h.onBytes("CMD_chat+1+Bob chats: hi|clBlack\xFF" "CMD_yourseat+3+\xFF"), "");
    EXPECT_EQ(h.state(), ReclaimHandshake::State::Asked);
    EXPECT_EQ(h.onBytes("CMD_givenup+3+\xFF"), "");
    EXPECT_EQ(h.state(), ReclaimHandshake::State::Left);
    EXPECT_EQ(h.seat(), 3);
    EXPECT_TRUE(h.finished());
    EXPECT_EQ(h.rest(), "");
    EXPECT_EQ(h.onBytes("CMD_gamestats+1+2+3+10+\xFF"), "");

    // No seat kept, or no game there: nothing given up, nothing more sent.
    ReclaimHandshake refused(kKey, ReclaimHandshake::Purpose::Leave);
    EXPECT_EQ(refused.onBytes("CMD_sendlogininfo+2\xFF"), "CMD_giveup+2+" + kKey + "+\xFF");
    EXPECT_EQ(refused.onBytes("CMD_reclaimrefused+\xFF" "CMD_givenup+3+\xFF"), "");
    EXPECT_EQ(refused.state(), ReclaimHandshake::State::Refused);
    ReclaimHandshake badSeat(kKey, ReclaimHandshake::Purpose::Leave);
    badSeat.onBytes("CMD_sendlogininfo+5\xFF");
    EXPECT_EQ(badSeat.onBytes("CMD_givenup+7+\xFF"), "");
    EXPECT_EQ(badSeat.state(), ReclaimHandshake::State::NotAGame);
    // A copy coming back takes no "given up" for its seat.
    ReclaimHandshake returning(kKey);
    returning.onBytes("CMD_sendlogininfo+5\xFF");
    returning.onBytes("CMD_givenup+3+\xFF");
    EXPECT_EQ(returning.state(), ReclaimHandshake::State::Asked);
}

TEST(ReclaimHandshake, SlotsAndSeatsAreReadToTheirExactBoundsAndFloodsStopIt) {
    using State = ReclaimHandshake::State;
    // Slots 1..9 are asked for, seats 1..6 given back; anything else is no game.
    for (const auto& [request, answered] :
         {std::pair{"CMD_sendlogininfo+1", true}, std::pair{"CMD_sendlogininfo+9", true},
          std::pair{"CMD_sendlogininfo+0", false}, std::pair{"CMD_sendlogininfo+10", false},
          std::pair{"CMD_sendlogininfo+x", false}, std::pair{"CMD_sendlogininfo+", false}}) {
        ReclaimHandshake h(kKey);
        const std::string reply = h.onBytes(std::string(request) + "\xFF");
        EXPECT_EQ(h.state(), answered ? State::Asked : State::NotAGame) << request;
        EXPECT_EQ(reply.empty(), !answered) << request;
    }
    for (const auto& [answer, seat] : {std::pair{"CMD_yourseat+6+", 6}, std::pair{"CMD_yourseat+1+", 1},
                                       std::pair{"CMD_yourseat+0+", 0}, std::pair{"CMD_yourseat+7+", 0}}) {
        ReclaimHandshake h(kKey);
        h.onBytes("CMD_sendlogininfo+8\xFF");
        h.onBytes(std::string(answer) + "\xFF");
        EXPECT_EQ(h.state(), seat ? State::Reclaimed : State::NotAGame) << answer;
        EXPECT_EQ(h.seat(), seat) << answer;
        ReclaimHandshake leaving(kKey, ReclaimHandshake::Purpose::Leave);
        leaving.onBytes("CMD_sendlogininfo+8\xFF");
        leaving.onBytes("CMD_givenup" + std::string(answer).substr(12) + "\xFF");
        EXPECT_EQ(leaving.state(), seat ? State::Left : State::NotAGame) << answer;
    }
    // Empty lines are passed over; a second login request is not answered twice.
    ReclaimHandshake h(kKey);
    EXPECT_EQ(h.onBytes("\xFF\xFF" "CMD_sendlogininfo+4\xFF" "CMD_sendlogininfo+5\xFF"), reclaimMessage(4, kKey));
    EXPECT_EQ(h.state(), State::Asked);
    // Up to the bound the table's traffic may pass while waiting; one byte more is no game.
    ReclaimHandshake full(kKey);
    const std::string ask = "CMD_sendlogininfo+4\xFF";
    full.onBytes(ask);
    full.onBytes(std::string(ReclaimHandshake::kMaxBytes - ask.size(), 'x'));
    EXPECT_EQ(full.state(), State::Asked);
    full.onBytes("x");
    EXPECT_EQ(full.state(), State::NotAGame);
}

TEST(Reconnector, WaitsGrowFromHalfASecondAndTheHoldBoundsThem) {
    Reconnector r(1000, 120'000);
    EXPECT_EQ(r.nextTryAt(), 1500);
    EXPECT_EQ(r.statusText(1000), "Connection lost, reconnecting\u2026 2:00 left");
    r.failed(1600);
    EXPECT_EQ(r.nextTryAt(), 2600);
    r.failed(2700);
    EXPECT_EQ(r.nextTryAt(), 4700);
    r.failed(4800);
    EXPECT_EQ(r.nextTryAt(), 8800);
    for (int i = 0; i < 10; ++i) r.failed(10'000);
    EXPECT_EQ(r.nextTryAt(), 10'000 + Reconnector::kMaxWaitMs);
    EXPECT_EQ(r.statusText(115'500), "Connection lost, reconnecting\u2026 0:06 left");
    EXPECT_EQ(r.statusText(111'000), "Connection lost, reconnecting\u2026 0:10 left");
    EXPECT_EQ(r.statusText(50'000), "Connection lost, reconnecting\u2026 1:11 left");
    EXPECT_FALSE(r.expired(120'999));
    EXPECT_TRUE(r.expired(121'000));
    EXPECT_EQ(r.leftMs(200'000), 0);
}
