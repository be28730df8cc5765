#pragma once
// Seats kept for players whose connection dropped during a game: which
// seats, and until when, on the server's clock. The server asks for the
// holds that have run out whenever time moves (its once-a-second look and
// the pause ticks), so tests move time by moving the clock.
#include <array>
#include <cstdint>
#include <vector>

#include "game/Rules.h"

namespace tc::server {

// How long the programs keep a seat unless told otherwise (the server
// itself keeps none until set).
inline constexpr std::int64_t kHoldMs = 120'000;

class SeatHold {
public:
    // 0 holds nothing.
    void setHoldMs(std::int64_t ms) { holdMs_ = ms < 0 ? 0 : ms; }
    std::int64_t holdMs() const { return holdMs_; }
    bool enabled() const { return holdMs_ > 0; }

    void hold(int seat, std::int64_t now);
    bool held(int seat) const;
    // Ends a hold (the player came back, or the seat was released).
    void end(int seat);
    // Milliseconds left of a hold; 0 when none.
    std::int64_t leftMs(int seat, std::int64_t now) const;
    // Seconds left, rounded up, as the tables are told them.
    int leftSeconds(int seat, std::int64_t now) const;
    // The held seats whose time is up at `now`, in seat order; their holds
    // end here.
    std::vector<int> expire(std::int64_t now);
    // Every held seat, in seat order.
    std::vector<int> seats() const;

private:
    static bool valid(int seat) { return seat >= 1 && seat <= game::kSeatCount; }
    std::int64_t holdMs_ = 0;
    std::array<std::int64_t, game::kSeatCount + 1> until_{};  // 0: not held
    std::array<bool, game::kSeatCount + 1> held_{};
};

} // namespace tc::server
