// The expert computer player on the server: a whole game of computer-played
// seats, every move checked against the table.
#include <algorithm>

#include "ServerFixture.h"
#include "game/ExpertPlayer.h"
#include "net/Fields.h"

namespace tc::server::test {
namespace {

using game::ExpertTable;
using game::TileMask;

class ExpertRudi : public ServerFixture {
protected:
    struct Counts {
        int moves = 0, aimed = 0, aimedOtherwise = 0, rounds = 0;
    };
    void playWholeGame(std::uint32_t seed, Counts& counts);
};

// Seats 1 and 3 are people who just watch, seat 2 is empty: the computer
// plays every turn.
void ExpertRudi::playWholeGame(std::uint32_t seed, Counts& counts) {
    const ConnId bob = join("Bob");
    const ConnId ann = join("Ann");
    const ConnId cid = join("Cid");
    server.connectionClosed(ann);  // seat 2 is the computer's
    server.setRudi(game::Rudi::Expert);
    rng.setSeed(seed);
    say(bob, "CMD_startgame+Bob+10+");
    // Both people hand their seats to the computer; whichever is on turn
    // has it move at once with the pending roll.
    say(bob, "CMD_justwatch+1+1");
    say(cid, "CMD_justwatch+3+1");
    for (int i = 0; i < 200000 && server.gamestarted(); ++i) server.pauseTick();
    ASSERT_FALSE(server.gamestarted()) << "no winner";

    // Replays what Bob was sent. The order is 1, 2, 3; once seat 1 has had
    // a turn, seat 2 aims at seat 1's score and seat 3 at the lower of the
    // two before it.
    const ExpertTable& table = ExpertTable::get();
    int seat = 0, total = 0;
    auto& [moves, aimed, aimedOtherwise, rounds] = counts;
    TileMask open = game::kAllTiles;
    bool seatOnePlayed = false;
    int score[4] = {0, 0, 0, 0};
    for (const std::string& line : linesTo(bob)) {
        std::string keyword, data;
        ASSERT_TRUE(net::splitKey(line, keyword, data)) << line;
        net::FieldReader r(data);
        if (keyword == "CMD_nextplayer") {
            seat = net::toInt(data);
            open = game::kAllTiles;
            seatOnePlayed = seatOnePlayed || seat == 1;
        } else if (keyword == "CMD_placedice") {
            r.positional();
            total = r.positionalInt();
            r.positional();
            total += r.positionalInt();
        } else if (keyword == "CMD_closeit") {
            TileMask move = 0;
            for (const auto& t : net::readList(r.rest())) move |= TileMask(1u << (std::stoi(t) - 1));
            const bool aiming = seat > 1 && seatOnePlayed;
            const int limit = seat == 3 ? std::min(score[1], score[2]) : score[1];
            const TileMask expected = aiming ? table.reach(open, total, limit) : table.lowest(open, total);
            ASSERT_EQ(game::maskText(move), game::maskText(expected))
                << "seat " << seat << " tiles " << game::maskText(open) << " roll " << total << " move " << moves;
            if (aiming) {
                ++aimed;
                aimedOtherwise += expected != table.lowest(open, total);
            }
            open &= TileMask(~move);
            ++moves;
        } else if (keyword == "CMD_scores") {
            const int s = r.positionalInt();
            score[s] = r.positionalInt();
            EXPECT_EQ(score[s], game::maskSum(open));
        } else if (keyword == "CMD_roundwinner") {
            ++rounds;
        }
    }
    server.connectionClosed(bob);
    server.connectionClosed(cid);
}

TEST_F(ExpertRudi, EveryMoveOfWholeGamesIsTheTablesChoice) {
    EXPECT_EQ(server.rudi(), game::Rudi::Classic);  // unless chosen
    Counts counts;
    for (std::uint32_t seed : {20261207u, 1u, 77u, 4242u, 99999u, 31337u}) {
        playWholeGame(seed, counts);
        if (HasFatalFailure()) return;
    }
    EXPECT_GE(counts.rounds, 60);
    EXPECT_GT(counts.aimed, 1000);
    // The aim at a score made shows: some moves differ from the lowest-score ones.
    EXPECT_GT(counts.aimedOtherwise, 0) << counts.aimed << " " << counts.moves << " " << counts.rounds;
}

} // namespace
} // namespace tc::server::test
