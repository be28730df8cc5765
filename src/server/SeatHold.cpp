#include "server/SeatHold.h"

namespace tc::server {

void SeatHold::hold(int seat, std::int64_t now) {
    if (!valid(seat) || !enabled()) return;
    held_[seat] = true;
    until_[seat] = now + holdMs_;
}

bool SeatHold::held(int seat) const { return valid(seat) && held_[seat]; }

void SeatHold::end(int seat) {
    if (!valid(seat)) return;
    held_[seat] = false;
    until_[seat] = 0;
}

std::int64_t SeatHold::leftMs(int seat, std::int64_t now) const {
    if (!held(seat)) return 0;
    return until_[seat] > now ? until_[seat] - now : 0;
}

int SeatHold::leftSeconds(int seat, std::int64_t now) const {
    return static_cast<int>((leftMs(seat, now) + 999) / 1000);
}

std::vector<int> SeatHold::expire(std::int64_t now) {
    std::vector<int> out;
    for (int seat = 1; seat <= game::kSeatCount; ++seat) {
        if (held_[seat] && now >= until_[seat]) {
            end(seat);
            out.push_back(seat);
        }
    }
    return out;
}

std::vector<int> SeatHold::seats() const {
    std::vector<int> out;
    for (int seat = 1; seat <= game::kSeatCount; ++seat)
        if (held_[seat]) out.push_back(seat);
    return out;
}

} // namespace tc::server
