#include <gtest/gtest.h>

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
    // 0xFFFFFFFF * 134775813 + 1 wraps to 0xF7F7F7FC... computed in 64 bits
    const std::uint32_t next = static_cast<std::uint32_t>(0xFFFFFFFFull * 134775813ull + 1ull);
    const int expected = static_cast<int>((static_cast<std::uint64_t>(next) * 26u) >> 32);
    EXPECT_EQ(g.draw(26), expected);
    EXPECT_EQ(g.seed(), next);
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
