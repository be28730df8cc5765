#pragma once
// The client's keys in section "Tilecrest" of the settings file: what each
// reads as, what is written back, and the checks that keep a hand-edited or
// damaged file from breaking the window. Qt-free; the window applies the
// result (and keeps the place on a screen, which only it can see).
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "net/Colour.h"
#include "store/Phrases.h"
#include "store/IniFile.h"

namespace tc::store {

// The main window's outer place and size (its frame), pixels; for a
// maximized window the place it returns to. The default width is the
// window's own minimum.
struct WindowPlace {
    int left = 3;
    int top = 3;
    int width = 717;
    int height = 555;
    bool maximized = false;  // our own key "Maximized"
    bool operator==(const WindowPlace&) const = default;
};

inline constexpr int kDefaultTextSize = 8;
inline constexpr int kMinTextSize = 6;
inline constexpr int kMaxTextSize = 72;
// A stored place beyond this (either sign) is not a place on any desktop.
inline constexpr int kMaxCoordinate = 32767;
// Longer phrases in the file are cut here (at a character's start); the
// editor itself takes far fewer.
inline constexpr std::size_t kMaxPhraseBytes = 1024;
// The phrase editor writes its keys under this spelling of the section;
// names match without regard to case, so they land in "Tilecrest".
inline constexpr const char* kPhraseSection = "tilecrest";

// Everything loadinifile applies, already checked.
struct ClientSettings {
    WindowPlace place;
    int textSize = kDefaultTextSize;
    net::Colour textColour = net::kBlack;
    // Empty: the button keeps the phrase it has.
    std::array<std::string, store::kPhraseCount> phrases;
    // Nothing: the Marks spinner is left as it is.
    std::optional<int> playToScore = 5;
    bool playSounds = true;
    bool chatterSounds = true;
};

// Reads the keys in their order: Top, Left, Width, Height, Maximized,
// Textsize, Textcolor, Phrase1..Phrase9, Playtoscore, Playsounds,
// ChatterSounds. Maximized is on only when exactly "true".
// Missing or unreadable values give the defaults; so do a place or size
// beyond kMaxCoordinate, a width or height below 1 and a Textsize outside
// 6..72. Textcolor that is not colour text gives black. Playtoscore that
// is empty, not a number or outside 3..10 gives nothing. Playsounds and
// ChatterSounds are on unless exactly "false".
ClientSettings readClientSettings(const IniFile& ini);

// What saveinifile writes, as the window holds it now.
struct SavedSettings {
    int textSize = kDefaultTextSize;
    net::Colour textColour = net::kBlack;
    WindowPlace place;
    int playToScore = 5;
    bool playSounds = true;
    bool chatterSounds = false;
};

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// In the order written: Textsize, Textcolor, Top, Left, Width, Height,
// Maximized, Playtoscore, Playsounds, ChatterSounds (never the phrases).
KeyValues settingsToWrite(const SavedSettings& s);
// Only `key` of settingsToWrite (nothing for another name): what a menu
// writes before the file was read, so the player's other values stay.
KeyValues settingToWrite(const SavedSettings& s, std::string_view key);
// Phrase1..Phrase9, empty texts as empty values; for kPhraseSection.
KeyValues phrasesToWrite(const std::array<std::string, store::kPhraseCount>& phrases);

// FormClose: nothing when the window still has the saved place and size;
// else the place to store, narrower (lower) by 15 when it is wider (taller)
// than the desktop's work area.
std::optional<WindowPlace> placeToSaveAtClose(const WindowPlace& now, const WindowPlace& saved,
                                              int workAreaWidth, int workAreaHeight);

} // namespace tc::store
