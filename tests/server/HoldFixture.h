#pragma once
// A game whose seats were given keys, as our program acknowledges them, and
// helpers for a seat kept after a drop and a copy coming back with its key.
#include <map>
#include <string>

#include "GameFlowFixture.h"
#include "server/SeatKeys.h"

namespace tc::server::test {

class Hold : public GameFlow {
protected:
    void SetUp() override { server.setHoldMs(120'000); }

    // Joins, remembers the seat key the login brought, and acknowledges it
    // as our game program does.
    ConnId seatWithKey(const std::string& name, bool acknowledge = true) {
        const ConnId c = connect();
        const int slot = server.slotOf(c);
        say(c, "CMD_logininfo+" + std::to_string(slot) + "+1.0.3+" + name);
        for (const auto& l : linesTo(c))
            if (l.rfind("CMD_seatkey+", 0) == 0) keys[slot] = l.substr(12, SeatKeys::kKeyChars);
        if (acknowledge) say(c, "CMD_keyack+" + std::to_string(slot) + "+");
        clear();
        return c;
    }
    // A new connection presenting `key`; returns it with the traffic so far cleared.
    ConnId comeBack(const std::string& key) {
        const ConnId c = connect("10.0.0.9:5000");
        clear();
        say(c, "CMD_reclaim+" + std::to_string(server.slotOf(c)) + "+" + key + "+");
        return c;
    }
    // Bob, Ann and Cid seated with keys, a game started, and Ann's line
    // cut five seconds ago: her seat is kept.
    void annAwayInAGame() {
        bob = seatWithKey("Bob");
        ann = seatWithKey("Ann");
        cid = seatWithKey("Cid");
        start(bob, 4, 0);
        server.connectionClosed(ann);
        ASSERT_TRUE(server.held(2));
        now += 5'000;
    }
    std::map<int, std::string> keys;
    ConnId bob = 0, ann = 0, cid = 0;
};

} // namespace tc::server::test
