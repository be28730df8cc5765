#pragma once
// The expert computer player: the best move for every set of open tiles and
// every dice total, worked out exactly, backwards from the end of a turn.
//
// Two aims. Lowest: the smallest expected round score. Reach a limit: the
// greatest chance of ending the turn at or below the lowest score the seats
// before it made in the round (a tie gains a Mark too). The tables are
// built once, on first use, in about a millisecond; a decision is a look-up.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/Rules.h"

namespace tc::game {

// Open tiles as bits: bit i set means tile i + 1 is open.
using TileMask = std::uint16_t;
inline constexpr TileMask kAllTiles = 0x1FF;
inline constexpr int kMaskCount = 512;
// The highest round score: nothing shut.
inline constexpr int kMaxRoundScore = 45;

// Tiles whose state is not "o" (the same reading as the round score).
TileMask openMask(const Tiles& tiles);
// Sum of the tile numbers in `mask`.
int maskSum(TileMask mask);
// The tiles of `mask` as a close request writes them after the seat: "+1+2+4".
std::string maskText(TileMask mask);

// Chance of each dice total 0..12 with two dice (0 below 2).
double totalChance(int total);

class ExpertTable {
public:
    // The program's one table, built on first use; thread-safe.
    static const ExpertTable& get();
    // Builds a fresh table (the benchmark times this).
    ExpertTable();

    // The tiles to shut for the smallest expected round score; 0 when the
    // total cannot be made from `open` or lies outside 2..12.
    TileMask lowest(TileMask open, int total) const { return at(lowest_, open, total); }
    // Expected round score from `open` before the next roll, playing best.
    double expected(TileMask open) const { return expected_[open & kAllTiles]; }
    // Expected round score once `total` is rolled on `open` and the best
    // move for it is played (the open sum when there is none).
    double expectedAfter(TileMask open, int total) const;

    // The tiles to shut for the greatest chance of a round score at or
    // below `limit`; among moves equally good for that, the one with the
    // lower expected score. A limit of 45 or more constrains nothing and
    // gives `lowest`; a negative limit is treated as 0.
    TileMask reach(TileMask open, int total, int limit) const;
    // Chance of ending at or below `limit` from `open` before the next roll,
    // playing `reach`.
    double chance(TileMask open, int limit) const;

private:
    using Moves = std::array<std::array<TileMask, 13>, kMaskCount>;
    static TileMask at(const Moves& moves, TileMask open, int total) {
        return total < 2 || total > 12 ? TileMask{0} : moves[open & kAllTiles][static_cast<std::size_t>(total)];
    }
    static int clampLimit(int limit) { return limit < 0 ? 0 : limit; }

    Moves lowest_{};
    std::array<double, kMaskCount> expected_{};
    // Per limit 0..44.
    std::vector<Moves> reach_;
    std::vector<std::array<double, kMaskCount>> chance_;
};

} // namespace tc::game
