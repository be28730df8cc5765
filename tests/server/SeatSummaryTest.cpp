// What the server tells the network about its seats: counted after each
// input, reported only when it changed.
#include "ServerFixture.h"

namespace tc::server::test {
namespace {

struct SeatSummaries : ServerFixture {
    std::vector<SeatSummary> seen;
    void SetUp() override {
        server.setSeatObserver([this](const SeatSummary& s) { seen.push_back(s); });
    }
};

TEST_F(SeatSummaries, LoginsAndLeavesOfSeatsAreCountedSpectatorsAreNot) {
    EXPECT_EQ(server.seatSummary(), (SeatSummary{0, 6, false}));
    const ConnId a = connect();
    // Held but not logged in: no longer free, not yet a player.
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.back(), (SeatSummary{0, 5, false}));
    say(a, "CMD_logininfo+1+1.0.3+Ann");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen.back(), (SeatSummary{1, 5, false}));

    std::vector<ConnId> more;
    for (int i = 0; i < 6; ++i) more.push_back(join("P" + std::to_string(i)));
    // Five more seats and one spectator (slot 7).
    EXPECT_EQ(server.seatSummary(), (SeatSummary{6, 0, false}));
    const std::size_t before = seen.size();
    server.connectionClosed(more[5]);  // the spectator leaves
    EXPECT_EQ(seen.size(), before);
    server.connectionClosed(more[1]);  // seat 3
    EXPECT_EQ(seen.back(), (SeatSummary{5, 1, false}));
}

TEST_F(SeatSummaries, GameStartIsRunningAndChatChangesNothing) {
    const ConnId host = join("Ann");
    seen.clear();
    say(host, "CMD_chat+1+hello|clBlack");
    EXPECT_TRUE(seen.empty());
    say(host, "CMD_startgame+Ann+5+");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.back(), (SeatSummary{1, 5, true}));
    // Turns and pauses go on without a new report.
    ticks(10);
    EXPECT_EQ(seen.size(), 1u);
    // A refused start (marks out of range) leaves the game as it was.
    say(host, "CMD_startgame+Ann+2+");
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(SeatSummaries, AWinEndsTheRunningGame) {
    const ConnId host = join("Ann");
    say(host, "CMD_startgame+Ann+3+");
    ASSERT_TRUE(server.seatSummary().running);
    // With the host just watching, the computer plays both seats to a win.
    say(host, "CMD_justwatch+1+1");
    for (int i = 0; i < 2000 && server.gamestarted(); ++i) ticks(1);
    ASSERT_FALSE(server.gamestarted());
    EXPECT_EQ(seen.back(), (SeatSummary{1, 5, false}));
}

} // namespace
} // namespace tc::server::test
