#pragma once
// The nine phrase buttons' own phrases, kept until the settings file
// supplies others.
#include <array>

namespace tc::store {

inline constexpr int kPhraseCount = 9;
// The phrase editor takes at most this many characters per phrase.
inline constexpr int kMaxPhraseChars = 50;

inline constexpr std::array<const char*, kPhraseCount> kDefaultPhrases = {
    "Way To Go!", "Good One!", "Nice Try!", "Excellent!", "Brilliant!",
    "Wow, WTG!", "Thanks!", "Way To Go Teamie!", "Good Game Everyone!",
};

} // namespace tc::store
