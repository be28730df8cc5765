// The server's limits on a connection: relays over their rate dropped,
// output that piles up or stalls closes the connection, and the seat counts
// told to whoever watches them after every input.
#include "server/TServer.h"

#include <algorithm>

namespace tc::server {

bool TServer::admit(int slot, FloodGate Connection::*gate, const char* what, std::size_t bytes) {
    const auto it = conns_.find(player_[slot].conn);
    if (it == conns_.end()) return false;
    switch ((it->second.*gate).admit(clock_(), bytes)) {
    case FloodGate::Verdict::Pass:
        return true;
    case FloodGate::Verdict::FirstDrop:
        log("limit " + who(slot) + ": " + what + " over the rate limit, dropped until it slows down");
        return false;
    case FloodGate::Verdict::Drop:
        break;
    }
    return false;
}

void TServer::watchOutput(ConnId conn) {
    if (ports_.output(conn).unsent <= kOutputHardLimit) return;
    if (std::find(overflowing_.begin(), overflowing_.end(), conn) == overflowing_.end())
        overflowing_.push_back(conn);
}

void TServer::closeOverflowing() {
    // Closing sends to the others, which may add to the list.
    while (!overflowing_.empty()) {
        const ConnId conn = overflowing_.back();
        overflowing_.pop_back();
        const int slot = slotOf(conn);
        if (slot == 0) continue;
        disconnectsock(slot, "over " + std::to_string(kOutputHardLimit) + " bytes of output unsent");
    }
}

SeatSummary TServer::seatSummary() const {
    SeatSummary s;
    s.freeSeats = 0;
    for (int seat = 1; seat <= game::kSeatCount; ++seat) {
        if (player_[seat].loggedin) ++s.seated;
        if (!player_[seat].active) ++s.freeSeats;
    }
    s.running = gamestarted_;
    return s;
}

void TServer::afterInput() {
    closeOverflowing();
    const SeatSummary now = seatSummary();
    if (now == lastSummary_) return;
    lastSummary_ = now;
    if (seatObserver_) seatObserver_(now);
}

void TServer::checkOutput() {
    const std::int64_t now = clock_();
    std::vector<int> stalled;
    for (auto& [id, c] : conns_) {
        const ServerPorts::Output out = ports_.output(id);
        if (out.unsent > kOutputHardLimit) {
            watchOutput(id);
        } else if (out.taken != c.taken || out.unsent <= kOutputSoftLimit) {
            // Reading, however slowly, or little enough queued: not stalled.
            c.taken = out.taken;
            c.progressMs = now;
        } else if (now - c.progressMs >= kStallMs) {
            stalled.push_back(c.slot);
        }
    }
    for (int slot : stalled)
        disconnectsock(slot, "stalled: over " + std::to_string(kOutputSoftLimit) +
                                 " bytes of output unsent and nothing taken for " +
                                 std::to_string(kStallMs / 1000) + " s");
    afterInput();
}

} // namespace tc::server
