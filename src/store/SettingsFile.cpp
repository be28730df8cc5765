#include "store/SettingsFile.h"

#include "store/AtomicFile.h"

namespace tc::store {

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) { reload(); }

void SettingsFile::reload() {
    std::string bytes;
    ini_ = readWholeFile(path_, kMaxBytes, bytes) == ReadStatus::Ok ? IniFile(bytes) : IniFile();
}

void SettingsFile::setAsideIfUnreadable() {
    std::string bytes;
    const ReadStatus status = readWholeFile(path_, kMaxBytes, bytes);
    if (status == ReadStatus::TooLarge || status == ReadStatus::Failed) movedAside_ = moveAside(path_, ".damaged");
}

bool SettingsFile::write(const std::vector<std::pair<std::string, std::string>>& keys,
                         std::string_view section) {
    std::string bytes;
    IniFile current;
    switch (readWholeFile(path_, kMaxBytes, bytes)) {
    case ReadStatus::Ok:
        current = IniFile(bytes);
        break;
    case ReadStatus::Missing:
        break;
    case ReadStatus::TooLarge:
    case ReadStatus::Failed:
        // Not ours to overwrite: keep it under another name and start anew.
        movedAside_ = moveAside(path_, ".damaged");
        if (movedAside_.empty()) {
            error_ = "cannot move the unreadable settings file aside";
            for (const auto& [key, value] : keys) ini_.writeString(section, key, value);
            return false;
        }
        break;
    }
    for (const auto& [key, value] : keys) current.writeString(section, key, value);
    ini_ = current;
    return writeFileAtomically(path_, current.bytes(), error_);
}

} // namespace tc::store
