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

    // A move only shuts tiles, so every position it leads to has a smaller
    // mask: ascending order meets every successor before its predecessors.
    expected_[0] = 0.0;
    for (int m = 1; m < kMaskCount; ++m) {
        const TileMask open = TileMask(m);
        double e = 0.0;
        for (int total = 2; total <= 12; ++total) {
            TileMask best = 0;
            double bestValue = sum[m];
            for (TileMask move : lists[static_cast<std::size_t>(total)]) {
                if (!fits(move, open)) continue;
                const double v = expected_[open & ~move];
                if (best == 0 || v < bestValue - kSame) {
                    best = move;
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
        chance[0] = 1.0;
        for (int m = 1; m < kMaskCount; ++m) {
            const TileMask open = TileMask(m);
            double c = 0.0;
            for (int total = 2; total <= 12; ++total) {
                TileMask best = 0;
                double bestChance = sum[m] <= limit ? 1.0 : 0.0;
                double bestExpected = 0.0;
                for (TileMask move : lists[static_cast<std::size_t>(total)]) {
                    if (!fits(move, open)) continue;
                    const TileMask next = open & ~move;
                    const double v = chance[next];
                    const double e = expected_[next];
                    if (best == 0 || v > bestChance + kSame ||
                        (v > bestChance - kSame && e < bestExpected - kSame)) {
                        best = move;
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
