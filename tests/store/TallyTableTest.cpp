#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/TallyTable.h"

using tc::store::TallyTable;
using Names = std::vector<std::string>;

namespace {

// Cells 1..8 of a row, for compact expectations.
std::string counts(const TallyTable& t, int row) {
    std::string s;
    for (int c = 1; c < TallyTable::kColumns; ++c) s += (c > 1 ? " " : "") + t.cell(c, row);
    return s;
}

TallyTable withOpponents(const Names& names) {
    TallyTable t;
    for (const auto& n : names) EXPECT_TRUE(t.addOpponent(n));
    return t;
}

std::string lines(const Names& cells) {
    std::string s;
    for (const auto& c : cells) s += c + "\r\n";
    return s;
}

} // namespace

TEST(TallyCount, LocalWinWithTwoTalliedOpponents) {
    TallyTable t = withOpponents({"Ann", "Bob", "Cid"});
    t.addGame({"Ann", "Bob", "Dan"}, "Eve", true);
    EXPECT_EQ(counts(t, 0), "1 1 0 0 0 0 0 0");
    EXPECT_EQ(counts(t, 1), "1 0 1 0 1 0 1 0");
    EXPECT_EQ(counts(t, 2), "1 0 1 0 1 0 1 0");
    EXPECT_EQ(counts(t, 3), "0 0 0 0 0 0 0 0");  // not in the game
}

TEST(TallyCount, OpponentWinsOthersCountNeither) {
    TallyTable t = withOpponents({"Ann", "Rudi"});
    t.addGame({"Rudi", "Ann"}, "Rudi", false);
    EXPECT_EQ(counts(t, 0), "1 0 0 0 0 0 0 0");
    EXPECT_EQ(counts(t, 1), "1 0 0 1 1 0 0 1");
    EXPECT_EQ(counts(t, 2), "1 1 0 0 1 1 0 0");
    t.addToMineIncrease(3);
    t.addToMineIncrease(3);
    EXPECT_EQ(t.addToMineIncrease(1), 2);
    EXPECT_EQ(counts(t, 0), "2 0 2 0 0 0 0 0");
}

TEST(TallyCount, NamesAndTheWinner) {
    // Lookup ignores case; the winner's name is compared exactly.
    TallyTable t = withOpponents({"bob"});
    EXPECT_EQ(t.findTallied("BOB"), 1);
    EXPECT_FALSE(t.addOpponent("Bob"));
    t.addGame({"Bob"}, "Bob", false);
    EXPECT_EQ(counts(t, 1), "1 0 0 1 1 0 0 1");
    // A player called "addtomine" winning is his win, not ours.
    TallyTable a = withOpponents({"addtomine"});
    a.addGame({"addtomine"}, "addtomine", false);
    EXPECT_EQ(counts(a, 0), "1 0 0 0 0 0 0 0");
    EXPECT_EQ(counts(a, 1), "1 1 0 0 1 1 0 0");
    // An opponent with the local player's own name did not win our game.
    TallyTable s = withOpponents({"Zoë"});
    s.addGame({"ZOË"}, "Zoë", true);
    EXPECT_EQ(counts(s, 1), "1 0 1 0 1 0 1 0");
    // Two seats showing one tallied name count one game.
    s.addGame({"Zoë", "zoë"}, "Zoë", false);
    EXPECT_EQ(counts(s, 1), "2 1 1 0 2 1 1 0");
}

TEST(TallyCount, EmptyAndUnreadableCellsCountFromZero) {
    TallyTable t;
    std::string error;
    Names cells = {"9", "2", "0", "Ann", "3", "", "1", "x7", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                   "0", "0"};
    ASSERT_TRUE(TallyTable::fromText(lines(cells), t, error)) << error;
    t.addGame({"Ann"}, "Ann", false);
    EXPECT_EQ(counts(t, 1), "1 1 0 0 1 1 0 0");
    EXPECT_EQ(counts(t, 0), "4 1 0 0 0 0 0 0");
}

TEST(TallyRows, MoverowResetAndSession) {
    TallyTable t = withOpponents({"Ann", "Bob", "Cid"});
    t.addGame({"Bob"}, "Bob", false);
    t.addGame({"Cid"}, "x", true);
    t.moverow(1);  // Ann, from the middle: the rows below move up with their counts
    EXPECT_EQ(t.tallied(), (Names{"Bob", "Cid"}));
    EXPECT_EQ(counts(t, 1), "1 1 0 0 1 1 0 0");
    EXPECT_EQ(counts(t, 2), "1 0 1 0 1 0 1 0");
    t.moverow(0);  // the own row is not an opponent
    t.moverow(5);
    EXPECT_EQ(t.rowCount(), 3);
    t.startSession();
    EXPECT_EQ(counts(t, 2), "1 0 1 0 0 0 0 0");
    t.moverow(2);
    t.moverow(1);  // the last one: only the own row is left
    EXPECT_EQ(t.rowCount(), 1);
    EXPECT_EQ(counts(t, 0), "2 1 0 0 0 0 0 0");

    TallyTable r = withOpponents({"Ann"});
    r.addGame({"Ann"}, "Ann", false);
    r.reset();
    EXPECT_EQ(r.toText(), lines({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST(TallyRows, ControlCharactersInNamesBecomeSpaces) {
    TallyTable t;
    EXPECT_TRUE(t.addOpponent("Evil\r\nName\tX\x7f"));
    EXPECT_EQ(t.cell(0, 1), "Evil  Name X ");
    std::string error;
    TallyTable back;
    ASSERT_TRUE(TallyTable::fromText(t.toText(), back, error));
    EXPECT_EQ(back.tallied(), (Names{"Evil  Name X "}));
}

TEST(TallyText, OneOpponentIsTwentyLinesColumnByColumn) {
    TallyTable t = withOpponents({"Ann"});
    t.addGame({"Ann"}, "Ann", false);
    const Names expected = {"9", "2", "0", "Ann", "1", "1", "0", "1", "0", "0", "0", "0",
                            "0", "1", "0", "1", "0", "0", "0", "0"};
    EXPECT_EQ(t.toText(), lines(expected));
    TallyTable back;
    std::string error;
    ASSERT_TRUE(TallyTable::fromText(t.toText(), back, error));
    EXPECT_EQ(back.toText(), t.toText());
    // Bare LF line ends read the same.
    std::string lf = t.toText();
    std::erase(lf, '\r');
    ASSERT_TRUE(TallyTable::fromText(lf, back, error));
    EXPECT_EQ(back.toText(), t.toText());
}

TEST(TallyText, DamagedFormsAreRefused) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "the tally's column count is not 9"},
        {lines({"8", "1", "0", "0", "0", "0", "0", "0", "0", "0"}), "the tally's column count is not 9"},
        {lines({"9", "0"}), "the tally's row count is not a number from 1 to 100000"},
        {lines({"9", "100001"}), "the tally's row count is not a number from 1 to 100000"},
        {lines({"9", "-1"}), "the tally's row count is not a number from 1 to 100000"},
        {lines({"9", "99999999999999999999999"}), "the tally's row count is not a number from 1 to 100000"},
        {lines({"9x", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}), "the tally's column count is not 9"},
        {lines({"9", "1 ", "0", "0", "0", "0", "0", "0", "0", "0", "0"}),
         "the tally's row count is not a number from 1 to 100000"},
        {lines({"9", "2", "0", "0", "0", "0", "0", "0", "0", "0", "0"}), "the tally's cells do not fit its row count"},
        {lines({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "extra"}),
         "the tally's cells do not fit its row count"},
    };
    for (const auto& [text, why] : cases) {
        TallyTable t = withOpponents({"kept"});
        std::string error;
        EXPECT_FALSE(TallyTable::fromText(text, t, error)) << text;
        EXPECT_EQ(error, why) << text;
        EXPECT_EQ(t.tallied(), (Names{"kept"}));
    }
}

TEST(TallyLists, CurrentGameLeavesOutOwnAndEmptySeats) {
    const Names seats = {"Bob", "Rudi", "Me", "<Waiting>", "Ann", "<Waiting>"};
    EXPECT_EQ(TallyTable::currentGameList(seats, 3), (Names{"Bob", "Rudi", "Ann"}));
    EXPECT_EQ(TallyTable::currentGameList(seats, 7), (Names{"Bob", "Rudi", "Me", "Ann"}));
}

TEST(TallyRows, LatinCapitalsFoldUpToThornButNotTheTimesSign) {
    TallyTable t = withOpponents({"\xC3\x9E\xC3\xB3r", "a\xC3\x97", "\xC3\x80nna"});  // Þór, a×, Ànna
    EXPECT_EQ(t.findTallied("\xC3\xBE\xC3\x93R"), 1);  // þÓR
    EXPECT_EQ(t.findTallied("A\xC3\xB7"), 0);          // a÷ is no a×
    EXPECT_EQ(t.findTallied("\xC3\xA0NNA"), 3);         // àNNA
    EXPECT_FALSE(t.addOpponent("\xC3\xBE\xC3\xB3R"));
}

TEST(TallyCount, ACounterAtTheLargestNumberStaysThereAndCellsOutsideAreLeftAlone) {
    std::string text = lines({"9", "1", "0", "9223372036854775807", "0", "0", "0", "0", "0", "0", "0"});
    TallyTable t;
    std::string error;
    ASSERT_TRUE(TallyTable::fromText(text, t, error)) << error;
    EXPECT_EQ(t.addToMineIncrease(1), 9223372036854775807LL);
    EXPECT_EQ(t.cell(1, 0), "9223372036854775807");
    const std::string before = t.toText();
    for (const auto& [column, row] : {std::pair{0, 0}, {9, 0}, {1, -1}, {1, 1}, {-1, 0}}) EXPECT_EQ(t.addit(column, row), 0);
    EXPECT_EQ(t.toText(), before);
    EXPECT_EQ(t.cell(9, 0), "");
    EXPECT_EQ(t.cell(0, 1), "");
}

TEST(TallyRows, AHundredThousandRowsAreTheMost) {
    // The whole table at the cap, in its text form: the own row and 99999 opponents.
    std::string text = "9\r\n100000\r\n0\r\n";
    for (int r = 1; r < 100000; ++r) text += "n" + std::to_string(r) + "\r\n";
    for (int c = 1; c < 9; ++c)
        for (int r = 0; r < 100000; ++r) text += "0\r\n";
    TallyTable t;
    std::string error;
    ASSERT_TRUE(TallyTable::fromText(text, t, error)) << error;
    EXPECT_EQ(t.rowCount(), 100000);
    EXPECT_FALSE(t.addOpponent("one too many"));
    t.moverow(100000 - 1);
    EXPECT_TRUE(t.addOpponent("one too many"));
    EXPECT_EQ(t.rowCount(), 100000);
    EXPECT_EQ(t.findTallied("ONE TOO MANY"), 100000 - 1);
    // One line more than the cap's table has is refused before it is read on.
    TallyTable kept;
    EXPECT_FALSE(TallyTable::fromText(text + "0\r\n", kept, error));
    EXPECT_EQ(error, "the tally has more lines than any tally holds");
}
