#include "store/ClientSettings.h"

#include <string_view>

#include "net/Fields.h"
#include "store/SettingsFile.h"

namespace tc::store {

namespace {

constexpr const char* kSection = SettingsFile::kSection;

int readCoordinate(const IniFile& ini, const char* key, int fallback, int low) {
    const int v = ini.readInteger(kSection, key, fallback);
    return v < low || v > kMaxCoordinate ? fallback : v;
}

// At most kMaxPhraseBytes, never ending inside a UTF-8 sequence (values
// come out of IniFile as valid UTF-8).
std::string cutPhrase(std::string text) {
    if (text.size() <= kMaxPhraseBytes) return text;
    std::size_t end = kMaxPhraseBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}

} // namespace

ClientSettings readClientSettings(const IniFile& ini) {
    ClientSettings s;
    const WindowPlace d;
    s.place.top = readCoordinate(ini, "Top", d.top, -kMaxCoordinate);
    s.place.left = readCoordinate(ini, "Left", d.left, -kMaxCoordinate);
    s.place.width = readCoordinate(ini, "Width", d.width, 1);
    s.place.height = readCoordinate(ini, "Height", d.height, 1);
    s.place.maximized = ini.readString(kSection, "Maximized", "false") == "true";

    const int size = ini.readInteger(kSection, "Textsize", kDefaultTextSize);
    s.textSize = size < kMinTextSize || size > kMaxTextSize ? kDefaultTextSize : size;

    net::Colour colour = net::kBlack;
    if (!net::textToColour(ini.readString(kSection, "Textcolor", "clblack"), colour)) colour = net::kBlack;
    s.textColour = colour;

    for (int n = 1; n <= store::kPhraseCount; ++n)
        s.phrases[static_cast<std::size_t>(n - 1)] =
            cutPhrase(ini.readString(kSection, "Phrase" + std::to_string(n), ""));

    s.playToScore.reset();
    // Read like an integer key: a "+" sign is allowed there too.
    std::string marks = ini.readString(kSection, "Playtoscore", "5");
    if (!marks.empty() && marks.front() == '+') marks.erase(0, 1);
    int m = 0;
    if (net::tryToInt(marks, m) && m >= 3 && m <= 10) s.playToScore = m;

    s.playSounds = ini.readString(kSection, "Playsounds", "true") != "false";
    s.chatterSounds = ini.readString(kSection, "ChatterSounds", "true") != "false";
    return s;
}

KeyValues settingsToWrite(const SavedSettings& s) {
    const auto flag = [](bool on) { return std::string(on ? "true" : "false"); };
    return {
        {"Textsize", std::to_string(s.textSize)},
        {"Textcolor", net::colourToText(s.textColour)},
        {"Top", std::to_string(s.place.top)},
        {"Left", std::to_string(s.place.left)},
        {"Width", std::to_string(s.place.width)},
        {"Height", std::to_string(s.place.height)},
        {"Maximized", flag(s.place.maximized)},
        {"Playtoscore", std::to_string(s.playToScore)},
        {"Playsounds", flag(s.playSounds)},
        {"ChatterSounds", flag(s.chatterSounds)},
    };
}

KeyValues settingToWrite(const SavedSettings& s, std::string_view key) {
    KeyValues out;
    for (auto& kv : settingsToWrite(s))
        if (kv.first == key) out.push_back(std::move(kv));
    return out;
}

KeyValues phrasesToWrite(const std::array<std::string, store::kPhraseCount>& phrases) {
    KeyValues out;
    for (int n = 1; n <= store::kPhraseCount; ++n)
        out.emplace_back("Phrase" + std::to_string(n), phrases[static_cast<std::size_t>(n - 1)]);
    return out;
}

std::optional<WindowPlace> placeToSaveAtClose(const WindowPlace& now, const WindowPlace& saved,
                                              int workAreaWidth, int workAreaHeight) {
    if (now == saved) return std::nullopt;
    WindowPlace p = now;
    if (p.width > workAreaWidth) p.width -= 15;
    if (p.height > workAreaHeight) p.height -= 15;
    return p;
}

} // namespace tc::store
