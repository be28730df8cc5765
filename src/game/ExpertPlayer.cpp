#include "game/ExpertPlayer.h"

#include "game/ComputerPlayer.h"

namespace tc::game {
namespace {

// Values closer than this are equal: sums of at most a few thousand
// products of multiples of 1/36 differ by far more when they really differ.
constexpr double kSame = 1e-12;

// Every move of each total, in the order the classic player tries them, so
// that among equally good moves the expert plays the familiar one.
struct MoveLists {
    std::array<std::vector<TileMask>, 13> byTotal;
    MoveLists() {
        for (int total = 2; total <= 12; ++total)
            for (const auto& text : candidates(total)) {
                TileMask m = 0;
                for (std::size_t i = 1; i < text.size(); i += 2) m |= TileMask(1u << (text[i] - '1'));
                byTotal[static_cast<std::size_t>(total)].push_back(m);
            }
    }
};

const MoveLists& moveLists() {
    static const MoveLists lists;
    return lists;
}

bool fits(TileMask move, TileMask open) { return (move & ~open & kAllTiles) == 0; }

} // namespace

TileMask openMask(const Tiles& tiles) {
    TileMask m = 0;
    for (int i = 0; i < kTileCount; ++i)
        if (tiles[static_cast<std::size_t>(i)] != "o") m |= TileMask(1u << i);
    return m;
}

int maskSum(TileMask mask) {
    int sum = 0;
    for (int i = 0; i < kTileCount; ++i)
        if (mask & (1u << i)) sum += i + 1;
    return sum;
}

std::string maskText(TileMask mask) {
    std::string text;
    for (int i = 0; i < kTileCount; ++i)
        if (mask & (1u << i)) {
            text += '+';
            text += static_cast<char>('1' + i);
        }
    return text;
}

double totalChance(int total) {
    if (total < 2 || total > 12) return 0.0;
    return (6 - (total > 7 ? total - 7 : 7 - total)) / 36.0;
}

const ExpertTable& ExpertTable::get() {
    static const ExpertTable table;
    return table;
}

ExpertTable::ExpertTable() : reach_(kMaxRoundScore), chance_(kMaxRoundScore) {
    const auto& lists = moveLists().byTotal;
    std::array<int, kMaskCount> sum{};
    for (int m = 0; m < kMaskCount; ++m) sum[m] = maskSum(TileMask(m));

    // The moves open to each position and total, found once for all aims:
    // those of (m, total) are fitting[first[i]] .. fitting[first[i + 1]] - 1,
    // i = m * 11 + total - 2.
    std::vector<TileMask> fitting;
    std::vector<std::uint16_t> first;
    fitting.reserve(4096);
    first.reserve(kMaskCount * 11 + 1);
    for (int m = 0; m < kMaskCount; ++m)
        for (int total = 2; total <= 12; ++total) {
            first.push_back(static_cast<std::uint16_t>(fitting.size()));
            for (TileMask move : lists[static_cast<std::size_t>(total)])
                if (fits(move, TileMask(m))) fitting.push_back(move);
        }
    first.push_back(static_cast<std::uint16_t>(fitting.size()));

    // A move only shuts tiles, so every position it leads to has a smaller
    // mask: ascending order meets every successor before its predecessors.
    expected_[0] = 0.0;
    for (int m = 1; m < kMaskCount; ++m) {
        const TileMask open = TileMask(m);
        double e = 0.0;
        for (int total = 2; total <= 12; ++total) {
            const std::size_t i = static_cast<std::size_t>(m * 11 + total - 2);
            TileMask best = 0;
            double bestValue = sum[m];
            for (std::size_t k = first[i]; k < first[i + 1]; ++k) {
                const double v = expected_[open & ~fitting[k]];
                if (best == 0 || v < bestValue - kSame) {
                    best = fitting[k];
                    bestValue = v;
                }
            }
            lowest_[m][static_cast<std::size_t>(total)] = best;
            e += totalChance(total) * bestValue;
        }
        expected_[m] = e;
    }

    for (int limit = 0; limit < kMaxRoundScore; ++limit) {
        auto& moves = reach_[static_cast<std::size_t>(limit)];
        auto& chance = chance_[static_cast<std::size_t>(limit)];
        for (int m = 0; m < kMaskCount; ++m) {
            // Open tiles adding up to the limit or less cannot miss it:
            // every move is as good, so the lowest-score one is played.
            if (sum[m] <= limit) {
                chance[m] = 1.0;
                moves[m] = lowest_[m];
                continue;
            }
            const TileMask open = TileMask(m);
            double c = 0.0;
            for (int total = 2; total <= 12; ++total) {
                const std::size_t i = static_cast<std::size_t>(m * 11 + total - 2);
                TileMask best = 0;
                double bestChance = 0.0;  // no move: the open sum is over the limit
                double bestExpected = 0.0;
                for (std::size_t k = first[i]; k < first[i + 1]; ++k) {
                    const TileMask next = open & ~fitting[k];
                    const double v = chance[next];
                    const double e = expected_[next];
                    if (best == 0 || v > bestChance + kSame ||
                        (v > bestChance - kSame && e < bestExpected - kSame)) {
                        best = fitting[k];
                        bestChance = v;
                        bestExpected = e;
                    }
                }
                moves[m][static_cast<std::size_t>(total)] = best;
                c += totalChance(total) * bestChance;
            }
            chance[m] = c;
        }
    }
}

double ExpertTable::expectedAfter(TileMask open, int total) const {
    open &= kAllTiles;
    const TileMask move = lowest(open, total);
    return move ? expected_[open & ~move] : static_cast<double>(maskSum(open));
}

TileMask ExpertTable::reach(TileMask open, int total, int limit) const {
    limit = clampLimit(limit);
    if (limit >= kMaxRoundScore) return lowest(open, total);
    return at(reach_[static_cast<std::size_t>(limit)], open, total);
}

double ExpertTable::chance(TileMask open, int limit) const {
    limit = clampLimit(limit);
    if (limit >= kMaxRoundScore) return 1.0;
    return chance_[static_cast<std::size_t>(limit)][open & kAllTiles];
}

} // namespace tc::game
