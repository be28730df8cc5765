#include "session/RudiSettings.h"

#include "store/SettingsFile.h"

namespace tc::client {

RudiSettings RudiSettings::read(const store::SettingsFile& file) {
    RudiSettings s;
    s.rudi = game::parseRudi(file.readString(kRudiKey, "classic")).value_or(game::Rudi::Classic);
    s.showBestMove = file.readString(kShowBestMoveKey, "false") == "true";
    return s;
}

store::KeyValues RudiSettings::rudiKey(game::Rudi rudi) { return {{kRudiKey, game::rudiName(rudi)}}; }

store::KeyValues RudiSettings::showBestMoveKey(bool on) { return {{kShowBestMoveKey, on ? "true" : "false"}}; }

} // namespace tc::client
