// Drives the game server with connections, raw bytes, closes and pause
// ticks chosen by the input, and checks the slot table and the game state
// after every step.
//
// Input: four bytes seed the generator, then operations, each a byte
// (value % 8) followed by its own bytes:
//   0 connect
//   1 raw bytes for connection k:  k, length, bytes (or a long run of one byte)
//   2 the peer closes connection k: k
//   3 pause ticks:                  count (1..8); each is a second of the server's clock,
//                                   with the host's looks at stalled output and missing logins
//   4 login of connection k:        k, version flag, name length, name
//   5 a well-formed request from connection k: k, kind, argument bytes
//   6 a close request from the seat on turn: tile mask
//   7 ticks until no pause is pending (at most 16)
// k picks one of the connections made so far, or one never made.
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "game/ComputerPlayer.h"
#include "game/Lcg.h"
#include "game/Rules.h"
#include "net/LineFramer.h"
#include "server/ServerPorts.h"
#include "server/TServer.h"

namespace {

using tc::fuzz::FuzzInput;
using tc::fuzz::shown;
using tc::server::ConnId;
using tc::server::PauseTag;
using tc::server::TServer;

class NullPorts : public tc::server::ServerPorts {
public:
    const TServer* server = nullptr;
    std::set<ConnId> dead;  // closed by the server or reported closed by the peer
    bool timerRunning = false;
    // CMD_playerdisconnected announcements of the current step: (to, slot) -> count.
    std::map<std::pair<ConnId, int>, int> departures;

    void send(ConnId conn, const std::string& bytes) override {
        FUZZ_CHECK(!bytes.empty(), "empty send");
        FUZZ_CHECK(bytes.find('\xFF') == bytes.size() - 1, "send is not one whole message: " + shown(bytes));
        FUZZ_CHECK(!dead.count(conn), "send to a closed connection " + std::to_string(conn) + ": " + shown(bytes));
        static const std::string kLeft = "CMD_playerdisconnected+";
        if (bytes.rfind(kLeft, 0) == 0) {
            const std::string rest = bytes.substr(kLeft.size());
            ++departures[{conn, std::stoi(rest.substr(0, rest.find('+')))}];
        }
        // A connection that has not logged in hears nothing of the table:
        // only its slot, and why it is turned away.
        const int slot = server->slotOf(conn);
        if (slot != 0 && !server->player(slot).loggedin)
            FUZZ_CHECK(bytes.rfind("CMD_sendlogininfo+", 0) == 0 || bytes == "CMD_full+\xFF" ||
                           bytes == "CMD_removed+\xFF",
                       "a stranger was sent " + shown(bytes));
        // A client drops a line over the cap, so such a line never arrives.
        FUZZ_CHECK_NAMED("line-fits", bytes.size() - 1 <= tc::net::kMaxLineBytes,
                         "a " + std::to_string(bytes.size() - 1) + "-byte line: " + shown(bytes.substr(0, 60)));
    }
    void close(ConnId conn) override {
        FUZZ_CHECK(!dead.count(conn), "connection closed twice: " + std::to_string(conn));
        FUZZ_CHECK(server->slotOf(conn) == 0, "closed connection still holds a slot");
        dead.insert(conn);
    }
    void startPauseTimer() override { timerRunning = true; }
    void stopPauseTimer() override { timerRunning = false; }
    void log(const std::string&) override {}
};

void checkServer(const TServer& server, const NullPorts& ports, const std::vector<ConnId>& made) {
    FUZZ_CHECK(server.playercount() >= 0 && server.playercount() <= tc::server::kSlotCount,
               "playercount " + std::to_string(server.playercount()));
    for (int s = 1; s <= tc::server::kSlotCount; ++s) {
        const auto& p = server.player(s);
        const std::string at = "slot " + std::to_string(s);
        if (p.active) {
            FUZZ_CHECK(s <= server.playercount(), at + " active above playercount");
            FUZZ_CHECK(p.conn != 0, at + " active without a connection");
            FUZZ_CHECK(server.slotOf(p.conn) == s, at + " holds a connection that is not its own");
            FUZZ_CHECK(!ports.dead.count(p.conn), at + " holds a closed connection");
            if (p.loggedin) {
                FUZZ_CHECK(!p.name.empty() && p.name.size() <= tc::server::kMaxNameBytes, at + " name length");
                FUZZ_CHECK(p.name.find_first_of("+|\xFF") == std::string::npos, at + " name " + shown(p.name));
                FUZZ_CHECK(p.name.front() != ' ' && p.name.back() != ' ', at + " name not trimmed");
            } else {
                FUZZ_CHECK(p.name.empty(), at + " named before its login");
            }
        } else {
            FUZZ_CHECK(p.conn == 0 && p.name.empty() && !p.loggedin, at + " free but not cleared");
        }
    }
    for (const ConnId c : made) {
        const int slot = server.slotOf(c);
        if (ports.dead.count(c)) {
            FUZZ_CHECK(slot == 0, "closed connection " + std::to_string(c) + " still has slot");
        } else {
            FUZZ_CHECK(slot >= 1 && slot <= tc::server::kSlotCount, "open connection without a slot");
            FUZZ_CHECK(server.player(slot).conn == c, "slot table and connection disagree");
        }
    }

    FUZZ_CHECK(server.currentseat() >= 0 && server.currentseat() <= 6,
               "currentseat " + std::to_string(server.currentseat()));
    if (server.gamestarted())
        FUZZ_CHECK(server.currentseat() >= 1, "game running with currentseat 0");
    for (const auto& t : server.tiles()) FUZZ_CHECK(t == "u" || t == "o", "tile state " + shown(t));
    FUZZ_CHECK(server.die1() >= 0 && server.die1() <= 6 && server.die2() >= 0 && server.die2() <= 6, "die");
    FUZZ_CHECK(server.pointstowin() == 0 || (server.pointstowin() >= 3 && server.pointstowin() <= 10),
               "pointstowin " + std::to_string(server.pointstowin()));
    for (int s = 1; s <= 6; ++s) {
        const auto& p = server.player(s);
        FUZZ_CHECK(p.marks >= 0, "negative marks");
        FUZZ_CHECK((p.score >= 0 && p.score <= 45) || p.score == tc::server::kNotPlayedScore,
                   "score " + std::to_string(p.score));
    }

    // The timer runs exactly while a pause is pending.
    FUZZ_CHECK(ports.timerRunning == (server.pauseTag() != PauseTag::None), "pause timer and pause disagree");
    if (server.pauseTag() != PauseTag::None) FUZZ_CHECK(server.pausecount() >= 1, "pause with no ticks left");

    // A running game with no pause pending waits for a person: the seat on
    // turn is held by a connection that logged in, played by its holder,
    // and its roll can be made.
    // Anything else would wait for ever.
    if (server.gamestarted() && server.pauseTag() == PauseTag::None) {
        const auto& p = server.player(server.currentseat());
        FUZZ_CHECK(p.active && p.loggedin && !p.watching,
                   "game stalled: seat " + std::to_string(server.currentseat()) + " is the computer's, no pause");
        FUZZ_CHECK(tc::game::canmaketotal("o", server.tiles(), server.die1() + server.die2()),
                   "game stalled: unplayable roll left open");
    }
}

// The slots held and logged in before a step, with their connections: only
// they hear of a departure, and only theirs are announced.
std::map<int, ConnId> heldSlots(const TServer& server) {
    std::map<int, ConnId> held;
    for (int s = 1; s <= tc::server::kSlotCount; ++s)
        if (server.player(s).active && server.player(s).loggedin) held[s] = server.player(s).conn;
    return held;
}

// A slot released during a step is announced exactly once to every
// connection that stayed, and no other slot is announced at all.
void checkDepartures(const TServer& server, const NullPorts& ports, const std::map<int, ConnId>& before) {
    const std::map<int, ConnId> after = heldSlots(server);
    for (const auto& entry : ports.departures) {
        const int slot = entry.first.second;
        FUZZ_CHECK(before.count(slot) && (!after.count(slot) || after.at(slot) != before.at(slot)),
                   "departure of slot " + std::to_string(slot) + " that was not released");
    }
    for (const auto& [gone, goneConn] : before) {
        if (after.count(gone) && after.at(gone) == goneConn) continue;
        for (const auto& [stayed, conn] : before) {
            if (!after.count(stayed) || after.at(stayed) != conn) continue;
            const auto it = ports.departures.find({conn, gone});
            const int count = it == ports.departures.end() ? 0 : it->second;
            FUZZ_CHECK(count == 1, "slot " + std::to_string(stayed) + " told " + std::to_string(count) +
                                       " times that slot " + std::to_string(gone) + " left");
        }
    }
}

ConnId pick(FuzzInput& in, const std::vector<ConnId>& made) {
    const std::size_t k = in.byte() % (made.size() + 1);
    return k < made.size() ? made[k] : ConnId{1000000};  // never issued
}

std::string request(FuzzInput& in, int slot) {
    const std::string s = std::to_string(slot);
    switch (in.byte() % 9) {
    case 0: return "CMD_startgame+Host+" + std::to_string(in.byte() % 13) + "+";
    case 1: return "CMD_justwatch+" + std::to_string(in.byte() % 9) + ((in.byte() & 1) ? "+1" : "+2");
    case 2: return "CMD_kickhim+" + s + "+" + std::to_string(in.byte() % 11) + "+";
    case 3: return "CMD_chat+" + s + "+" + in.chunkOrRun() + "|clRed";
    case 4: return "CMD_action+" + s + "+" + in.chunkOrRun() + "|$00FF00FF";
    case 5: return "CMD_playasound+" + s + "+wave" + std::to_string(in.byte() % 21) + "+";
    case 6: return "CMD_slide+" + s + ((in.byte() & 1) ? "+up+" : "+down+") + std::to_string(in.byte() % 10) + "+";
    case 7: {
        std::string line = "CMD_closethem+" + s;
        const int mask = in.byte() | (in.byte() << 8);
        for (int t = 0; t <= 10; ++t)
            if (mask & (1 << t)) line += "+" + std::to_string(t);
        return line;
    }
    default: return "CMD_logininfo+" + s + "+1.0.3+" + std::string(in.chunk());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    tc::game::Lcg rng(in.u32());
    NullPorts ports;
    std::int64_t now = 0;
    TServer server(ports, rng, [&now] { return now; });
    ports.server = &server;
    std::vector<ConnId> made;

    auto say = [&](ConnId c, const std::string& line) { server.bytesArrived(c, line + '\xFF'); };

    while (!in.empty()) {
        const std::map<int, ConnId> before = heldSlots(server);
        ports.departures.clear();
        switch (in.byte() % 8) {
        case 0:
            // Three machines: some arrive from one address, some from others.
            made.push_back(server.connectionArrived("10.0.0." + std::to_string(made.size() % 3) + ":1"));
            break;
        case 1: {
            const ConnId c = pick(in, made);
            server.bytesArrived(c, in.chunkOrRun());
            break;
        }
        case 2: {
            const ConnId c = pick(in, made);
            server.connectionClosed(c);
            ports.dead.insert(c);
            break;
        }
        case 3:
            for (int n = in.byte() % 8 + 1; n > 0; --n) {
                now += 1000;
                server.pauseTick();
                server.checkOutput();
                server.checkLogins();
            }
            break;
        case 4: {
            const ConnId c = pick(in, made);
            const std::string version = (in.byte() & 1) ? "1.0.3" : "1.0.2";
            say(c, "CMD_logininfo+" + std::to_string(server.slotOf(c)) + "+" + version + "+" + std::string(in.chunk()));
            break;
        }
        case 5: {
            const ConnId c = pick(in, made);
            say(c, request(in, server.slotOf(c)));
            break;
        }
        case 6: {
            const int seat = server.currentseat();
            if (seat < 1) break;
            const ConnId c = server.player(seat).conn;
            const std::uint8_t mask = in.byte();
            std::string line;
            if (mask == 0) {
                line = tc::game::moveText(seat, server.die1(), server.die2(), server.tiles());
                if (line.empty()) break;
            } else {
                line = std::to_string(seat);
                for (int t = 1; t <= 8; ++t)
                    if (mask & (1 << (t - 1))) line += "+" + std::to_string(t);
            }
            say(c, "CMD_closethem+" + line);
            break;
        }
        case 7:
            for (int n = 0; n < 16 && server.pauseTag() != PauseTag::None; ++n) server.pauseTick();
            break;
        }
        checkServer(server, ports, made);
        checkDepartures(server, ports, before);
    }
    return 0;
}
