#pragma once
// The tally on disk: its text form packed in the compressed container,
// entirely in memory. Every save replaces the file whole (a new file
// renamed over the old one), so a crash or a full disk never leaves a torn
// tally. A file that cannot be read back is moved aside to
// "<file>.damaged" (".1", ".2" ... when taken), never overwritten.
#include <string>
#include <string_view>

#include "store/TallyTable.h"

namespace tc::store {

class TallyFile {
public:
    // Containers beyond these sizes are not a tally this program wrote.
    static constexpr std::size_t kMaxFileBytes = 16u << 20;
    static constexpr std::size_t kMaxTextBytes = 64u << 20;

    enum class Loaded { Missing, Ok, Damaged, Unreadable };
    struct LoadResult {
        Loaded status = Loaded::Missing;
        TallyTable table;       // empty unless Ok
        std::string problem;    // what went wrong, for the player
        std::string movedTo;    // where a damaged file went ("" if it could not move)
    };

    explicit TallyFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // Reads the tally; session columns start at 0. A damaged file is moved
    // aside. A file that exists but cannot be read (permissions) stays where
    // it is, and save() refuses from then on so it is not replaced by an
    // empty tally.
    LoadResult load();
    // Packs the table and replaces the file; false with a reason on failure
    // (the previous file is kept).
    bool save(const TallyTable& table, std::string& error);

    // The file's bytes to a table (session columns as stored) and back.
    // Names are Windows-1252 in the file, UTF-8 in the table. `name` stands
    // for the file in error texts.
    static bool decode(std::string_view packed, const std::string& name, TallyTable& out, std::string& problem);
    static std::string encode(const TallyTable& table, const std::string& name);

private:
    std::string path_;
    bool keepOff_ = false;
};

} // namespace tc::store
