#include "chat/ChatterSounds.h"

namespace tc::chat {

const std::array<ChatterSound, 21> kChatterSounds = {{
    {"Cancel1", 0, "<Cancel>"},
    {"wave1", 1, "Doh"},
    {"wave2", 2, "Cough"},
    {"wave3", 3, "Hello"},
    {"wave4", 4, "Thank You"},
    {"wave5", 5, "Where have you been?"},
    {"wave6", 6, "Snoring"},
    {"wave7", 7, "Sneezing"},
    {"wave8", 8, "Sorry"},
    {"wave9", 9, "Welcome"},
    {"wave10", 10, "Yeehaa"},
    {"wave11", 11, "Yippee"},
    {"wave12", 12, "Oh No"},
    {"wave13", 13, "Applause"},
    {"wave14", 14, "Honk"},
    {"wave15", 15, "Oooh"},
    {"wave16", 16, "Razzberry"},
    {"wave17", 17, "Cheer"},
    {"wave18", 18, "Woman Laughing"},
    {"wave19", 19, "Man Laughing"},
    {"wave20", 20, "Crying"},
}};

namespace {
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}
} // namespace

std::optional<std::string> chatterSoundText(std::string_view soundName) {
    for (const ChatterSound& s : kChatterSounds)
        if (sameName(s.item, soundName)) return std::string(s.text);
    return std::nullopt;
}

} // namespace tc::chat
