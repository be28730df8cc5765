#pragma once
// The settings file on disk: one INI file that other programs may share.
// Every write reads the file again, changes only the keys it is given and
// replaces the file whole, so another program's sections and anything
// changed on disk meanwhile are kept, and a crash never leaves a torn file.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/IniFile.h"

namespace tc::store {

class SettingsFile {
public:
    // Files past this size are not settings; they are moved aside before
    // the first write instead of being read or overwritten.
    static constexpr std::size_t kMaxBytes = 16u << 20;
    // This program's section.
    static constexpr const char* kSection = "Tilecrest";

    // Reads `path` now; a missing, unreadable or oversized file reads as empty.
    explicit SettingsFile(std::string path);

    const std::string& path() const { return path_; }
    // Reads the file again, as the constructor does.
    void reload();
    // What was last read or written.
    const IniFile& ini() const { return ini_; }
    std::string readString(std::string_view key, std::string_view fallback) const {
        return ini_.readString(kSection, key, fallback);
    }
    int readInteger(std::string_view key, int fallback) const {
        return ini_.readInteger(kSection, key, fallback);
    }

    // Reads the file again, sets these keys of `section` and writes it.
    // On failure the file on disk stays as it was, `lastError()` says why
    // and the result is false; the values are still kept in memory.
    bool write(const std::vector<std::pair<std::string, std::string>>& keys,
               std::string_view section = kSection);
    bool writeString(std::string_view key, std::string_view value) {
        return write({{std::string(key), std::string(value)}});
    }
    const std::string& lastError() const { return error_; }
    // Moves the file aside now when it cannot be read (too large, not a
    // file), as the next write would; takeMovedAside() tells where.
    void setAsideIfUnreadable();
    // Where a damaged or oversized file was moved by the last writes, once:
    // the next call returns "" until another file is moved aside.
    std::string takeMovedAside() { return std::exchange(movedAside_, std::string()); }

private:
    std::string path_;
    IniFile ini_;
    std::string error_;
    std::string movedAside_;
};

} // namespace tc::store
