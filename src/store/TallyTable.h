#pragma once
// The tally of finished games: 9 columns of decimal text, row 0 the local
// player's own counters (1 games, 2 wins, 3 turns that shut all nine tiles,
// 4 unused), rows 1..n one tallied opponent each (0 name, 1..4 games, his
// wins, own wins, somebody else's wins over all time, 5..8 the same for
// this program session). Qt-free; the tally window shows it.
//
// Text form: the column count, the row count, then every cell column by
// column (column 0 rows 0..n, column 1 ...), one per line, lines ended by
// CR LF.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tc::store {

class TallyTable {
public:
    static constexpr int kColumns = 9;
    // More opponents than anybody follows; a file claiming more is damaged.
    static constexpr std::size_t kMaxRows = 100000;

    // One own row, every cell "0".
    TallyTable();

    int rowCount() const { return static_cast<int>(rows_.size()); }
    // "" outside the table.
    const std::string& cell(int column, int row) const;
    // Names of the tallied opponents, in row order (row = index + 1).
    std::vector<std::string> tallied() const;
    // The row of a tallied opponent, letter case ignored; 0 when not tallied.
    int findTallied(std::string_view name) const;

    // addtomineincrease: one more in own column 1..4; returns the new value.
    long long addToMineIncrease(int column);
    // addit: one more in a cell; an empty or unreadable cell counts as 0.
    long long addit(int column, int row);
    // addgame: counts one finished game for the own row and for every
    // tallied opponent among `currentGame` (each once). `winner` is the
    // name shown for the winning seat; `localWon` says the local player won.
    void addGame(const std::vector<std::string>& currentGame, const std::string& winner, bool localWon);
    // Starts tallying `name` (control characters become spaces). False
    // when that name is tallied already or the table is full.
    bool addOpponent(std::string_view name);
    // moverow: removes opponent row `row` (1..n); the rows below move up.
    void moverow(int row);
    // Every opponent gone, every own counter 0.
    void reset();
    // Session columns 5..8 of every opponent back to "0".
    void startSession();

    std::string toText() const;
    // Reads the text form (CR LF or LF). Refuses, with a reason, a column
    // count other than 9, a row count of 0 or over kMaxRows, and a number of
    // lines that does not fit the counts; `out` is left alone then.
    static bool fromText(std::string_view text, TallyTable& out, std::string& error);

    // A name as it is stored: CR, LF and other control characters replaced
    // by spaces, so every cell stays one line.
    static std::string cleanName(std::string_view name);
    // Case-insensitive for ASCII and Latin-1 letters; other bytes exact.
    static bool sameNameIgnoringCase(std::string_view a, std::string_view b);
    // loadchecklist: the names of seats 1..6 (`seatNames[0]` is seat 1)
    // except the own seat, empty seats ("<Waiting>") and empty names.
    static std::vector<std::string> currentGameList(const std::vector<std::string>& seatNames, int ownSeat);

private:
    using Row = std::array<std::string, kColumns>;
    static Row zeroRow();
    std::vector<Row> rows_;
};

} // namespace tc::store
