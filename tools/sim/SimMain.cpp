// tilecrest-sim: the computer player measured with the game's own generator.
//
//   tilecrest-sim [--rudi classic|expert] [--turns N] [--seed S]
//     plays N single turns; prints how often all nine tiles were shut and
//     the mean round score.
//   tilecrest-sim --head-to-head A B [--rounds N] [--seed S] [--ignore-lowest]
//     two seats, A and B (classic or expert), play N rounds; the generator
//     draws who plays first in each round, as the server draws the first
//     seat; the lower score gains a Mark, a tie gives both one. The expert
//     playing second aims at the first seat's score, as on the server,
//     unless --ignore-lowest. Prints each seat's share of rounds with a Mark.
// Both modes also print the exact figures the counts should approach,
// worked out from the distribution of round scores each player makes.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <array>
#include <optional>
#include <vector>
#include <string>

#include "game/ComputerPlayer.h"
#include "game/ExpertPlayer.h"
#include "game/Lcg.h"
#include "game/Rules.h"

namespace {

using tc::game::Rudi;
using tc::game::TileMask;

bool parse(const char* text, unsigned long long max, unsigned long long& out) {
    if (!text || !*text) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtoull(text, &end, 10);
    return errno == 0 && *end == '\0' && text[0] != '-' && out <= max;
}

int usage() {
    std::fprintf(stderr,
                 "usage: tilecrest-sim [--rudi classic|expert] [--turns N] [--seed S]\n"
                 "       tilecrest-sim --head-to-head classic|expert classic|expert [--rounds N] [--seed S]"
                 " [--ignore-lowest]\n");
    return 2;
}

// Both players as look-ups on open-tile masks, so that millions of turns
// take seconds. The classic table is read off the production candidate
// lists once.
class Players {
public:
    Players() : expert_(tc::game::ExpertTable::get()) {
        for (int m = 0; m < tc::game::kMaskCount; ++m) {
            tc::game::Tiles tiles;
            for (int i = 0; i < tc::game::kTileCount; ++i)
                tiles[static_cast<std::size_t>(i)] = (m >> i & 1) ? "u" : "o";
            for (int total = 2; total <= 12; ++total) {
                const std::string c = tc::game::cgetdice(total, tiles);
                TileMask move = 0;
                for (std::size_t i = 1; i < c.size(); i += 2) move |= TileMask(1u << (c[i] - '1'));
                classic_[static_cast<std::size_t>(m)][static_cast<std::size_t>(total)] = move;
            }
        }
    }
    TileMask move(Rudi rudi, TileMask open, int total, int limit) const {
        if (rudi == Rudi::Classic) return classic_[open][static_cast<std::size_t>(total)];
        return limit == tc::game::kNoLimit ? expert_.lowest(open, total) : expert_.reach(open, total, limit);
    }

private:
    const tc::game::ExpertTable& expert_;
    TileMask classic_[tc::game::kMaskCount][13] = {};
};

// Chance of each round score 0..45 of a turn from all nine open.
using Distribution = std::array<double, tc::game::kMaxRoundScore + 1>;

Distribution scoreDistribution(const Players& players, Rudi rudi, int limit) {
    std::vector<Distribution> from(tc::game::kMaskCount, Distribution{});
    from[0][0] = 1.0;
    for (int m = 1; m < tc::game::kMaskCount; ++m) {
        const TileMask open = TileMask(m);
        for (int total = 2; total <= 12; ++total) {
            const double p = tc::game::totalChance(total);
            const TileMask move = players.move(rudi, open, total, limit);
            if (!move) {
                from[open][static_cast<std::size_t>(tc::game::maskSum(open))] += p;
                continue;
            }
            const Distribution& next = from[open & ~move];
            for (std::size_t x = 0; x < next.size(); ++x) from[open][x] += p * next[x];
        }
    }
    return from[tc::game::kAllTiles];
}

// One turn from all nine open to its end; returns the round score.
int playTurn(const Players& players, Rudi rudi, int limit, tc::game::Lcg& rng) {
    TileMask open = tc::game::kAllTiles;
    for (;;) {
        const int total = (rng.draw(6) + 1) + (rng.draw(6) + 1);
        const TileMask move = players.move(rudi, open, total, limit);
        if (!move) return tc::game::maskSum(open);
        open = TileMask(open & ~move);
        if (!open) return 0;
    }
}

int singleTurns(Rudi rudi, unsigned long long turns, unsigned long long seed) {
    const Players players;
    tc::game::Lcg rng(static_cast<std::uint32_t>(seed));
    unsigned long long shut = 0, scoreSum = 0, squareSum = 0;
    for (unsigned long long t = 0; t < turns; ++t) {
        const auto score = static_cast<unsigned long long>(playTurn(players, rudi, tc::game::kNoLimit, rng));
        if (score == 0) ++shut;
        scoreSum += score;
        squareSum += score * score;
    }
    const double n = static_cast<double>(turns);
    const double mean = static_cast<double>(scoreSum) / n;
    const double variance = static_cast<double>(squareSum) / n - mean * mean;
    const double shutRate = static_cast<double>(shut) / n;
    std::printf("rudi: %s\nturns: %llu\nseed: %llu\nshut all nine: %.4f%% (standard error %.4f)\n"
                "mean round score: %.4f (standard error %.4f)\n",
                tc::game::rudiName(rudi), turns, seed, 100.0 * shutRate, 100.0 * std::sqrt(shutRate * (1 - shutRate) / n),
                mean, std::sqrt(variance / n));
    const Distribution d = scoreDistribution(players, rudi, tc::game::kNoLimit);
    double exactMean = 0.0;
    for (std::size_t x = 0; x < d.size(); ++x) exactMean += static_cast<double>(x) * d[x];
    std::printf("exact: shut all nine %.4f%%, mean round score %.4f\n", 100.0 * d[0], exactMean);
    return 0;
}

int headToHead(Rudi a, Rudi b, unsigned long long rounds, unsigned long long seed, bool ignoreLowest) {
    const Players players;
    tc::game::Lcg rng(static_cast<std::uint32_t>(seed));
    const Rudi seats[2] = {a, b};
    unsigned long long marks[2] = {0, 0}, ties = 0;
    for (unsigned long long r = 0; r < rounds; ++r) {
        const int first = rng.draw(2);
        const int second = 1 - first;
        int score[2];
        score[first] = playTurn(players, seats[first], tc::game::kNoLimit, rng);
        score[second] = playTurn(players, seats[second], ignoreLowest ? tc::game::kNoLimit : score[first], rng);
        if (score[0] <= score[1]) ++marks[0];
        if (score[1] <= score[0]) ++marks[1];
        ties += score[0] == score[1];
    }
    const double n = static_cast<double>(rounds);
    std::printf("rounds: %llu\nseed: %llu\nthe expert aims at the score before his: %s\n", rounds, seed,
                ignoreLowest ? "no" : "yes");
    for (int s = 0; s < 2; ++s)
        std::printf("seat %c (%s): Mark in %.3f%% of rounds\n", 'A' + s, tc::game::rudiName(seats[s]),
                    100.0 * static_cast<double>(marks[s]) / n);
    std::printf("tied rounds: %.3f%%\n", 100.0 * static_cast<double>(ties) / n);

    // Exact: each seat first half the time; the second seat's play may
    // depend on the first seat's score.
    Distribution firstOf[2], secondOf[2][tc::game::kMaxRoundScore + 1];
    for (int s = 0; s < 2; ++s) {
        firstOf[s] = scoreDistribution(players, seats[s], tc::game::kNoLimit);
        for (int limit = 0; limit <= tc::game::kMaxRoundScore; ++limit)
            secondOf[s][limit] = seats[s] == Rudi::Expert && !ignoreLowest
                                     ? scoreDistribution(players, seats[s], limit)
                                     : firstOf[s];
    }
    double exactMarks[2] = {0, 0}, exactTies = 0;
    for (int first = 0; first < 2; ++first) {
        const int second = 1 - first;
        for (int x = 0; x <= tc::game::kMaxRoundScore; ++x)
            for (int y = 0; y <= tc::game::kMaxRoundScore; ++y) {
                const double p = 0.5 * firstOf[first][static_cast<std::size_t>(x)] *
                                 secondOf[second][x][static_cast<std::size_t>(y)];
                if (x <= y) exactMarks[first] += p;
                if (y <= x) exactMarks[second] += p;
                if (x == y) exactTies += p;
            }
    }
    std::printf("exact: seat A %.3f%%, seat B %.3f%%, tied %.3f%%\n", 100.0 * exactMarks[0], 100.0 * exactMarks[1],
                100.0 * exactTies);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    unsigned long long turns = 1000000, rounds = 1000000, seed = 1;
    Rudi rudi = Rudi::Classic;
    std::optional<Rudi> seatA, seatB;
    bool turnsGiven = false, roundsGiven = false, rudiGiven = false, ignoreLowest = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--turns") && i + 1 < argc) {
            if (!parse(argv[++i], 1000000000000ull, turns) || turns == 0) return usage();
            turnsGiven = true;
        } else if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc) {
            if (!parse(argv[++i], 1000000000000ull, rounds) || rounds == 0) return usage();
            roundsGiven = true;
        } else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) {
            if (!parse(argv[++i], 0xFFFFFFFFull, seed)) return usage();
        } else if (!std::strcmp(argv[i], "--rudi") && i + 1 < argc) {
            const auto r = tc::game::parseRudi(argv[++i]);
            if (!r) return usage();
            rudi = *r;
            rudiGiven = true;
        } else if (!std::strcmp(argv[i], "--head-to-head") && i + 2 < argc) {
            seatA = tc::game::parseRudi(argv[++i]);
            seatB = tc::game::parseRudi(argv[++i]);
            if (!seatA || !seatB) return usage();
        } else if (!std::strcmp(argv[i], "--ignore-lowest")) {
            ignoreLowest = true;
        } else {
            return usage();
        }
    }
    if (seatA) {
        if (turnsGiven || rudiGiven) return usage();
        return headToHead(*seatA, *seatB, rounds, seed, ignoreLowest);
    }
    if (roundsGiven || ignoreLowest) return usage();
    return singleTurns(rudi, turns, seed);
}
