#include "store/TallyTable.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "net/Text.h"

namespace tc::store {
namespace {

const std::string kNone;

long long counterValue(const std::string& cell) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), v);
    // Only an edited file holds anything else; it counts on from 0.
    if (ec != std::errc() || end != cell.data() + cell.size() || v < 0) return 0;
    return v;
}

// ASCII letters, and the two-byte UTF-8 forms of the Latin-1 capitals
// (U+00C0..U+00DE but U+00D7), folded to lower case.
std::string folded(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (b >= 'A' && b <= 'Z') {
            out[i] = static_cast<char>(b + 32);
        } else if (b == 0xC3 && i + 1 < out.size()) {
            const auto c = static_cast<unsigned char>(out[i + 1]);
            if (c >= 0x80 && c <= 0x9E && c != 0x97) out[i + 1] = static_cast<char>(c + 0x20);
            ++i;
        }
    }
    return out;
}

} // namespace

TallyTable::Row TallyTable::zeroRow() {
    Row r;
    r.fill("0");
    return r;
}

TallyTable::TallyTable() : rows_{zeroRow()} {}

const std::string& TallyTable::cell(int column, int row) const {
    if (column < 0 || column >= kColumns || row < 0 || row >= rowCount()) return kNone;
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

std::vector<std::string> TallyTable::tallied() const {
    std::vector<std::string> names;
    for (std::size_t r = 1; r < rows_.size(); ++r) names.push_back(rows_[r][0]);
    return names;
}

int TallyTable::findTallied(std::string_view name) const {
    const std::string wanted = folded(name);
    for (std::size_t r = 1; r < rows_.size(); ++r)
        if (folded(rows_[r][0]) == wanted) return static_cast<int>(r);
    return 0;
}

long long TallyTable::addToMineIncrease(int column) {
    if (column < 1 || column > 4) return 0;
    return addit(column, 0);
}

long long TallyTable::addit(int column, int row) {
    if (column < 1 || column >= kColumns || row < 0 || row >= rowCount()) return 0;
    std::string& c = rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    long long v = counterValue(c);
    if (v < std::numeric_limits<long long>::max()) ++v;
    c = std::to_string(v);
    return v;
}

void TallyTable::addGame(const std::vector<std::string>& currentGame, const std::string& winner, bool localWon) {
    addToMineIncrease(1);
    if (localWon) addToMineIncrease(2);
    std::vector<int> counted;
    for (const std::string& name : currentGame) {
        const int r = findTallied(name);
        // Two seats may show the same name; the opponent played one game.
        if (r == 0 || std::find(counted.begin(), counted.end(), r) != counted.end()) continue;
        counted.push_back(r);
        Row& row = rows_[static_cast<std::size_t>(r)];
        for (int c = 1; c < kColumns; ++c)
            if (row[static_cast<std::size_t>(c)].empty()) row[static_cast<std::size_t>(c)] = "0";
        addit(1, r);
        addit(5, r);
        // The flag first: an opponent of the same name as the local player
        // did not win this game.
        const int column = localWon ? 3 : row[0] == winner ? 2 : 4;
        addit(column, r);
        addit(column + 4, r);
    }
}

bool TallyTable::addOpponent(std::string_view name) {
    const std::string clean = cleanName(name);
    if (findTallied(clean) != 0 || rows_.size() >= kMaxRows) return false;
    Row r = zeroRow();
    r[0] = clean;
    rows_.push_back(std::move(r));
    return true;
}

void TallyTable::moverow(int row) {
    if (row < 1 || row >= rowCount()) return;
    rows_.erase(rows_.begin() + row);
}

void TallyTable::reset() { rows_.assign(1, zeroRow()); }

void TallyTable::startSession() {
    for (std::size_t r = 1; r < rows_.size(); ++r)
        for (std::size_t c = 5; c < kColumns; ++c) rows_[r][c] = "0";
}

std::string TallyTable::toText() const {
    std::string out = std::to_string(kColumns) + "\r\n" + std::to_string(rows_.size()) + "\r\n";
    for (std::size_t c = 0; c < kColumns; ++c)
        for (const Row& r : rows_) {
            out += r[c];
            out += "\r\n";
        }
    return out;
}

bool TallyTable::fromText(std::string_view text, TallyTable& out, std::string& error) {
    std::vector<std::string_view> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        const bool last = end == std::string_view::npos;
        if (last) end = text.size();
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        // Each line is at least one byte, so this stays within the text.
        if (lines.size() > 2 + kColumns * kMaxRows) {
            error = net::translate("TallyFile", "the tally has more lines than any tally holds");
            return false;
        }
        at = last ? text.size() : end + 1;
    }
    auto number = [](std::string_view s, std::size_t& v) {
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        return ec == std::errc() && end == s.data() + s.size();
    };
    std::size_t columns = 0, rows = 0;
    if (lines.size() < 2 || !number(lines[0], columns) || columns != kColumns) {
        error = net::translate("TallyFile", "the tally's column count is not 9");
        return false;
    }
    if (!number(lines[1], rows) || rows < 1 || rows > kMaxRows) {
        error = net::translate("TallyFile", "the tally's row count is not a number from 1 to 100000");
        return false;
    }
    if (lines.size() != 2 + kColumns * rows) {
        error = net::translate("TallyFile", "the tally's cells do not fit its row count");
        return false;
    }
    std::vector<Row> table(rows);
    std::size_t line = 2;
    for (std::size_t c = 0; c < kColumns; ++c)
        for (std::size_t r = 0; r < rows; ++r) table[r][c] = cleanName(lines[line++]);
    out.rows_ = std::move(table);
    return true;
}

std::string TallyTable::cleanName(std::string_view name) {
    std::string out(name);
    for (char& ch : out) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b == 0x7F) ch = ' ';
    }
    return out;
}

bool TallyTable::sameNameIgnoringCase(std::string_view a, std::string_view b) { return folded(a) == folded(b); }

std::vector<std::string> TallyTable::currentGameList(const std::vector<std::string>& seatNames, int ownSeat) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < seatNames.size() && i < 6; ++i) {
        const std::string& n = seatNames[i];
        if (static_cast<int>(i) + 1 == ownSeat || n == "<Waiting>" || n.empty()) continue;
        names.push_back(n);
    }
    return names;
}

} // namespace tc::store
