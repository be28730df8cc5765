#include "server/StrangerGate.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>

namespace tc::server {
namespace {
// Far above any count that matters, far below overflow.
constexpr int kMaxPending = 1'000'000;
} // namespace

std::string StrangerGate::addressKey(std::string_view address) {
    const std::string text(address);
    in6_addr v6{};
    if (inet_pton(AF_INET6, text.c_str(), &v6) != 1) return text;  // IPv4, or no address at all
    const unsigned char* b = v6.s6_addr;
    const bool mapped = std::all_of(b, b + 10, [](unsigned char c) { return c == 0; }) && b[10] == 0xFF && b[11] == 0xFF;
    char out[48];
    if (mapped) {
        std::snprintf(out, sizeof out, "%u.%u.%u.%u", b[12], b[13], b[14], b[15]);
    } else {
        std::snprintf(out, sizeof out, "%x:%x:%x:%x::/64", b[0] << 8 | b[1], b[2] << 8 | b[3], b[4] << 8 | b[5],
                      b[6] << 8 | b[7]);
    }
    return out;
}

int StrangerGate::pendingOf(const std::string& key, std::int64_t nowMs) const {
    const auto it = standings_.find(key);
    if (it == standings_.end() || nowMs - it->second.lastArrivalMs >= kStandingMemoryMs) return 0;
    return it->second.pending;
}

int StrangerGate::standing(const std::string& address, std::int64_t nowMs) const {
    return pendingOf(addressKey(address), nowMs);
}

void StrangerGate::forgetQuietest() {
    auto quietest = standings_.begin();
    for (auto it = standings_.begin(); it != standings_.end(); ++it)
        if (it->second.lastArrivalMs < quietest->second.lastArrivalMs) quietest = it;
    if (quietest != standings_.end()) standings_.erase(quietest);
}

StrangerGate::Admission StrangerGate::admit(const Slots& slots, const std::string& address, std::int64_t nowMs) {
    using State = Slot::State;
    const std::string key = addressKey(address);
    // The arrival counts first: a turned-away try is a try too.
    if (standings_.find(key) == standings_.end() && standings_.size() >= kMaxAddresses) forgetQuietest();
    Standing& mine = standings_[key];
    mine.pending = std::min(pendingOf(key, nowMs) + 1, kMaxPending);
    mine.lastArrivalMs = nowMs;

    // Keys and counts of the strangers in the slots.
    std::array<std::string, kStrangerSlots + 1> keys;
    std::unordered_map<std::string, int> held;
    bool anyStranger = false;
    for (int s = 1; s <= kStrangerSlots; ++s) {
        if (slots[s].state != State::Stranger) continue;
        keys[s] = addressKey(slots[s].address);
        ++held[keys[s]];
        anyStranger = true;
    }
    const int mineHeld = held.count(key) ? held[key] : 0;
    auto turnAway = [&] {
        const bool first = !turnedAway_ || nowMs - lastTurnAwayMs_ >= kTurnAwayEpisodeMs;
        turnedAway_ = true;
        lastTurnAwayMs_ = nowMs;
        return Admission{Admission::Kind::TurnAway, 0, 0, mine.pending, first};
    };
    if (mineHeld >= kStrangersPerAddress) return turnAway();
    // Those waiting count even when the memory of the tries has lapsed.
    auto standingOf = [&](const std::string& k) { return std::max(pendingOf(k, nowMs), held[k]); };
    const int newcomer = std::max(mine.pending, mineHeld + 1);

    for (int s = 1; s <= kStrangerSlots; ++s) {
        if (slots[s].state == State::Free) return {Admission::Kind::Slot, s, 0};
        if (slots[s].state == State::Stranger && keys[s] != key && standingOf(keys[s]) >= newcomer + kStandingMargin)
            return {Admission::Kind::Slot, s, s};
    }
    if (anyStranger) return turnAway();
    return {Admission::Kind::Full, 0, 0};
}

void StrangerGate::loggedIn(const std::string& address) {
    const auto it = standings_.find(addressKey(address));
    if (it == standings_.end() || it->second.pending == 0) return;
    --it->second.pending;
}

} // namespace tc::server
