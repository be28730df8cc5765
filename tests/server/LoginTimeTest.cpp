// Connections that never log in: closed after the login time, or at once
// when what they send is plainly not this protocol, so they cannot hold seats.
#include "ServerFixture.h"

namespace tc::server::test {
namespace {

using Lines = std::vector<std::string>;

using LoginTime = ServerFixture;

TEST_F(LoginTime, ASilentConnectionIsClosedFifteenSecondsAfterItArrivedWithOneLogLine) {
    const ConnId host = join("Bob");
    now = 5'000;
    const ConnId silent = connect("10.0.0.7:5000");
    now = 9'000;
    const ConnId late = connect();  // slot 3, logs in just in time
    clear();
    now = 19'999;
    server.checkLogins();
    EXPECT_TRUE(ports.events.empty());
    now = 20'000;  // 15 s since the silent one arrived, 11 s since the late one
    server.checkLogins();
    EXPECT_TRUE(closed(silent));
    EXPECT_FALSE(closed(late));
    EXPECT_EQ(ports.logs, Lines{"close slot 2: no login within 15 s"});
    // The table never heard of it, so it hears nothing of its end.
    EXPECT_TRUE(linesTo(host).empty());
    EXPECT_TRUE(linesTo(late).empty());
    EXPECT_FALSE(server.player(2).active);
    now = 23'999;
    say(late, "CMD_logininfo+3+1.0.3+Cid");
    // The ones logged in stay however long they sit; the host's later close
    // report about the silent one changes nothing.
    clear();
    now = 1'000'000;
    server.checkLogins();
    server.connectionClosed(silent);
    EXPECT_TRUE(ports.events.empty());
    EXPECT_TRUE(server.player(1).active);
    EXPECT_TRUE(server.player(3).active);
}

TEST_F(LoginTime, EightSilentConnectionsNoLongerKeepARealPlayerOut) {
    const ConnId host = join("Bob");
    std::vector<ConnId> silent;
    for (int i = 0; i < 8; ++i) silent.push_back(connect(machine(i)));
    // Not full: the strangers' slots free up, so it may try again.
    const ConnId refused = connect(machine(8));
    EXPECT_TRUE(linesTo(refused).empty());
    EXPECT_TRUE(closed(refused));
    now = 15'000;
    clear();
    server.checkLogins();
    for (ConnId c : silent) EXPECT_TRUE(closed(c));
    EXPECT_EQ(ports.logs.size(), 8u);
    EXPECT_EQ(ports.logs.front(), "close slot 2: no login within 15 s");
    EXPECT_EQ(ports.logs.back(), "close slot 9: no login within 15 s");
    EXPECT_TRUE(linesTo(host).empty());
    clear();
    const ConnId ann = connect();
    EXPECT_EQ(linesTo(ann), Lines{"CMD_sendlogininfo+2"});
    say(ann, "CMD_logininfo+2+1.0.3+Ann");
    EXPECT_EQ(server.player(2).name, "Ann");
}

TEST_F(LoginTime, FourLinesThatAreNoLoginCloseAtOnceAndWhatFollowsIsNotHandled) {
    const ConnId host = join("Bob");
    const ConnId junk = connect();
    clear();
    say(junk, "GET / HTTP/1.1");
    say(junk, "");
    say(junk, "CMD_logininfo+1+1.0.3+Mallory");  // another slot's login is no login
    EXPECT_FALSE(closed(junk));
    server.bytesArrived(junk, "CMD_chat+2+x\xFF" "CMD_logininfo+2+1.0.3+Eve\xFF");
    EXPECT_TRUE(closed(junk));
    EXPECT_EQ(ports.logs.back(), "close slot 2: no login after 4 other lines");
    EXPECT_EQ(server.player(2).name, "");
    EXPECT_FALSE(server.player(2).active);
    // A stranger says nothing to the table, and its end is not told.
    EXPECT_TRUE(linesTo(host).empty());
}

TEST_F(LoginTime, AFewLinesBeforeALoginAndAnyNumberAfterItAreKept) {
    join("Bob");
    const ConnId ann = connect();
    say(ann, "");
    say(ann, "");
    say(ann, "CMD_nosuch+");
    say(ann, "CMD_logininfo+2+1.0.3+Ann");
    for (int i = 0; i < 20; ++i) say(ann, "CMD_nosuch+");
    now = 60'000;
    server.checkLogins();
    EXPECT_FALSE(closed(ann));
    EXPECT_EQ(server.player(2).name, "Ann");
}

TEST_F(LoginTime, EightKibibytesWithoutALoginAreSatThroughOneMoreByteIsNot) {
    const ConnId host = join("Bob");
    const ConnId junk = connect();
    server.bytesArrived(junk, std::string(kJunkBytesBeforeLogin - 1, 'j'));
    server.bytesArrived(junk, "j");
    EXPECT_FALSE(closed(junk));
    server.bytesArrived(junk, "j");
    EXPECT_TRUE(closed(junk));
    EXPECT_EQ(ports.logs.back(), "close slot 2: no login after 8193 bytes");
    // A logged-in peer's long unended line is the line framer's business.
    server.bytesArrived(host, std::string(3 * kJunkBytesBeforeLogin, 'p'));
    EXPECT_FALSE(closed(host));
    // A login that arrives together with a long tail still counts.
    const ConnId ann = connect();
    server.bytesArrived(ann, "CMD_logininfo+2+1.0.3+Ann\xFF" + std::string(2 * kJunkBytesBeforeLogin, 'a'));
    EXPECT_FALSE(closed(ann));
    EXPECT_EQ(server.player(2).name, "Ann");
}

TEST_F(LoginTime, ASilentSeatTakesNoTurnAndItsCloseTellsNobody) {
    const ConnId host = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId silent = connect();
    // Three in the draw (two seats logged in and seat 2's place): 2, so the
    // turn passes on from seat 2, over the silent seat 3, to seat 1.
    steerStart(3, 2, 3, 4);
    say(host, "CMD_startgame+Bob+5+");
    ASSERT_EQ(server.currentseat(), 1);
    // It heard nothing of the game.
    EXPECT_EQ(linesTo(silent), Lines{"CMD_sendlogininfo+3"});
    // What it says reaches nobody, and it cannot play.
    clear();
    say(silent, "CMD_chat+3+hello");
    say(silent, "CMD_action+3+waves");
    say(silent, "CMD_playasound+3+wave1+");
    EXPECT_TRUE(linesTo(host).empty());
    EXPECT_TRUE(linesTo(ann).empty());
    now = 15'000;
    server.checkLogins();
    EXPECT_TRUE(closed(silent));
    EXPECT_TRUE(linesTo(host).empty());
    EXPECT_EQ(server.currentseat(), 1);
}

TEST_F(LoginTime, ALoginTimeOfZeroClosesNobodyAndAnotherTimeIsNamedInTheLog) {
    server.setLoginTimeoutMs(0);
    const ConnId a = connect();
    now = 3'600'000;
    server.checkLogins();
    EXPECT_FALSE(closed(a));
    server.setLoginTimeoutMs(2'500);
    server.checkLogins();
    EXPECT_TRUE(closed(a));
    EXPECT_EQ(ports.logs.back(), "close slot 1: no login within 2500 ms");
}

} // namespace
} // namespace tc::server::test
