#pragma once
// When the window's settings reach the file, and what the player is told
// about the file. Before the file was read (a failed join, say) a menu
// writes only the key it changed, so the built-in values never replace the
// player's; afterwards every save writes the whole set. A save that fails,
// and a damaged file moved aside, are told once each as a system line.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "store/ClientSettings.h"

namespace tc::store {
class SettingsFile;
}

namespace tc::client {

class SettingsKeeper {
public:
    // `tell` posts one system line ("0+...") in the chat.
    explicit SettingsKeeper(std::function<void(const std::string&)> tell) : tell_(std::move(tell)) {}

    void setFile(store::SettingsFile* file) { file_ = file; }
    store::SettingsFile* file() const { return file_; }

    // loadinifile: the file read again and checked; nothing without a file.
    // A file that cannot be read is moved aside (and told) at once.
    std::optional<store::ClientSettings> read();
    bool wasRead() const { return read_; }

    // saveinifile after the menu item of `key` changed it.
    void save(const store::SavedSettings& s, std::string_view key);
    // FormClose: the place, when it changed since it was read or saved.
    void saveAtClose(store::SavedSettings s, int workAreaWidth, int workAreaHeight);
    // The phrase editor's Done.
    void savePhrases(const store::KeyValues& phrases);
    // Keys of the section that are written alone whenever they change.
    void saveOwnKeys(const store::KeyValues& keys);

private:
    void write(const store::KeyValues& keys, std::string_view section);
    void tellMovedAside();

    std::function<void(const std::string&)> tell_;
    store::SettingsFile* file_ = nullptr;
    bool read_ = false;
    store::WindowPlace saved_;  // savedleft .. savedheight, once read
    bool failureTold_ = false;
};

} // namespace tc::client
