// Which slot a new connection takes while others wait for their login:
// the table's side of StrangerGate.
#include "server/TServer.h"

#include <algorithm>

namespace tc::server {

StrangerGate::Slots TServer::slotStates() const {
    StrangerGate::Slots slots;
    for (int s = 1; s <= kSlotCount; ++s) {
        const auto& p = player_[s];
        if (!p.active) continue;
        // A kept seat is seated: it has no connection, but its player has a place.
        if (p.loggedin || p.conn == 0) {
            slots[s].state = StrangerGate::Slot::State::Seated;
            continue;
        }
        slots[s].state = StrangerGate::Slot::State::Stranger;
        const auto c = conns_.find(p.conn);
        if (c != conns_.end()) slots[s].address = c->second.address;
    }
    return slots;
}

int TServer::chooseSlot(const std::string& peer, const std::string& address) {
    using Kind = StrangerGate::Admission::Kind;
    const StrangerGate::Admission a = strangers_.admit(slotStates(), address, clock_());
    if (a.kind == Kind::TurnAway) {
        // A storm of them would flood the log: one line per episode.
        if (a.firstOfEpisode)
            log("turning away connections while others wait to log in, the first from " + address + " (" +
                std::to_string(a.standing) + " tries without a login)");
        return -1;
    }
    if (a.kind == Kind::Full) return 0;
    if (a.giveWay != 0) {
        const auto c = conns_.find(player_[a.giveWay].conn);
        const std::string from = c == conns_.end() ? std::string() : c->second.address;
        disconnectsock(a.giveWay, "gave way to " + peer + " (" + std::to_string(strangers_.standing(from, clock_())) +
                                      " tries without a login from " + from + ")");
    }
    playercount_ = std::max(playercount_, a.slot);
    return a.slot;
}

} // namespace tc::server
