// tally_text: the tally's text form and its file on hostile bytes. The
// first byte picks the reading:
//   even: the rest is the text form (TallyTable::fromText);
//   odd:  the rest is a whole tally file (TallyFile::decode).
// A table that reads is then written, read again and must give the same
// text; then a game is counted, an opponent added and one removed, and the
// text must still read back. Checks: 9 columns, 1..100000 rows, no cell
// with a line break, the own row's name cell untouched by counting.
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
    const std::string ownName = t.cell(0, 0);
    const std::vector<std::string> names = t.tallied();
    t.addGame(names, names.empty() ? std::string() : names.front(), data[0] & 2);
    t.addOpponent(input.substr(0, 40));
    t.addToMineIncrease(3);
    t.moverow(t.rowCount() / 2);
    FUZZ_CHECK(t.cell(0, 0) == ownName, "the own row's first cell changed");
    checkShape(t);
    readsBack(t);
    return 0;
}
