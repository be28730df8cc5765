// tally_text: the tally's text form and its file on hostile bytes. The
// first byte picks the reading:
//   even: the rest is the text form (TallyTable::fromText);
//   odd:  the rest is a whole tally file (TallyFile::decode).
// A table that reads is then written, read again and must give the same
// text, also through the file form; the names of its first six rows, as
// seats, give a game's list, which must leave out the own seat and empty
// seats and hold only names the table finds again as tallied or not; then a
// game is counted, an opponent added and one removed, a session started
// and the table reset. Checks: 9 columns, 1..100000 rows, no cell with a
// line break, the own row's name cell untouched by counting, session
// columns 0 after a session start, one row of zeros after a reset.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "store/TallyFile.h"
#include "store/TallyTable.h"

using tc::store::TallyFile;
using tc::store::TallyTable;

namespace {

void checkShape(const TallyTable& t) {
    FUZZ_CHECK(t.rowCount() >= 1 && static_cast<std::size_t>(t.rowCount()) <= TallyTable::kMaxRows,
               std::to_string(t.rowCount()));
    for (int r = 0; r < t.rowCount(); ++r)
        for (int c = 0; c < TallyTable::kColumns; ++c)
            FUZZ_CHECK(t.cell(c, r).find_first_of("\r\n") == std::string::npos, tc::fuzz::shown(t.cell(c, r)));
}

void readsBack(const TallyTable& t) {
    TallyTable again;
    std::string error;
    FUZZ_CHECK(TallyTable::fromText(t.toText(), again, error), error);
    FUZZ_CHECK(again.toText() == t.toText(), "text form reads back different");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    TallyTable t;
    std::string error;
    const bool ok = data[0] % 2 == 0 ? TallyTable::fromText(input, t, error)
                                     : TallyFile::decode(input, "fuzz", t, error);
    if (!ok) {
        FUZZ_CHECK(!error.empty(), "refused without a reason");
        return 0;
    }
    checkShape(t);
    readsBack(t);
    // What a file gave, it packs and gives back the same; but for a "ÿ",
    // which no name from the wire holds (0xFF ends a line) and the writer
    // stores as "?".
    if (data[0] % 2 == 1 && t.toText().find("\xC3\xBF") == std::string::npos) {
        TallyTable same;
        FUZZ_CHECK(TallyFile::decode(TallyFile::encode(t, "fuzz"), "fuzz", same, error), error);
        FUZZ_CHECK(same.toText() == t.toText(), "file form reads back different");
    }
    const std::string ownName = t.cell(0, 0);
    const std::vector<std::string> names = t.tallied();
    t.addGame(names, names.empty() ? std::string() : names.front(), data[0] & 2);
    t.addOpponent(input.substr(0, 40));
    t.addToMineIncrease(3);
    t.moverow(t.rowCount() / 2);
    FUZZ_CHECK(t.cell(0, 0) == ownName, "the own row's first cell changed");
    checkShape(t);
    readsBack(t);

    // The file form: text from anywhere may lose characters once, then stays.
    TallyTable back, again;
    FUZZ_CHECK(TallyFile::decode(TallyFile::encode(t, "fuzz"), "fuzz", back, error), error);
    FUZZ_CHECK(TallyFile::decode(TallyFile::encode(back, "fuzz"), "fuzz", again, error), error);
    FUZZ_CHECK(again.toText() == back.toText(), "file form not stable");

    // The seats of a game: the first six names, the own seat left out.
    std::vector<std::string> seats;
    for (int r = 0; r < t.rowCount() && r < 6; ++r) seats.push_back(r % 3 == 2 ? "<Waiting>" : t.cell(0, r));
    const int own = data[0] / 2 % 7;
    const std::vector<std::string> game = TallyTable::currentGameList(seats, own);
    FUZZ_CHECK(game.size() <= 6, std::to_string(game.size()));
    for (const auto& n : game) {
        FUZZ_CHECK(!n.empty() && n != "<Waiting>", tc::fuzz::shown(n));
        const int r = t.findTallied(n);
        FUZZ_CHECK(r == 0 || TallyTable::sameNameIgnoringCase(t.cell(0, r), n), tc::fuzz::shown(n));
    }

    t.startSession();
    for (int r = 1; r < t.rowCount(); ++r)
        for (int c = 5; c < TallyTable::kColumns; ++c) FUZZ_CHECK(t.cell(c, r) == "0", "session not cleared");
    t.reset();
    FUZZ_CHECK(t.rowCount() == 1 && t.toText() == TallyTable().toText(), "reset left something");
    return 0;
}
