#include <gtest/gtest.h>

#include "game/Rules.h"

using namespace tc::game;

namespace {
// Tiles with exactly the listed numbers open, all others shut.
Tiles openOnly(std::initializer_list<int> open) {
    Tiles t;
    t.fill("o");
    for (int n : open) t[n - 1] = "u";
    return t;
}
std::array<SeatResult, kSeatCount> seats(std::array<bool, 6> cand, std::array<int, 6> score) {
    std::array<SeatResult, kSeatCount> r;
    for (int i = 0; i < 6; ++i) r[i] = {cand[i], score[i]};
    return r;
}
}  // namespace

TEST(Canmaketotal, OutsideTwoToTwelveIsFalse) {
    const Tiles all = allOpen();
    EXPECT_FALSE(canmaketotal("o", all, 1));
    EXPECT_FALSE(canmaketotal("o", all, 13));
    EXPECT_FALSE(canmaketotal("o", all, 0));
    EXPECT_FALSE(canmaketotal("o", all, -4));
}

TEST(Canmaketotal, EveryTotalIsMadeFromTheFullSet) {
    for (int t = 2; t <= 12; ++t) EXPECT_TRUE(canmaketotal("o", allOpen(), t)) << t;
}

TEST(Canmaketotal, DocumentedPositions) {
    EXPECT_TRUE(canmaketotal("o", openOnly({2}), 2));
    EXPECT_FALSE(canmaketotal("o", openOnly({1, 3, 4, 5, 6, 7, 8, 9}), 2));
    EXPECT_TRUE(canmaketotal("o", openOnly({1, 2, 4}), 7));
    EXPECT_TRUE(canmaketotal("o", openOnly({1, 2, 4}), 6));
    EXPECT_FALSE(canmaketotal("o", openOnly({5, 9}), 7));
    EXPECT_FALSE(canmaketotal("o", openOnly({1}), 2));  // no tile counts twice
    EXPECT_FALSE(canmaketotal("o", openOnly({9}), 12));
    EXPECT_TRUE(canmaketotal("o", openOnly({1, 2, 4, 5}), 12));
}

TEST(Canmaketotal, SelectedTilesCountAsOpenForTheMarker) {
    Tiles t = openOnly({});
    t[3] = "d";  // tile 4 selected on a client: state differs from "o"
    EXPECT_TRUE(canmaketotal("o", t, 4));
}

TEST(Canmaketotal, AgreesWithABruteForceSubsetSearch) {
    for (unsigned mask = 0; mask < 512; ++mask) {
        Tiles t;
        for (int i = 0; i < 9; ++i) t[i] = (mask >> i & 1) ? "u" : "o";
        for (int total = 2; total <= 12; ++total) {
            bool found = false;
            for (unsigned sub = mask; sub && !found; sub = (sub - 1) & mask) {
                int sum = 0;
                for (int i = 0; i < 9; ++i)
                    if (sub >> i & 1) sum += i + 1;
                found = sum == total;
            }
            ASSERT_EQ(canmaketotal("o", t, total), found) << "mask " << mask << " total " << total;
        }
    }
}

TEST(Scores, OpenSumAndAllShut) {
    EXPECT_EQ(openSum(allOpen()), 45);
    EXPECT_EQ(openSum(openOnly({5, 9})), 14);
    EXPECT_EQ(openSum(openOnly({})), 0);
    EXPECT_TRUE(allShut(openOnly({})));
    EXPECT_FALSE(allShut(openOnly({1})));
}

TEST(ValidateClose, AcceptsTilesThatMakeTheTotal) {
    EXPECT_EQ(validateClose(allOpen(), {4, 5}, 9), CloseVerdict::Accept);
    EXPECT_EQ(validateClose(allOpen(), {1, 2, 3, 4}, 10), CloseVerdict::Accept);
}

TEST(ValidateClose, RefusesAWrongSum) {
    EXPECT_EQ(validateClose(allOpen(), {4, 5}, 8), CloseVerdict::WrongSum);
}

TEST(ValidateClose, RefusesRequestsThatDoNotBelong) {
    EXPECT_EQ(validateClose(allOpen(), {}, 0), CloseVerdict::WrongSum);        // no tile at all
    EXPECT_EQ(validateClose(allOpen(), {10}, 10), CloseVerdict::WrongSum);     // outside 1..9
    EXPECT_EQ(validateClose(allOpen(), {0, 7}, 7), CloseVerdict::WrongSum);
    EXPECT_EQ(validateClose(allOpen(), {-1, 8}, 7), CloseVerdict::WrongSum);
    EXPECT_EQ(validateClose(allOpen(), {3, 3}, 6), CloseVerdict::WrongSum);    // same tile twice
    EXPECT_EQ(validateClose(openOnly({1, 2}), {3}, 3), CloseVerdict::WrongSum); // already shut
}

TEST(RoundMarks, LowestScoreWinsAndSeatTwoIsAlwaysACandidate) {
    // Seats 1 and 3 connected, seat 2 played by the computer.
    EXPECT_EQ(roundMarks(seats({true, false, true, false, false, false}, {10, 4, 7, 0, 0, 0})),
              (std::vector<int>{2}));
}

TEST(RoundMarks, SeatOneIsProvisionalAndStrictlyLowerReplacesIt) {
    EXPECT_EQ(roundMarks(seats({true, false, true, false, false, false}, {3, 9, 3, 0, 0, 0})),
              (std::vector<int>{1, 3}));
}

TEST(RoundMarks, TiesAllGainWithTheFirstFoundFirst) {
    EXPECT_EQ(roundMarks(seats({true, true, true, true, false, true}, {12, 5, 9, 5, 0, 5})),
              (std::vector<int>{2, 4, 6}));
}

TEST(RoundMarks, EmptySeatsTakeNoPartExceptSeatTwo) {
    // Seat 5 is free with a stale score of 0: it gains nothing.
    EXPECT_EQ(roundMarks(seats({true, false, false, false, false, false}, {8, 8, 0, 0, 0, 0})),
              (std::vector<int>{1, 2}));
}

TEST(RoundMarks, AnEmptySeatOneCollectsNoMark) {
    EXPECT_EQ(roundMarks(seats({false, false, true, false, false, false}, {0, 11, 6, 0, 0, 0})),
              (std::vector<int>{3}));
    EXPECT_EQ(roundMarks(seats({false, false, true, false, false, false}, {0, 6, 6, 0, 0, 0})),
              (std::vector<int>{2, 3}));
}

TEST(RoundMarks, UnplayedFirstRoundScoreOfFiftyCannotWin) {
    EXPECT_EQ(roundMarks(seats({true, false, true, false, false, false}, {20, 30, 50, 0, 0, 0})),
              (std::vector<int>{1}));
}

TEST(Winner, NobodyBelowTheTarget) {
    EXPECT_EQ(winner({2, 1, 0, 0, 0, 0}, 3), 0);
}

TEST(Winner, SingleSeatAtTheTargetWins) {
    EXPECT_EQ(winner({3, 1, 2, 0, 0, 0}, 3), 1);
    EXPECT_EQ(winner({0, 0, 0, 0, 0, 5}, 5), 6);
}

TEST(Winner, TwoSeatsLevelAtTheTopDoNotWin) {
    EXPECT_EQ(winner({3, 3, 0, 0, 0, 0}, 3), 0);
    EXPECT_EQ(winner({4, 2, 4, 1, 0, 0}, 3), 0);
}

TEST(Winner, HighestCountWinsEvenAboveTheTarget) {
    EXPECT_EQ(winner({4, 3, 0, 0, 0, 0}, 3), 1);
    EXPECT_EQ(winner({3, 4, 3, 0, 0, 0}, 3), 2);
}

TEST(Winner, EverySeatCountsWhetherConnectedOrNot) {
    EXPECT_EQ(winner({1, 0, 0, 0, 0, 3}, 3), 6);
}
