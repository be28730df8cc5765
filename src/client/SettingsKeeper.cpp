#include "client/SettingsKeeper.h"

#include "net/Text.h"

#include "store/SettingsFile.h"

namespace tc::client {

std::optional<store::ClientSettings> SettingsKeeper::read() {
    if (!file_) return std::nullopt;
    file_->setAsideIfUnreadable();
    tellMovedAside();
    file_->reload();
    store::ClientSettings s = store::readClientSettings(file_->ini());
    saved_ = s.place;
    read_ = true;
    return s;
}

void SettingsKeeper::save(const store::SavedSettings& s, std::string_view key) {
    if (!file_) return;
    write(read_ ? store::settingsToWrite(s) : store::settingToWrite(s, key), store::SettingsFile::kSection);
}

void SettingsKeeper::saveAtClose(store::SavedSettings s, int workAreaWidth, int workAreaHeight) {
    // Before the settings were read the window shows its built-in place,
    // which must not replace the player's.
    if (!file_ || !read_) return;
    const auto place = store::placeToSaveAtClose(s.place, saved_, workAreaWidth, workAreaHeight);
    if (!place) return;
    saved_ = *place;
    s.place = *place;
    write(store::settingsToWrite(s), store::SettingsFile::kSection);
}

void SettingsKeeper::savePhrases(const store::KeyValues& phrases) {
    if (file_) write(phrases, store::kPhraseSection);
}

void SettingsKeeper::saveOwnKeys(const store::KeyValues& keys) {
    if (file_) write(keys, store::SettingsFile::kSection);
}

void SettingsKeeper::write(const store::KeyValues& keys, std::string_view section) {
    const bool ok = file_->write(keys, section);
    tellMovedAside();
    // The values stay in effect; the player hears once that they will not last.
    if (ok || failureTold_) return;
    failureTold_ = true;
    tell_("0+" + net::fillText(net::translate("Session", "Your settings cannot be saved in %1 (%2). They last until the game is closed."),
                               {file_->path(), file_->lastError()}));
}

void SettingsKeeper::tellMovedAside() {
    const std::string moved = file_->takeMovedAside();
    if (!moved.empty())
        tell_("0+" + net::fillText(net::translate("Session", "Your settings file could not be read and was kept as %1; the settings start afresh."), {moved}));
}

} // namespace tc::client
