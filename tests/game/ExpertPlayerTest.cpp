#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "game/ComputerPlayer.h"
#include "game/ExpertPlayer.h"

using namespace tc::game;

namespace {

// A second, deliberately plain working-out of the same game: open tiles as
// a sorted list, moves found by searching subsets, results remembered by
// list. It shares nothing with the production tables.
using Open = std::vector<int>;

void movesOf(const Open& open, std::size_t from, int left, Open& picked, std::vector<Open>& out) {
    if (left == 0) {
        out.push_back(picked);
        return;
    }
    for (std::size_t i = from; i < open.size() && open[i] <= left; ++i) {
        picked.push_back(open[i]);
        movesOf(open, i + 1, left - open[i], picked, out);
        picked.pop_back();
    }
}

std::vector<Open> movesOf(const Open& open, int total) {
    std::vector<Open> out;
    Open picked;
    movesOf(open, 0, total, picked, out);
    return out;
}

Open without(const Open& open, const Open& move) {
    Open rest;
    for (int t : open)
        if (std::find(move.begin(), move.end(), t) == move.end()) rest.push_back(t);
    return rest;
}

int sumOf(const Open& open) {
    int s = 0;
    for (int t : open) s += t;
    return s;
}

double ways(int total) {
    int n = 0;
    for (int a = 1; a <= 6; ++a)
        for (int b = 1; b <= 6; ++b) n += a + b == total;
    return n;
}

// Playing best from `open`: with limit < 0 the expected round score (lower
// is better), else the chance of a score at or below the limit (higher is).
double plainValue(const Open& open, int limit) {
    static std::map<std::pair<Open, int>, double> memo;
    if (open.empty()) return limit < 0 ? 0.0 : 1.0;
    if (auto it = memo.find({open, limit}); it != memo.end()) return it->second;
    const double stuck = limit < 0 ? sumOf(open) : (sumOf(open) <= limit ? 1.0 : 0.0);
    double value = 0.0;
    for (int total = 2; total <= 12; ++total) {
        double best = stuck;
        bool any = false;
        for (const Open& m : movesOf(open, total)) {
            const double v = plainValue(without(open, m), limit);
            if (!any || (limit < 0 ? v < best : v > best)) best = v;
            any = true;
        }
        value += ways(total) / 36.0 * best;
    }
    return memo[{open, limit}] = value;
}
double plainExpected(const Open& open) { return plainValue(open, -1); }
double plainChance(const Open& open, int limit) { return plainValue(open, limit); }

TileMask maskOf(const Open& open) {
    TileMask m = 0;
    for (int t : open) m |= TileMask(1u << (t - 1));
    return m;
}

Open openOf(TileMask mask) {
    Open o;
    for (int t = 1; t <= 9; ++t)
        if (mask & (1u << (t - 1))) o.push_back(t);
    return o;
}

Tiles tilesOf(TileMask mask) {
    Tiles t;
    for (int i = 0; i < 9; ++i) t[static_cast<std::size_t>(i)] = (mask >> i & 1) ? "u" : "o";
    return t;
}

const Open kAll{1, 2, 3, 4, 5, 6, 7, 8, 9};

} // namespace

TEST(ExpertPlayer, ExpectedScoresMatchThePlainWorkingOut) {
    const ExpertTable& table = ExpertTable::get();
    EXPECT_NEAR(plainExpected(kAll), 11.1575084442, 1e-9);
    EXPECT_NEAR(table.expected(kAllTiles), plainExpected(kAll), 1e-9);
    // The best any play can do at shutting all nine: 7.14%.
    EXPECT_NEAR(table.chance(kAllTiles, 0), 0.0714316223, 1e-9);
    for (unsigned m = 0; m < 512; ++m) {
        ASSERT_NEAR(table.expected(TileMask(m)), plainExpected(openOf(TileMask(m))), 1e-9) << m;
        ASSERT_NEAR(table.chance(TileMask(m), 9), plainChance(openOf(TileMask(m)), 9), 1e-9) << m;
    }
    EXPECT_EQ(table.chance(0x1, 45), 1.0);
    EXPECT_EQ(table.chance(0x1, -3), table.chance(0x1, 0));
}

TEST(ExpertPlayer, NamedPositions) {
    struct Case {
        Open open;
        int total;
        std::string lowest;  // worked out by hand from the plain recursion's values
    };
    const Case cases[] = {
        {{1, 2, 4, 7}, 7, "+7"},                    // leaves 1, 2, 4 (3.82) rather than 7 (5.83)
        {{2, 4, 6}, 6, "+6"},                       // Classic plays 2 and 4
        {{1, 2, 4, 5, 6}, 12, "+2+4+6"},            // Classic plays 1, 2, 4 and 5
        {{1, 2, 3, 4, 5}, 8, "+3+5"},
        {kAll, 6, "+6"},                            // Classic plays 2 and 4
        {kAll, 12, "+3+9"},
    };
    const ExpertTable& table = ExpertTable::get();
    for (const Case& c : cases) {
        const TileMask open = maskOf(c.open);
        const TileMask move = table.lowest(open, c.total);
        EXPECT_EQ(maskText(move), c.lowest) << maskText(open) << " roll " << c.total;
        // Strictly better than every other move by the plain values.
        const double chosen = plainExpected(without(c.open, openOf(move)));
        for (const Open& m : movesOf(c.open, c.total)) {
            if (maskOf(m) != move) { EXPECT_LT(chosen, plainExpected(without(c.open, m)) - 1e-6); }
        }
        EXPECT_NEAR(table.expectedAfter(open, c.total), chosen, 1e-9);
        EXPECT_EQ(chooseMove(Rudi::Expert, c.total, tilesOf(open)), c.lowest);
    }
    // Where only a tie counts, aims change: to end at 0, keep the small tiles.
    EXPECT_EQ(maskText(table.reach(maskOf({1, 2, 3, 4, 6}), 7, 0)), "+1+6");
    EXPECT_EQ(maskText(table.lowest(maskOf({1, 2, 3, 4, 6}), 7)), "+3+4");
    EXPECT_EQ(chooseMove(Rudi::Expert, 7, tilesOf(maskOf({1, 2, 3, 4, 6})), 0), "+1+6");
    EXPECT_EQ(chooseMove(Rudi::Expert, 12, tilesOf(maskOf({1, 2, 4, 5, 6})), 0), "+1+5+6");
    // A limit nothing can miss leaves the lowest-score move.
    EXPECT_EQ(chooseMove(Rudi::Expert, 12, tilesOf(maskOf({1, 2, 4, 5, 6})), 45), "+2+4+6");
}

TEST(ExpertPlayer, EveryMoveIsLegalAndBestForItsAim) {
    const ExpertTable& table = ExpertTable::get();
    for (unsigned m = 0; m < 512; ++m) {
        const TileMask open = TileMask(m);
        const Open o = openOf(open);
        for (int total = 0; total <= 14; ++total) {
            const bool exists = total >= 2 && total <= 12 && canmaketotal("o", tilesOf(open), total);
            for (int limit : {kNoLimit, 0, 3, 11, 30, 45}) {
                const TileMask move = limit == kNoLimit ? table.lowest(open, total) : table.reach(open, total, limit);
                if (!exists) {
                    ASSERT_EQ(move, 0) << m << " roll " << total;
                    continue;
                }
                // Open tiles only, adding up to the roll.
                ASSERT_EQ(move & ~open, 0) << m << " roll " << total;
                ASSERT_EQ(maskSum(move), total) << m << " roll " << total;
                const Open rest = without(o, openOf(move));
                if (limit == kNoLimit || limit >= 45) {
                    for (const Open& other : movesOf(o, total))
                        ASSERT_LE(plainExpected(rest), plainExpected(without(o, other)) + 1e-9) << m << " roll " << total;
                } else {
                    for (const Open& other : movesOf(o, total))
                        ASSERT_GE(plainChance(rest, limit), plainChance(without(o, other), limit) - 1e-9)
                            << m << " roll " << total << " limit " << limit;
                }
            }
            // The server's form: seat first, and nothing when there is no move.
            const std::string text = moveText(Rudi::Expert, 3, total / 2, total - total / 2, tilesOf(open));
            EXPECT_EQ(text.empty(), !exists);
            if (exists) { EXPECT_EQ(text, "3" + maskText(table.lowest(open, total))); }
        }
    }
}

TEST(ExpertPlayer, ClassicStaysTheFixedTable) {
    for (unsigned m = 0; m < 512; ++m)
        for (int total = 0; total <= 14; ++total)
            for (int limit : {kNoLimit, 0, 20})
                ASSERT_EQ(chooseMove(Rudi::Classic, total, tilesOf(TileMask(m)), limit), cgetdice(total, tilesOf(TileMask(m))));
    EXPECT_EQ(moveText(Rudi::Classic, 2, 3, 3, tilesOf(maskOf({2, 4, 6}))), "2+2+4");
    EXPECT_EQ(moveText(Rudi::Expert, 2, 3, 3, tilesOf(maskOf({2, 4, 6}))), "2+6");
}

TEST(ExpertPlayer, NamesAndMasks) {
    EXPECT_EQ(parseRudi("classic"), Rudi::Classic);
    EXPECT_EQ(parseRudi("expert"), Rudi::Expert);
    EXPECT_FALSE(parseRudi("Expert").has_value());
    EXPECT_FALSE(parseRudi("").has_value());
    EXPECT_FALSE(parseRudi("expert ").has_value());
    EXPECT_STREQ(rudiName(Rudi::Classic), "classic");
    EXPECT_STREQ(rudiName(Rudi::Expert), "expert");

    Tiles t = tilesOf(maskOf({1, 5, 9}));
    EXPECT_EQ(openMask(t), maskOf({1, 5, 9}));
    t[1] = "d";  // selected on a table, not yet shut: still open for the score
    EXPECT_EQ(openMask(t), maskOf({1, 2, 5, 9}));
    EXPECT_EQ(chooseMove(Rudi::Expert, 2, t), "");  // but not the computer's to play
    EXPECT_EQ(maskText(0), "");
}
