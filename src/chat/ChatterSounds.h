#pragma once
// The chatter-sound menu `popup_sounds` as data: its 21 items in order, the
// number each sends and the text that is both caption and hint. Item N
// (1..20) belongs to the packaged sound "waveN".
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tc::chat {

struct ChatterSound {
    const char* item;  // the menu item's name: "Cancel1", "wave1".."wave20"
    int number;        // 0 sends nothing
    const char* text;  // caption and hint
};

extern const std::array<ChatterSound, 21> kChatterSounds;

// The hint of the menu item named like `soundName`, names compared without
// regard to case ("WAVE12" gives "Oh No"); nothing for any other name.
std::optional<std::string> chatterSoundText(std::string_view soundName);

} // namespace tc::chat
