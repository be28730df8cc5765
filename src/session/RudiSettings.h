#pragma once
// The host's choice of computer player and the coach's switch, remembered
// in the settings file's section under keys of their own. Each is written
// alone, when it changes, so nothing else in the section moves.
#include "game/ComputerPlayer.h"
#include "store/ClientSettings.h"

namespace tc::store {
class SettingsFile;
}

namespace tc::client {

struct RudiSettings {
    // "classic" or "expert"; anything else reads as classic.
    static constexpr const char* kRudiKey = "RudiPlays";
    // "true" or "false"; on only when exactly "true".
    static constexpr const char* kShowBestMoveKey = "ShowBestMove";

    game::Rudi rudi = game::Rudi::Classic;
    bool showBestMove = false;

    static RudiSettings read(const store::SettingsFile& file);
    // The one key to write when the choice changes.
    static store::KeyValues rudiKey(game::Rudi rudi);
    static store::KeyValues showBestMoveKey(bool on);
};

} // namespace tc::client
