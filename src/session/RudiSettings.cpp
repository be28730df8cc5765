#include "session/RudiSettings.h"

#include "store/SettingsFile.h"

namespace tc::client {

RudiSettings RudiSettings::read(const store::SettingsFile& file) {
    RudiSettings s;
    s.rudi = game::parseRudi(file.readString(kRudiKey, "classic")).value_or(game::Rudi::Classic);
    s.showBestMove = file.readString(kShowBestMoveKey, "false") == "true";
    return s;
}

bool RudiSettings::writeRudi(store::SettingsFile& file, game::Rudi rudi) {
    return file.writeString(kRudiKey, game::rudiName(rudi));
}

bool RudiSettings::writeShowBestMove(store::SettingsFile& file, bool on) {
    return file.writeString(kShowBestMoveKey, on ? "true" : "false");
}

} // namespace tc::client
