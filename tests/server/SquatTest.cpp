// One address that keeps opening connections and never logs in: it cannot
// keep players out of the slots they would have had.
#include "ServerFixture.h"

namespace tc::server::test {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kSquatter = "10.6.6.6";

class Squat : public ServerFixture {
protected:
    // One try of the squatter; the clock moves 200 ms first.
    ConnId squat() {
        now += 200;
        return connect(std::string(kSquatter) + ":" + std::to_string(50000 + ++tries));
    }
    bool sentAnything(ConnId c) const { return !linesTo(c).empty(); }
    int tries = 0;
};

TEST_F(Squat, EveryFewMomentsATryNeverALoginAndAPlayerStillGetsTheLowestFreeSlotEachTime) {
    const ConnId bob = join("Bob");
    const ConnId cid = join("Cid");  // slots 1 and 2 seated
    clear();
    std::vector<ConnId> held;
    for (int i = 0; i < 10; ++i) {
        const ConnId c = squat();
        if (server.slotOf(c) != 0) held.push_back(c);
    }
    // Two wait, in the lowest free slots; the rest were turned away without
    // a word, and the log says so once.
    ASSERT_EQ(held.size(), 2u);
    EXPECT_EQ(server.slotOf(held[0]), 3);
    EXPECT_EQ(server.slotOf(held[1]), 4);
    int quietCloses = 0;
    for (const auto& e : ports.events) quietCloses += e.kind == PortEvent::Close;
    EXPECT_EQ(quietCloses, 8);
    for (const auto& e : ports.events)
        if (e.kind == PortEvent::Send) {
            EXPECT_EQ(e.bytes.rfind("CMD_sendlogininfo+", 0), 0u) << e.bytes;
        }
    EXPECT_EQ(ports.logs, (Lines{"connect slot 3 from 10.6.6.6:50001", "connect slot 4 from 10.6.6.6:50002",
                                 "turning away connections while others wait to log in, the first from 10.6.6.6 "
                                 "(3 tries without a login)"}));
    EXPECT_TRUE(linesTo(bob).empty());
    EXPECT_TRUE(linesTo(cid).empty());

    // Twenty times a player comes, takes slot 3 from the squatter, logs in
    // and leaves again, with the squatter trying between and after.
    for (int round = 0; round < 20; ++round) {
        clear();
        const ConnId squatted = server.player(3).conn;
        ASSERT_NE(squatted, 0u) << round;
        const ConnId ann = connect("10.0.0.20:" + std::to_string(40000 + round));
        EXPECT_EQ(linesTo(ann), Lines{"CMD_sendlogininfo+3"}) << round;
        EXPECT_TRUE(closed(squatted)) << round;
        EXPECT_FALSE(sentAnything(squatted)) << round;  // no "CMD_full+", nothing
        EXPECT_EQ(ports.logs.front().rfind("close slot 3: gave way to 10.0.0.20:", 0), 0u) << ports.logs.front();
        // The squatter cannot push her out before her login.
        for (int i = 0; i < 3; ++i) {
            const ConnId c = squat();
            EXPECT_NE(server.slotOf(c), 3) << round;
        }
        EXPECT_EQ(server.slotOf(ann), 3);
        say(ann, "CMD_logininfo+3+1.0.3+Ann");
        EXPECT_EQ(server.player(3).name, "Ann");
        // The table heard of Ann only.
        EXPECT_EQ(linesTo(bob), Lines{"CMD_newplayerinfo+3+Ann+0"}) << round;
        server.connectionClosed(ann);
        // The squatter's waiting ones time out; it is back in slots 3 and 4
        // at once.
        now += kLoginMs;
        server.checkLogins();
        for (int i = 0; i < 3; ++i) squat();
        ASSERT_TRUE(server.player(3).active && !server.player(3).loggedin);
        ASSERT_TRUE(server.player(4).active && !server.player(4).loggedin);
    }
}

TEST_F(Squat, AFriendsSecondCopyBehindTheSameRouterJoinsWhileTheFirstIsSeated) {
    join("Bob");
    const ConnId ann = connect("10.0.0.20:40000");
    const ConnId annAgain = connect("10.0.0.20:40001");  // both started at once
    EXPECT_EQ(linesTo(ann), Lines{"CMD_sendlogininfo+2"});
    EXPECT_EQ(linesTo(annAgain), Lines{"CMD_sendlogininfo+3"});
    say(ann, "CMD_logininfo+2+1.0.3+Ann");
    say(annAgain, "CMD_logininfo+3+1.0.3+Ann2");
    EXPECT_EQ(server.player(3).name, "Ann2");
    clear();
    const ConnId third = connect("10.0.0.20:40002");
    EXPECT_EQ(linesTo(third), Lines{"CMD_sendlogininfo+4"});
}

TEST_F(Squat, FullIsSaidOnlyWhenEverySlotIsSeatedAndTheLastFreeOneIsTakenFromASquatter) {
    std::vector<ConnId> players;
    for (int i = 1; i <= 8; ++i) players.push_back(join("P" + std::to_string(i)));
    for (int i = 0; i < 4; ++i) squat();
    ASSERT_TRUE(server.player(9).active);
    EXPECT_FALSE(server.player(9).loggedin);
    clear();
    // The last slot is a spectator's: the squatter gives it up to Ann.
    const ConnId squatted = server.player(9).conn;
    const ConnId ann = connect("10.0.0.20:40000");
    EXPECT_EQ(linesTo(ann), Lines{"CMD_sendlogininfo+9"});
    EXPECT_TRUE(closed(squatted));
    EXPECT_FALSE(sentAnything(squatted));
    // While Ann has not logged in, a tenth is turned away without a word.
    clear();
    const ConnId early = connect("10.0.0.21:40000");
    EXPECT_TRUE(linesTo(early).empty());
    EXPECT_TRUE(closed(early));
    const ConnId squatter = squat();
    EXPECT_TRUE(linesTo(squatter).empty());
    EXPECT_TRUE(closed(squatter));
    EXPECT_EQ(server.slotOf(ann), 9);
    // Once all nine are seated, the table is full and says so.
    say(ann, "CMD_logininfo+9+1.0.3+Ann");
    clear();
    const ConnId late = connect("10.0.0.22:40000");
    EXPECT_EQ(linesTo(late), Lines{"CMD_full+"});
    EXPECT_TRUE(closed(late));
    const ConnId lateSquat = squat();
    EXPECT_EQ(linesTo(lateSquat), Lines{"CMD_full+"});
    // One log line for refusals less than 10 s apart.
    now += 9'999;
    connect("10.0.0.23:40000");
    now += 10'000;
    connect("10.0.0.24:40000");
    EXPECT_EQ(ports.logs, (Lines{"refused 10.0.0.22:40000: all nine slots in use (more within 10 s are not logged)",
                                 "refused 10.0.0.24:40000: all nine slots in use (more within 10 s are not logged)"}));
}

TEST_F(Squat, AStrangerThatLeavesOrTimesOutDoesNotLetItsAddressBackInFaster) {
    join("Bob");
    server.setLoginTimeoutMs(15'000);
    const ConnId a = squat();
    const ConnId b = squat();
    EXPECT_EQ(server.slotOf(a), 2);
    EXPECT_EQ(server.slotOf(b), 3);
    // Its connections end one way or another: its slots come free for it
    // as for anyone, and its standing still counts its tries.
    server.connectionClosed(a);
    now += 15'000;
    server.checkLogins();
    EXPECT_FALSE(server.player(3).active);
    const ConnId c = squat();
    EXPECT_EQ(server.slotOf(c), 2);
    const ConnId ann = connect("10.0.0.20:40000");
    EXPECT_EQ(server.slotOf(ann), 2);  // 3 tries against her 1: it gives way
    EXPECT_TRUE(closed(c));
}

} // namespace
} // namespace tc::server::test
