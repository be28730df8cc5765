#pragma once
// The nine phrase buttons' own phrases, kept until the settings file
// supplies others.
#include <array>

#include "net/Text.h"

namespace tc::store {

inline constexpr int kPhraseCount = 9;
// The phrase editor takes at most this many characters per phrase.
inline constexpr int kMaxPhraseChars = 50;

// In English; shown in the player's language (context "Phrases"), as the
// player's own words, until he changes them.
inline constexpr std::array<const char*, kPhraseCount> kDefaultPhrases = {
    TC_NOOP("Phrases", "Way To Go!"), TC_NOOP("Phrases", "Good One!"), TC_NOOP("Phrases", "Nice Try!"),
    TC_NOOP("Phrases", "Excellent!"), TC_NOOP("Phrases", "Brilliant!"), TC_NOOP("Phrases", "Wow, WTG!"),
    TC_NOOP("Phrases", "Thanks!"), TC_NOOP("Phrases", "Way To Go Teamie!"), TC_NOOP("Phrases", "Good Game Everyone!"),
};

} // namespace tc::store
