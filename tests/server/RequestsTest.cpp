// Requests bound to their connection: removal, relays, just-watch.
#include <algorithm>

#include "ServerFixture.h"

namespace tc::server::test {
namespace {

using Lines = std::vector<std::string>;

using Requests = ThreeJoined;

TEST_F(Requests, HostRemovesAPlayerWhoseSlotIsReleasedOnce) {
    say(host, "CMD_kickhim+1+2+");
    EXPECT_TRUE(closed(ann));
    EXPECT_EQ(linesTo(ann), Lines{"CMD_removed+"});  // told, then closed
    EXPECT_EQ(linesTo(host), Lines{"CMD_playerdisconnected+2+Ann"});
    EXPECT_EQ(linesTo(cid), Lines{"CMD_playerdisconnected+2+Ann"});
    EXPECT_FALSE(server.player(2).active);
    clear();
    server.connectionClosed(ann);  // the socket's own end report
    say(host, "CMD_kickhim+1+2+");  // now a free slot
    EXPECT_TRUE(ports.events.empty());
}

TEST_F(Requests, ARemovedPlayerIsKeptOutUnderTheSameNameFromTheSameAddress) {
    say(host, "CMD_kickhim+1+2+");
    server.connectionClosed(ann);
    EXPECT_EQ(ports.logs.back(), "close slot 2 (Ann): removed by the host");
    EXPECT_NE(std::find(ports.logs.begin(), ports.logs.end(), "keeping out Ann from 10.0.0.1 from now on"),
              ports.logs.end());
    clear();
    // Back from the same address on another port: told he was removed,
    // closed, and nobody at the table hears of it.
    const ConnId again = connect("10.0.0.1:5123");
    ASSERT_EQ(server.slotOf(again), 2);
    say(again, "CMD_logininfo+2+1.0.3+Ann");
    EXPECT_EQ(linesTo(again), (Lines{"CMD_sendlogininfo+2", "CMD_removed+"}));
    EXPECT_TRUE(closed(again));
    EXPECT_TRUE(linesTo(host).empty());
    EXPECT_FALSE(server.player(2).active);
    EXPECT_EQ(ports.logs.back(), "refused slot 2 (Ann): removed by the host earlier, from 10.0.0.1");
    server.connectionClosed(again);
    // Another name from there, or the same name from elsewhere, sits down.
    const ConnId dan = connect("10.0.0.1:5124");
    say(dan, "CMD_logininfo+2+1.0.3+Dan");
    const ConnId ann2 = connect("10.0.0.2:4000");
    say(ann2, "CMD_logininfo+4+1.0.3+Ann");
    EXPECT_EQ(server.player(2).name, "Dan");
    EXPECT_EQ(server.player(4).name, "Ann");
}

TEST_F(Requests, TheRemovedListComparesNamesAsCleanedAndWithoutCase) {
    const ConnId zoe = join("Zo\xC9 Cid");  // "ZoÉ Cid" in Windows-1252
    ASSERT_EQ(server.slotOf(zoe), 4);
    say(host, "CMD_kickhim+1+4+");
    say(host, "CMD_kickhim+1+3+");  // Cid
    server.connectionClosed(zoe);
    server.connectionClosed(cid);
    // Every spelling the server would store as the same name, any case.
    for (const std::string name : {"cid", "CID", "  Cid ", "C+i|d", "zo\xE9 cid", "ZO\xC9 CID"}) {
        clear();
        const ConnId c = connect("10.0.0.1:6000");
        const int slot = server.slotOf(c);
        say(c, "CMD_logininfo+" + std::to_string(slot) + "+1.0.3+" + name);
        EXPECT_EQ(linesTo(c), (Lines{"CMD_sendlogininfo+" + std::to_string(slot), "CMD_removed+"})) << name;
        EXPECT_TRUE(linesTo(host).empty()) << name;
        server.connectionClosed(c);
    }
    // A name that only looks alike is another player.
    const ConnId cyd = connect("10.0.0.1:6001");
    say(cyd, "CMD_logininfo+3+1.0.3+Cyd");
    EXPECT_EQ(server.player(3).name, "Cyd");
    EXPECT_TRUE(server.player(3).loggedin);
}

TEST_F(Requests, TheHostLetsRemovedPlayersBackIn) {
    say(host, "CMD_kickhim+1+2+");
    server.connectionClosed(ann);
    clear();
    say(cid, "CMD_letbackin+3+");  // only the host's list
    EXPECT_TRUE(linesTo(cid).empty());
    say(host, "CMD_letbackin+1+");
    EXPECT_EQ(linesTo(host), Lines{"CMD_letbackin+1+"});
    EXPECT_EQ(linesTo(cid), Lines{});
    EXPECT_EQ(ports.logs.back(), "letting back in 1 removed player");
    clear();
    const ConnId again = connect("10.0.0.1:5123");
    say(again, "CMD_logininfo+2+1.0.3+Ann");
    EXPECT_TRUE(server.player(2).loggedin);
    EXPECT_EQ(linesTo(host), Lines{"CMD_newplayerinfo+2+Ann+0"});
    clear();
    say(host, "CMD_letbackin+1+");
    EXPECT_EQ(linesTo(host), Lines{"CMD_letbackin+0+"});
}

TEST_F(Requests, TheHostMayRemoveHimself) {
    say(host, "CMD_kickhim+1+1+");
    EXPECT_TRUE(closed(host));
    EXPECT_FALSE(server.player(1).active);
    EXPECT_EQ(linesTo(ann), Lines{"CMD_playerdisconnected+1+Bob"});
}

TEST_F(Requests, RemovingASpectatorNamesItsSlot) {
    for (int i = 4; i <= 6; ++i) join("P" + std::to_string(i));
    const ConnId spy = join("Spy");
    ASSERT_EQ(server.slotOf(spy), 7);
    say(host, "CMD_kickhim+1+7+");
    EXPECT_EQ(linesTo(ann), Lines{"CMD_playerdisconnected+7+Spy"});
}

TEST_F(Requests, TheLastSpectatorSlotCanBeRemovedToo) {
    for (int i = 4; i <= 8; ++i) join("P" + std::to_string(i));
    const ConnId spy = join("Spy");
    ASSERT_EQ(server.slotOf(spy), 9);
    say(host, "CMD_kickhim+1+9+");
    EXPECT_TRUE(closed(spy));
    EXPECT_EQ(linesTo(ann), Lines{"CMD_playerdisconnected+9+Spy"});
}

TEST_F(Requests, RemoveRequestsFromAnyoneButTheHostOrOutOfRangeAreIgnored) {
    say(ann, "CMD_kickhim+2+3+");   // not the host
    say(ann, "CMD_kickhim+1+3+");   // speaking for the host
    say(host, "CMD_kickhim+1+10+");
    say(host, "CMD_kickhim+1+0+");
    say(host, "CMD_kickhim+1+-3+");
    EXPECT_TRUE(ports.events.empty());
    EXPECT_TRUE(server.player(3).active);
    say(host, "CMD_kickhim+1+x+");
    EXPECT_TRUE(ports.events.empty());
    EXPECT_NE(ports.logs.back().find("'x' is not a valid integer value"), std::string::npos);
}

TEST_F(Requests, ChatAndActionAreRelayedToAllWithTheSendersName) {
    say(ann, "CMD_chat+2+a+b|c|clBlack");
    say(ann, "CMD_action+2+ says: hi|$00FF00FF");
    const Lines want{"CMD_chat+2+Ann chats: a+b|c|clBlack", "CMD_action+2+Ann  says: hi|$00FF00FF"};
    EXPECT_EQ(linesTo(host), want);
    EXPECT_EQ(linesTo(ann), want);
    EXPECT_EQ(linesTo(cid), want);
}

TEST_F(Requests, ARelayThatTheNameWouldPushPastTheLineCapIsNotSent) {
    const std::string fits(net::kMaxLineBytes - std::string("CMD_chat+2+Ann chats: ").size(), 'x');
    say(ann, "CMD_chat+2+" + fits);
    ASSERT_EQ(linesTo(host).size(), 1u);
    EXPECT_EQ(linesTo(host)[0].size(), net::kMaxLineBytes);
    clear();
    say(ann, "CMD_chat+2+" + fits + "x");  // the request itself is under the cap
    EXPECT_TRUE(ports.events.empty());
    EXPECT_NE(ports.logs.back().find("ignored CMD_chat from slot 2"), std::string::npos);
}

TEST_F(Requests, SoundIsRelayedWithTheRestUnread) {
    say(cid, "CMD_playasound+3+wave7+");
    EXPECT_EQ(linesTo(host), Lines{"CMD_playasound+3+wave7+"});
    EXPECT_EQ(linesTo(cid), Lines{"CMD_playasound+3+wave7+"});
}

TEST_F(Requests, RelaysSpeakingForAnotherSlotOrWithoutANumberSendNothing) {
    say(ann, "CMD_chat+1+I am Bob|clBlack");
    say(ann, "CMD_action+3+x|clBlack");
    say(ann, "CMD_playasound+1+wave1+");
    say(ann, "CMD_chat+9+x|clBlack");
    EXPECT_TRUE(ports.events.empty());
    say(ann, "CMD_chat+two+x|clBlack");
    say(ann, "CMD_chat+2");  // no "+" after the sender: an empty sender field
    EXPECT_TRUE(ports.events.empty());
    ASSERT_EQ(ports.logs.size(), 2u);
    EXPECT_NE(ports.logs[0].find("'two' is not a valid integer value"), std::string::npos);
    EXPECT_NE(ports.logs[1].find("'' is not a valid integer value"), std::string::npos);
}

TEST_F(Requests, JustWatchFlagsOneAndTwoAreAnnouncedAnythingElseIgnored) {
    say(ann, "CMD_justwatch+2+1");
    EXPECT_TRUE(server.player(2).watching);
    EXPECT_EQ(linesTo(host), Lines{"CMD_justwatching+2+1"});
    clear();
    say(ann, "CMD_justwatch+2+2");
    EXPECT_FALSE(server.player(2).watching);
    EXPECT_EQ(linesTo(cid), Lines{"CMD_justwatching+2+2"});
    clear();
    say(ann, "CMD_justwatch+2+1+");
    say(ann, "CMD_justwatch+2+3");
    say(ann, "CMD_justwatch+2+");
    EXPECT_TRUE(ports.events.empty());
    EXPECT_FALSE(server.player(2).watching);
}

TEST_F(Requests, JustWatchForAnotherSeatOnlyFromTheHost) {
    say(ann, "CMD_justwatch+3+1");
    EXPECT_TRUE(ports.events.empty());
    EXPECT_FALSE(server.player(3).watching);
    say(host, "CMD_justwatch+3+1");
    EXPECT_TRUE(server.player(3).watching);
    EXPECT_EQ(linesTo(ann), Lines{"CMD_justwatching+3+1"});
    clear();
    say(host, "CMD_justwatch+7+1");  // spectators have no seat
    say(host, "CMD_justwatch+0+1");
    say(host, "CMD_justwatch+10+1");
    EXPECT_TRUE(ports.events.empty());
}

TEST_F(Requests, GameStartFromAnyoneButTheHostOrWithMarksOutOfRangeIsIgnored) {
    say(ann, "CMD_startgame+Ann+5+");
    say(host, "CMD_startgame+Bob+2+");
    say(host, "CMD_startgame+Bob+11+");
    say(host, "CMD_startgame+Bob+five+");
    EXPECT_TRUE(ports.events.empty());
    EXPECT_FALSE(server.gamestarted());
    say(host, "CMD_startgame+Bob+10+");
    EXPECT_TRUE(server.gamestarted());
    EXPECT_EQ(linesTo(ann).front(), "CMD_startgame+Bob+10+");
}

} // namespace
} // namespace tc::server::test
