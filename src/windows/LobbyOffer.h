#pragma once
// Whether a start without parameters offers the lobby download. The player
// can decline it for good ("Don't show this again"); the choice is kept in
// the settings file's section under a key of its own, written alone when it
// changes. Help > Download The Velmora Lobby still opens the window.
#include "store/ClientSettings.h"

namespace tc::store {
class SettingsFile;
}

namespace tc::windows {

struct LobbyOffer {
    // "false" turns the offer off; anything else, or no key, keeps it.
    static constexpr const char* kKey = "OfferLobby";

    static bool atStart(const store::SettingsFile& file);
    // The one key to write when the player changes it.
    static store::KeyValues key(bool atStart);
};

} // namespace tc::windows
