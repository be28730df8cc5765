#pragma once
// A server wired to a recorder, with helpers to connect, talk and read
// back what each connection was sent.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game/Lcg.h"
#include "server/TServer.h"
#include "RecordingPorts.h"

namespace tc::server::test {

class ServerFixture : public ::testing::Test {
protected:
    RecordingPorts ports;
    game::Lcg rng{12345};
    std::int64_t now = 0;  // the server's clock, in ms; tests move it
    TServer server{ports, rng, [this] { return now; }};

    ConnId connect(const std::string& peer = "10.0.0.1:4000") { return server.connectionArrived(peer); }
    // The peer text of the `n`th of many machines, each with its own address.
    static std::string machine(int n) { return "10.0.1." + std::to_string(n) + ":4000"; }

    // Connects and logs in with the right slot and version; forgets the
    // traffic so far.
    ConnId join(const std::string& name) {
        const ConnId c = connect();
        const int slot = server.slotOf(c);
        say(c, "CMD_logininfo+" + std::to_string(slot) + "+1.0.3+" + name);
        ports.events.clear();
        return c;
    }

    // Sends one line (0xFF added) from a connection.
    void say(ConnId c, const std::string& line) { server.bytesArrived(c, line + '\xFF'); }

    // Lines sent to a connection since the last clear, 0xFF removed.
    std::vector<std::string> linesTo(ConnId c) const {
        std::vector<std::string> out;
        for (const auto& e : ports.events)
            if (e.kind == PortEvent::Send && e.conn == c) out.push_back(e.bytes.substr(0, e.bytes.size() - 1));
        return out;
    }
    bool closed(ConnId c) const {
        for (const auto& e : ports.events)
            if (e.kind == PortEvent::Close && e.conn == c) return true;
        return false;
    }
    int timerStarts() const {
        int n = 0;
        for (const auto& e : ports.events) n += e.kind == PortEvent::StartTimer;
        return n;
    }
    void clear() { ports.events.clear(); ports.logs.clear(); }

    // Sets the generator so that its next draws are the given (n, value)
    // pairs: lets a test choose the first seat and the dice.
    void steer(const std::vector<std::pair<int, int>>& draws) {
        for (std::uint32_t seed = 0;; ++seed) {
            game::Lcg probe(seed);
            bool match = true;
            for (const auto& [n, v] : draws)
                if (probe.draw(n) != v) { match = false; break; }
            if (match) { rng.setSeed(seed); return; }
        }
    }
    static std::vector<std::pair<int, int>> dice(int d1, int d2) { return {{6, d1 - 1}, {6, d2 - 1}}; }
    void steerDice(int d1, int d2) { steer(dice(d1, d2)); }
    // The first-seat draw over `choices` values, then the first roll.
    void steerStart(int choices, int drawn, int d1, int d2) {
        steer({{choices, drawn}, {6, d1 - 1}, {6, d2 - 1}});
    }

    void ticks(int n) {
        for (int i = 0; i < n; ++i) server.pauseTick();
    }
};

// Bob hosts (slot 1), Ann and Cid have joined (slots 2 and 3); nothing sent yet.
class ThreeJoined : public ServerFixture {
protected:
    void SetUp() override {
        host = join("Bob");
        ann = join("Ann");
        cid = join("Cid");
        clear();
    }
    ConnId host = 0, ann = 0, cid = 0;
};

} // namespace tc::server::test
