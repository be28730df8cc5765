#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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

namespace {
// The order in which the computer tries the combinations of each total.
const std::vector<std::vector<std::string>> kOrder = {
    {}, {},
    {"+2"},
    {"+3", "+1+2"},
    {"+4", "+1+3"},
    {"+5", "+1+4", "+2+3"},
    {"+2+4", "+6", "+1+5", "+1+2+3"},
    {"+7", "+1+6", "+2+5", "+3+4", "+1+2+4"},
    {"+8", "+1+7", "+2+6", "+3+5", "+1+3+4", "+1+2+5"},
    {"+9", "+1+8", "+2+7", "+3+6", "+4+5", "+1+2+6", "+1+3+5", "+2+3+4"},
    {"+1+9", "+2+8", "+3+7", "+4+6", "+1+2+7", "+1+3+6", "+1+4+5", "+1+2+3+4", "+2+3+5"},
    {"+2+9", "+3+8", "+4+7", "+5+6", "+1+2+8", "+1+3+7", "+1+4+6", "+1+2+3+5", "+2+3+6", "+2+4+5"},
    {"+3+9", "+4+8", "+5+7", "+1+2+9", "+1+2+3+6", "+1+2+4+5", "+1+3+8", "+1+4+7", "+1+5+6", "+2+3+7",
     "+2+4+6", "+3+4+5"},
};

// Tiles 1..9 open where bit (tile - 1) of `mask` is set; the rest shut.
Tiles fromMask(unsigned mask) {
    Tiles t;
    for (int i = 0; i < 9; ++i) t[static_cast<std::size_t>(i)] = (mask >> i & 1) ? "u" : "o";
    return t;
}

bool allOpenIn(const std::string& candidate, unsigned mask) {
    for (std::size_t i = 1; i < candidate.size(); i += 2)
        if (!(mask >> (candidate[i] - '1') & 1)) return false;
    return true;
}
}  // namespace

TEST(ComputerPlayer, EveryTotalTriesItsWholeListInOrderOnEveryBoard) {
    for (int total = 0; total <= 14; ++total) {
        const std::vector<std::string> none;
        const auto& expected = total < static_cast<int>(kOrder.size()) ? kOrder[static_cast<std::size_t>(total)] : none;
        EXPECT_EQ(candidates(total), expected) << "total " << total;
        // All 512 boards: the first listed combination whose tiles are all
        // open is played, or nothing.
        for (unsigned mask = 0; mask < 512; ++mask) {
            std::string first;
            for (const auto& c : expected)
                if (allOpenIn(c, mask)) { first = c; break; }
            ASSERT_EQ(cgetdice(total, fromMask(mask)), first) << "total " << total << " board " << mask;
        }
    }
    // Tiles selected on a table ("d") are not open for the computer.
    Tiles t = fromMask(0x1FF);
    t[1] = "d";
    EXPECT_EQ(cgetdice(6, t), "+6");
    EXPECT_EQ(moveText(6, 3, 3, t), "6+6");
}
