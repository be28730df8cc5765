#include <gtest/gtest.h>

#include <set>

#include "game/ComputerPlayer.h"

using namespace tc::game;

namespace {
Tiles openOnly(std::initializer_list<int> open) {
    Tiles t;
    t.fill("o");
    for (int n : open) t[n - 1] = "u";
    return t;
}
}  // namespace

TEST(ComputerPlayer, DocumentedChoices) {
    EXPECT_EQ(cgetdice(6, openOnly({2, 4, 6})), "+2+4");
    EXPECT_EQ(cgetdice(6, openOnly({1, 2, 3, 6})), "+6");
    EXPECT_EQ(cgetdice(8, openOnly({1, 2, 3, 4, 5})), "+3+5");
    EXPECT_EQ(cgetdice(12, openOnly({1, 2, 5, 9})), "+1+2+9");
    EXPECT_EQ(cgetdice(12, openOnly({1, 2, 4, 5, 6})), "+1+2+4+5");
    EXPECT_EQ(cgetdice(10, openOnly({1, 2, 3, 4})), "+1+2+3+4");
    EXPECT_EQ(cgetdice(7, openOnly({5, 9})), "");
    EXPECT_EQ(cgetdice(2, openOnly({2})), "+2");
}

TEST(ComputerPlayer, MoveTextStartsWithTheSeat) {
    EXPECT_EQ(moveText(2, 3, 4, openOnly({1, 6})), "2+1+6");
    EXPECT_EQ(moveText(5, 6, 6, allOpen()), "5+3+9");
    EXPECT_EQ(moveText(2, 1, 1, openOnly({2})), "2+2");
    EXPECT_EQ(moveText(2, 3, 4, openOnly({5, 9})), "");
}

TEST(ComputerPlayer, OnlyOpenTilesArePlayable) {
    Tiles t = allOpen();
    t[5] = "d";  // anything but "u" is unavailable
    EXPECT_EQ(cgetdice(6, openOnly({1, 2, 3, 5, 6}) ), "+6");
    EXPECT_EQ(cgetdice(6, t), "+2+4");
    t[1] = "d";
    EXPECT_EQ(cgetdice(6, t), "+1+5");
}

TEST(ComputerPlayer, ListsAreExactlyTheSubsetsOfEachTotal) {
    EXPECT_TRUE(candidates(1).empty());
    EXPECT_TRUE(candidates(13).empty());
    for (int total = 2; total <= 12; ++total) {
        std::set<unsigned> listed;
        for (const auto& c : candidates(total)) {
            unsigned mask = 0;
            int sum = 0, prev = 0;
            for (std::size_t i = 1; i < c.size(); i += 2) {
                ASSERT_EQ(c[i - 1], '+');
                const int tile = c[i] - '0';
                EXPECT_GT(tile, prev) << c;  // ascending
                prev = tile;
                sum += tile;
                mask |= 1u << (tile - 1);
            }
            EXPECT_EQ(sum, total) << c;
            EXPECT_TRUE(listed.insert(mask).second) << "duplicate " << c;
        }
        std::set<unsigned> all;
        for (unsigned m = 1; m < 512; ++m) {
            int sum = 0;
            for (int i = 0; i < 9; ++i)
                if (m >> i & 1) sum += i + 1;
            if (sum == total) all.insert(m);
        }
        EXPECT_EQ(listed, all) << "total " << total;
    }
}

TEST(ComputerPlayer, FirstCandidatesInOrder) {
    EXPECT_EQ(candidates(6).front(), "+2+4");
    EXPECT_EQ(candidates(9).front(), "+9");
    EXPECT_EQ(candidates(10).front(), "+1+9");
    EXPECT_EQ(candidates(12)[4], "+1+2+3+6");
    EXPECT_EQ(candidates(11)[7], "+1+2+3+5");
    EXPECT_EQ(candidates(8)[4], "+1+3+4");
}
