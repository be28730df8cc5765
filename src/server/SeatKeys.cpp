#include "server/SeatKeys.h"

#include <random>

namespace tc::server {

namespace {

std::string randomKey() {
    // std::random_device reads the kernel's random source on this platform.
    std::random_device source;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string key;
    key.reserve(SeatKeys::kKeyChars);
    while (key.size() < SeatKeys::kKeyChars) {
        std::uint32_t bits = source();
        for (int i = 0; i < 8 && key.size() < SeatKeys::kKeyChars; ++i, bits >>= 4) key += kHex[bits & 0xF];
    }
    return key;
}

} // namespace

const std::string& SeatKeys::issue(int seat) {
    static const std::string none;
    if (!valid(seat)) return none;
    seats_[seat] = Entry{randomKey(), false};
    return seats_[seat].key;
}

void SeatKeys::acknowledge(int seat) {
    if (valid(seat) && !seats_[seat].key.empty()) seats_[seat].acknowledged = true;
}

bool SeatKeys::acknowledged(int seat) const { return valid(seat) && seats_[seat].acknowledged; }

int SeatKeys::match(std::string_view key) const {
    int found = 0;
    for (int seat = 1; seat <= game::kSeatCount; ++seat) {
        const bool same = !seats_[seat].key.empty() && sameText(seats_[seat].key, key);
        found |= same ? seat : 0;
    }
    return found;
}

void SeatKeys::drop(int seat) {
    if (valid(seat)) seats_[seat] = Entry{};
}

bool SeatKeys::sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    volatile unsigned char diff = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        diff = static_cast<unsigned char>(diff | (static_cast<unsigned char>(a[i]) ^ static_cast<unsigned char>(b[i])));
    return diff == 0;
}

} // namespace tc::server
