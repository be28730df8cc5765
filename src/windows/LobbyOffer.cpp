#include "windows/LobbyOffer.h"

#include "store/SettingsFile.h"

namespace tc::windows {

bool LobbyOffer::atStart(const store::SettingsFile& file) { return file.readString(kKey, "true") != "false"; }

store::KeyValues LobbyOffer::key(bool atStart) { return {{kKey, atStart ? "true" : "false"}}; }

} // namespace tc::windows
