#pragma once
// The secret key of each seat: given to the seat's player at the login and
// asked of a copy that wants the seat back after its connection dropped.
// Keys come from the system's random source (never the game's generator,
// whose seed a player can know), are compared in constant time, and are
// dropped when the seat is released.
#include <array>
#include <string>
#include <string_view>

#include "game/Rules.h"

namespace tc::server {

class SeatKeys {
public:
    // Hex digits of a key: 256 random bits.
    static constexpr std::size_t kKeyChars = 64;

    // A fresh key for `seat` (1..6), replacing any earlier one, not yet
    // acknowledged.
    const std::string& issue(int seat);
    // The seat's client said it knows keys: only such a seat is held.
    void acknowledge(int seat);
    bool acknowledged(int seat) const;
    // The seat whose key is `key`, 0 when none. Every seat's key is looked
    // at in full whatever matches, so the time taken says nothing.
    int match(std::string_view key) const;
    void drop(int seat);

    // Whether two texts are equal, in a time that depends on their lengths
    // only.
    static bool sameText(std::string_view a, std::string_view b);

private:
    struct Entry {
        std::string key;  // empty: none
        bool acknowledged = false;
    };
    static bool valid(int seat) { return seat >= 1 && seat <= game::kSeatCount; }
    std::array<Entry, game::kSeatCount + 1> seats_{};  // [1..6]
};

} // namespace tc::server
