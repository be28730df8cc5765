#include <gtest/gtest.h>

#include <vector>

#include "game/Lcg.h"

using tc::game::Lcg;

TEST(Lcg, StepAndDrawFollowTheFormula) {
    Lcg g(0);
    // seed 0 -> 1; upper 32 bits of 1 * 6 is 0
    EXPECT_EQ(g.draw(6), 0);
    EXPECT_EQ(g.seed(), 1u);
    // seed 1 -> 134775814; (134775814 * 6) >> 32 = 0
    EXPECT_EQ(g.draw(6), 0);
    EXPECT_EQ(g.seed(), 134775814u);
    g.setSeed(0xFFFFFFFFu);
    // 0xFFFFFFFF * 134775813 + 1 = 2^32 * 134775813 - 134775812, which wraps
    // to 2^32 - 134775812 = 4160191484; (4160191484 * 26) >> 32 = 25.
    EXPECT_EQ(g.draw(26), 25);
    EXPECT_EQ(g.seed(), 4160191484u);
    // Seed 12345 gives these dice (draws of 0..5) one after another.
    g.setSeed(12345);
    int dice[8];
    for (int& d : dice) d = g.draw(6);
    EXPECT_EQ(std::vector<int>(dice, dice + 8), (std::vector<int>{2, 1, 0, 3, 3, 2, 2, 0}));
    EXPECT_EQ(g.seed(), 340655249u);
}

TEST(Lcg, DrawsStayInRangeAndCoverIt) {
    Lcg g(12345);
    int seen[6] = {};
    for (int i = 0; i < 6000; ++i) {
        const int v = g.draw(6);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 6);
        ++seen[v];
    }
    for (int v : seen) EXPECT_GT(v, 800);
}

TEST(Lcg, SameSeedSameSequence) {
    Lcg a(77), b(77);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(a.draw(1000), b.draw(1000));
}

TEST(Lcg, ClockSeedIsAMillisecondOfTheDay) {
    EXPECT_LT(Lcg::seedFromClock(), 24u * 60 * 60 * 1000);
}
