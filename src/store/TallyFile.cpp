#include "store/TallyFile.h"

#include "store/AtomicFile.h"
#include "store/ELzrw1Exception.h"
#include "store/Tlzrw1.h"
#include "net/Cp1252.h"
#include "net/Text.h"

namespace tc::store {

bool TallyFile::decode(std::string_view packed, const std::string& name, TallyTable& out, std::string& problem) {
    try {
        const std::string text = net::cp1252ToUtf8(Tlzrw1::unpack(packed, kMaxTextBytes, name));
        std::string why;
        if (TallyTable::fromText(text, out, why)) return true;
        problem = net::fillText(net::translate("TallyFile", "%1 : %2 !"), {name, why});
    } catch (const ELzrw1Exception& e) {
        problem = e.what();
    }
    return false;
}

std::string TallyFile::encode(const TallyTable& table, const std::string& name) {
    return Tlzrw1::pack(net::utf8ToCp1252(table.toText()), name);
}

TallyFile::LoadResult TallyFile::load() {
    LoadResult result;
    std::string packed;
    const ReadStatus read = readWholeFile(path_, kMaxFileBytes, packed);
    if (read == ReadStatus::Missing) return result;
    if (read == ReadStatus::Failed) {
        keepOff_ = true;
        result.status = Loaded::Unreadable;
        result.problem = net::fillText(
            net::translate("TallyFile", "Cannot read the tally file %1; this session's games are not kept."), {path_});
        return result;
    }
    if (read == ReadStatus::TooLarge) {
        result.problem = net::fillText(net::translate("TallyFile", "%1 : the tally file is larger than any tally !"), {path_});
    } else if (decode(packed, path_, result.table, result.problem)) {
        result.table.startSession();
        result.status = Loaded::Ok;
        return result;
    }
    result.status = Loaded::Damaged;
    result.table = TallyTable();
    result.movedTo = moveAside(path_, ".damaged");
    if (result.movedTo.empty()) {
        // It stays in the way: do not replace it with what this run counts.
        keepOff_ = true;
    }
    return result;
}

bool TallyFile::save(const TallyTable& table, std::string& error) {
    if (keepOff_) {
        error = net::translate("TallyFile", "the tally file could not be read at start-up and is left alone");
        return false;
    }
    try {
        return writeFileAtomically(path_, encode(table, path_), error);
    } catch (const ELzrw1Exception& e) {
        error = e.what();
        return false;
    }
}

} // namespace tc::store
