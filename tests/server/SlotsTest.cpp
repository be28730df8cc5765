// Connections and seats: slots, login, catch-up, release, input bounds.
#include "ServerFixture.h"

namespace tc::server::test {
namespace {

using Lines = std::vector<std::string>;

using Slots = ServerFixture;

TEST_F(Slots, FirstConnectionIsTheHostAndEachIsToldItsSlotInOneMessage) {
    const ConnId a = connect();
    const ConnId b = connect();
    ASSERT_EQ(ports.events.size(), 2u);
    EXPECT_EQ(ports.events[0].conn, a);
    EXPECT_EQ(ports.events[0].bytes, std::string("CMD_sendlogininfo+1\xFF"));
    EXPECT_EQ(ports.events[1].conn, b);
    EXPECT_EQ(ports.events[1].bytes, std::string("CMD_sendlogininfo+2\xFF"));
    EXPECT_TRUE(server.player(1).active);
    EXPECT_EQ(server.player(1).name, "");
    EXPECT_EQ(server.playercount(), 2);
}

TEST_F(Slots, FreedSlotsAreReusedLowestFirstAndPlayercountNeverShrinks) {
    std::vector<ConnId> c;
    for (int i = 0; i < 4; ++i) c.push_back(connect(machine(i)));
    server.connectionClosed(c[2]);  // slot 3
    server.connectionClosed(c[0]);  // slot 1
    EXPECT_EQ(server.playercount(), 4);
    const ConnId n1 = connect(machine(4));
    const ConnId n2 = connect(machine(5));
    const ConnId n3 = connect(machine(6));
    EXPECT_EQ(server.slotOf(n1), 1);
    EXPECT_EQ(server.slotOf(n2), 3);
    EXPECT_EQ(server.slotOf(n3), 5);
    EXPECT_EQ(server.playercount(), 5);
}

TEST_F(Slots, TenthConnectionIsRefusedWithFullAndClosedThenAFreedSlotIsReused) {
    std::vector<ConnId> c;
    for (int i = 1; i <= 9; ++i) c.push_back(join("P" + std::to_string(i)));
    EXPECT_EQ(server.slotOf(c[6]), 7);  // the seventh is a spectator
    clear();
    const ConnId tenth = connect("10.0.0.9:1");
    ASSERT_EQ(ports.events.size(), 2u);
    EXPECT_EQ(ports.events[0].kind, PortEvent::Send);
    EXPECT_EQ(ports.events[0].conn, tenth);
    EXPECT_EQ(ports.events[0].bytes, std::string("CMD_full+\xFF", 10));
    EXPECT_EQ(ports.events[1].kind, PortEvent::Close);
    EXPECT_EQ(ports.events[1].conn, tenth);
    EXPECT_EQ(server.slotOf(tenth), 0);
    EXPECT_EQ(server.playercount(), 9);
    // Bytes or a close report from the refused connection change nothing.
    clear();
    say(tenth, "CMD_chat+1+hello|clBlack");
    server.connectionClosed(tenth);
    EXPECT_TRUE(ports.events.empty());

    server.connectionClosed(c[4]);
    const ConnId again = connect();
    EXPECT_EQ(server.slotOf(again), 5);
}

TEST_F(Slots, JoinDuringAGameSendsNewplayerExistingGamestatsAndScores) {
    const ConnId bob = join("Bob");
    const ConnId cid = join("Cid");
    steerStart(3, 0, 4, 6);  // two seats held: a draw over 0..2, landing on 0 -> seat 1
    say(bob, "CMD_startgame+Bob+5+");
    say(cid, "CMD_justwatch+2+1");
    clear();

    const ConnId ann = connect();
    EXPECT_EQ(linesTo(ann), Lines{"CMD_sendlogininfo+3"});
    clear();
    say(ann, "CMD_logininfo+3+1.0.3+Ann");
    // The client's name carries its own 0xFF, so an empty line follows.
    say(ann, "");
    EXPECT_EQ(linesTo(bob), Lines{"CMD_newplayerinfo+3+Ann+0"});
    EXPECT_EQ(linesTo(cid), Lines{"CMD_newplayerinfo+3+Ann+0"});
    // Scores of 50 (not played yet) are told as 0.
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_newplayerinfo+3+Ann+0", "CMD_existingplayers+1+Bob+0+2+Cid+1",
                                   "CMD_gamestats+1+4+6+5+",
                                   "CMD_updatescores+1+0+0+2+0+0+3+0+0+4+0+0+5+0+0+6+0+0"}));
    EXPECT_EQ(server.player(3).name, "Ann");
}

TEST_F(Slots, LoginWithoutAGameSendsNoCatchUpAndTheFirstPlayerGetsNoExistingList) {
    const ConnId a = connect();
    say(a, "CMD_logininfo+1+1.0.3+Bob");
    EXPECT_EQ(linesTo(a), (Lines{"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+Bob+0"}));
}

TEST_F(Slots, WrongVersionIsToldToHostAndNewcomerWhoStaysLoggedIn) {
    const ConnId host = join("Bob");
    const ConnId ann = connect();
    clear();
    say(ann, "CMD_logininfo+2+1.0.2+Ann");
    EXPECT_EQ(linesTo(host), (Lines{"CMD_newplayerinfo+2+Ann+0", "CMD_havewrongversion+Ann"}));
    EXPECT_EQ(linesTo(ann),
              (Lines{"CMD_newplayerinfo+2+Ann+0", "CMD_existingplayers+1+Bob+0", "CMD_wrongversion+"}));
    EXPECT_TRUE(server.player(2).loggedin);
    EXPECT_FALSE(closed(ann));
}

TEST_F(Slots, WrongVersionWithoutAHostGoesToTheNewcomerOnly) {
    const ConnId host = connect();
    const ConnId ann = connect();
    server.connectionClosed(host);
    clear();
    say(ann, "CMD_logininfo+2+1.0.3 +Ann");  // versions compare exactly
    EXPECT_EQ(linesTo(ann), (Lines{"CMD_newplayerinfo+2+Ann+0", "CMD_wrongversion+"}));
}

TEST_F(Slots, LoginNamesAreCleanedTrimmedAndCapped) {
    EXPECT_EQ(TServer::cleanName("  A+n|n  ", 3), "Ann");
    EXPECT_EQ(TServer::cleanName(" +|  ", 4), "Player4");
    EXPECT_EQ(TServer::cleanName("", 1), "Player1");
    EXPECT_EQ(TServer::cleanName(std::string(40, 'x'), 2), std::string(32, 'x'));
    // Exactly at the limit the name is kept whole; one byte more is cut.
    const std::string limit = std::string(31, 'x') + "y";
    EXPECT_EQ(TServer::cleanName(limit, 2), limit);
    EXPECT_EQ(TServer::cleanName(" " + limit + " ", 2), limit);
    EXPECT_EQ(TServer::cleanName(limit + "z", 2), limit);
    // Cutting at 32 must not leave a trailing space.
    EXPECT_EQ(TServer::cleanName(std::string(31, 'x') + "  yz", 2), std::string(31, 'x'));
    EXPECT_EQ(TServer::cleanName("Zo\xEB", 2), "Zo\xEB");  // Windows-1252 letters stay

    const ConnId a = connect();
    say(a, "CMD_logininfo+1+1.0.3+ Ann+Lee|clRed ");
    EXPECT_EQ(server.player(1).name, "AnnLeeclRed");
    EXPECT_EQ(linesTo(a).back(), "CMD_newplayerinfo+1+AnnLeeclRed+0");
}

TEST_F(Slots, LoginForAnotherSlotOrASecondLoginIsIgnored) {
    const ConnId a = join("Bob");
    const ConnId b = connect();
    clear();
    say(b, "CMD_logininfo+1+1.0.3+Mallory");  // claims the host's slot
    say(b, "CMD_logininfo+12+1.0.3+Mallory");
    EXPECT_TRUE(ports.events.empty());
    EXPECT_EQ(server.player(1).name, "Bob");
    say(a, "CMD_logininfo+1+1.0.3+Robert");  // no renaming once logged in
    EXPECT_TRUE(ports.events.empty());
    EXPECT_EQ(server.player(1).name, "Bob");
    say(b, "CMD_logininfo+x+1.0.3+Ann");
    ASSERT_FALSE(ports.logs.empty());
    EXPECT_NE(ports.logs.back().find("'x' is not a valid integer value"), std::string::npos);
    EXPECT_FALSE(server.player(2).loggedin);
}

TEST_F(Slots, ReleaseTellsTheOthersOnceHoweverManyCloseReportsArrive) {
    const ConnId a = join("Bob");
    const ConnId b = join("Ann");
    const ConnId c = join("Cid");
    server.connectionClosed(b);
    server.connectionClosed(b);
    EXPECT_EQ(linesTo(a), Lines{"CMD_playerdisconnected+2+Ann"});
    EXPECT_EQ(linesTo(c), Lines{"CMD_playerdisconnected+2+Ann"});
    EXPECT_TRUE(linesTo(b).empty());
    EXPECT_FALSE(server.player(2).active);
    EXPECT_EQ(server.player(2).name, "");
    EXPECT_EQ(server.player(2).conn, ConnId{0});  // a free slot names no connection
    // Bytes after the end are ignored.
    clear();
    say(b, "CMD_chat+2+late|clBlack");
    EXPECT_TRUE(ports.events.empty());
}

TEST_F(Slots, ANewcomerInAWatchedSeatPlaysItHimself) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    say(ann, "CMD_justwatch+2+1");
    server.connectionClosed(ann);
    const ConnId cid = connect();
    ASSERT_EQ(server.slotOf(cid), 2);
    clear();
    say(cid, "CMD_logininfo+2+1.0.3+Cid");
    EXPECT_EQ(linesTo(host), Lines{"CMD_newplayerinfo+2+Cid+0"});
    EXPECT_EQ(linesTo(cid), (Lines{"CMD_newplayerinfo+2+Cid+0", "CMD_existingplayers+1+Bob+0"}));
    EXPECT_FALSE(server.player(2).watching);
    // A spectator's record has no seat to watch from; a seat left without
    // a login keeps its flag for whoever logs in.
    say(host, "CMD_justwatch+2+1");
    server.connectionClosed(cid);
    const ConnId dan = connect();
    EXPECT_TRUE(server.player(2).watching);
    say(dan, "CMD_logininfo+2+1.0.3+Dan");
    EXPECT_FALSE(server.player(2).watching);
}

TEST_F(Slots, SplitReadsAndSeveralLinesInOneReadAreHandledInOrder) {
    const ConnId a = join("Bob");
    server.bytesArrived(a, "CMD_chat+1+o");
    EXPECT_TRUE(ports.events.empty());
    server.bytesArrived(a, "ne|clBlack\xFF" "CMD_action+1+waves|clRed\xFF" "CMD_cha");
    server.bytesArrived(a, "t+1+two|clBlack\xFF");
    EXPECT_EQ(linesTo(a), (Lines{"CMD_chat+1+Bob chats: one|clBlack", "CMD_action+1+Bob waves|clRed",
                                 "CMD_chat+1+Bob chats: two|clBlack"}));
}

TEST_F(Slots, EmptyUnknownAndKeylessLinesAreIgnored) {
    const ConnId a = join("Bob");
    say(a, "");
    say(a, "CMD_chat");
    say(a, "+1+x");
    say(a, "CMD_Chat+1+x|clBlack");
    say(a, "CMD_nosuch+1+");
    EXPECT_TRUE(ports.events.empty());
    EXPECT_FALSE(closed(a));
}

TEST_F(Slots, AnOverlongLineIsDroppedAndTheConnectionGoesOn) {
    const ConnId a = join("Bob");
    const ConnId b = join("Ann");
    clear();
    // A pasted 20 KiB paragraph, in pieces as a socket delivers it, between
    // two ordinary lines.
    const std::string big = "CMD_chat+2+" + std::string(20 * 1024, 'p') + "|clBlack";
    server.bytesArrived(b, "CMD_chat+2+before|clBlack\xFF" + big.substr(0, 9000));
    server.bytesArrived(b, big.substr(9000, 9000));
    server.bytesArrived(b, big.substr(18000) + "\xFF" "CMD_chat+2+after|clBlack\xFF");
    EXPECT_EQ(linesTo(a), (Lines{"CMD_chat+2+Ann chats: before|clBlack", "CMD_chat+2+Ann chats: after|clBlack"}));
    EXPECT_FALSE(closed(b));
    EXPECT_TRUE(server.player(2).active);
    EXPECT_EQ(ports.logs, Lines{"dropped 1 line longer than 8192 bytes from slot 2 (Ann)"});
    // An unended tail over the cap is skipped up to the next 0xFF.
    clear();
    server.bytesArrived(b, std::string(net::kMaxLineBytes + 1, 'y'));
    server.bytesArrived(b, std::string(100, 'y') + "\xFF" "CMD_action+2+waves|clRed\xFF");
    EXPECT_EQ(linesTo(a), Lines{"CMD_action+2+Ann waves|clRed"});
    EXPECT_EQ(ports.logs.size(), 1u);
}

TEST_F(Slots, AMebibyteWithoutALineEndClosesTheConnection) {
    const ConnId a = join("Bob");
    const ConnId b = join("Ann");
    const std::string chunk(64 * 1024, 'y');
    for (std::size_t sent = 0; sent < net::kMaxRunBytes; sent += chunk.size()) server.bytesArrived(b, chunk);
    EXPECT_FALSE(closed(b));  // exactly 1 MiB is still sat through
    server.bytesArrived(b, "y");
    EXPECT_TRUE(closed(b));
    EXPECT_FALSE(server.player(2).active);
    EXPECT_EQ(linesTo(a), Lines{"CMD_playerdisconnected+2+Ann"});
    EXPECT_EQ(ports.logs.back(), "close slot 2 (Ann): over 1048576 bytes without a line end");
    // The host's own report of the close comes later and changes nothing.
    clear();
    server.connectionClosed(b);
    EXPECT_TRUE(ports.events.empty());
}

} // namespace
} // namespace tc::server::test
