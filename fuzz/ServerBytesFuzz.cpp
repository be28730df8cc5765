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
// An operation byte of 0xE0..0xEF is one of the kept-seat operations
// instead, chosen by the next byte % 16; the seat is kept for two minutes:
//   0 key acknowledged by connection k:  k, slot choice
//   1 connection k says it is leaving:   k, slot choice
//   2 a seat key presented to take the seat back:  k, slot choice, key choice
//   3 a seat key presented to give the seat up:    k, slot choice, key choice
//   4 the host lets removed players back in:       k, slot choice
//   5 where connection k's output stands:          k, level, taken
//   6 the clock jumps:                  seconds (0..255), then the host's looks
//   7 an extension request from connection k, built from fields: k, keyword,
//     field count, fields (as the session target's built messages)
//   8 a connection from an address with a port: address (byte % 8; IPv4, IPv6, mapped)
//   9 the host starts watching the seat summary it announces
//  10 the server shuts down: every connection is told, then closed
//  11 the computer player is switched: expert flag
//  12 the login time is set: 0 (none), or byte * 250 ms
//  13 a seat key presented to take the seat back, with more in the same
//     read (a returning copy's first lines): k, slot choice, key choice,
//     then the bytes that follow (a chunk or a run)
// A slot choice names the sender's own slot, or (byte >= 0x80) the slot
// byte % 12 (0..11). A key choice takes the last key any seat was sent
// (byte % 8 == 0 picks the newest), the key of seat byte % 8 as it was
// sent, that key spoiled (a digit changed, cut short, one too long), or
// a chunk of the input.
// k picks one of the connections made so far, or one never made.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
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

// SERVER_BYTES_TRACE=1 prints what the server sends and logs while
// replaying an input.
bool tracing() {
    static const bool trace = std::getenv("SERVER_BYTES_TRACE") != nullptr;
    return trace;
}

class NullPorts : public tc::server::ServerPorts {
public:
    const TServer* server = nullptr;
    std::set<ConnId> dead;  // closed by the server or reported closed by the peer
    std::set<ConnId> askedForKey;  // sent "CMD_fullkept+": at a full table, without a slot
    bool timerRunning = false;
    // CMD_playerdisconnected announcements of the current step: (to, slot) -> count.
    std::map<std::pair<ConnId, int>, int> departures;
    // Slots announced as logged in during the current step.
    std::set<int> arrivals;
    // Every seat key sent, by the seat it was sent to, the newest last.
    std::map<int, std::string> keys;
    std::string lastKey;
    // What the fuzzer says of each connection's output.
    std::map<ConnId, Output> outputs;

    Output output(ConnId conn) const override {
        const auto it = outputs.find(conn);
        return it == outputs.end() ? Output{} : it->second;
    }

    void send(ConnId conn, const std::string& bytes) override {
        if (tracing()) std::fprintf(stderr, "  to %llu: %s\n", static_cast<unsigned long long>(conn), shown(bytes).c_str());
        FUZZ_CHECK(!bytes.empty(), "empty send");
        FUZZ_CHECK(bytes.find('\xFF') == bytes.size() - 1, "send is not one whole message: " + shown(bytes));
        FUZZ_CHECK(!dead.count(conn), "send to a closed connection " + std::to_string(conn) + ": " + shown(bytes));
        static const std::string kLeft = "CMD_playerdisconnected+";
        static const std::string kCame = "CMD_newplayerinfo+";
        if (bytes.rfind(kCame, 0) == 0) arrivals.insert(std::stoi(bytes.substr(kCame.size())));
        if (bytes.rfind(kLeft, 0) == 0) {
            const std::string rest = bytes.substr(kLeft.size());
            ++departures[{conn, std::stoi(rest.substr(0, rest.find('+')))}];
        }
        const int slot = server->slotOf(conn);
        static const std::string kKey = "CMD_seatkey+";
        if (bytes.rfind(kKey, 0) == 0) {
            FUZZ_CHECK(slot >= 1 && slot <= 6 && server->player(slot).loggedin, "a seat key for slot " + std::to_string(slot));
            const std::string key = bytes.substr(kKey.size(), bytes.find('+', kKey.size()) - kKey.size());
            FUZZ_CHECK(key.size() == tc::server::SeatKeys::kKeyChars &&
                           key.find_first_not_of("0123456789abcdef") == std::string::npos,
                       "seat key " + shown(key));
            keys[slot] = key;
            lastKey = key;
        }
        if (bytes == "CMD_fullkept+\xFF") {
            FUZZ_CHECK(slot == 0, "asked for a key while in slot " + std::to_string(slot));
            askedForKey.insert(conn);
        }
        // Without a slot a connection hears only the answers to its key.
        if (slot == 0)
            FUZZ_CHECK(bytes == "CMD_fullkept+\xFF" || bytes == "CMD_full+\xFF" || bytes == "CMD_reclaimrefused+\xFF" ||
                           bytes.rfind("CMD_givenup+", 0) == 0,
                       "a connection without a slot was sent " + shown(bytes));
        // A connection that has not logged in hears nothing of the table:
        // only its slot, why it is turned away, and the answer to a seat key.
        if (slot != 0 && !server->player(slot).loggedin)
            FUZZ_CHECK(bytes.rfind("CMD_sendlogininfo+", 0) == 0 || bytes == "CMD_full+\xFF" ||
                           bytes == "CMD_removed+\xFF" || bytes == "CMD_reclaimrefused+\xFF" ||
                           bytes.rfind("CMD_givenup+", 0) == 0,
                       "a stranger was sent " + shown(bytes));
        // Only the seat the key came back to hears where it sits.
        if (bytes.rfind("CMD_yourseat+", 0) == 0)
            FUZZ_CHECK(bytes == "CMD_yourseat+" + std::to_string(slot) + "+\xFF", "told seat " + shown(bytes));
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
    void log(const std::string& line) override {
        if (tracing()) std::fprintf(stderr, "server: %s\n", line.c_str());
    }
};

void checkServer(const TServer& server, const NullPorts& ports, const std::vector<ConnId>& made) {
    FUZZ_CHECK(server.playercount() >= 0 && server.playercount() <= tc::server::kSlotCount,
               "playercount " + std::to_string(server.playercount()));
    for (int s = 1; s <= tc::server::kSlotCount; ++s) {
        const auto& p = server.player(s);
        const std::string at = "slot " + std::to_string(s);
        FUZZ_CHECK(server.held(s) == p.away, at + " kept and away disagree");
        if (p.active && p.away) {
            // Kept for its player: in the game, with no connection.
            FUZZ_CHECK(s <= 6 && s <= server.playercount(), at + " kept outside the seats");
            FUZZ_CHECK(p.conn == 0 && p.loggedin, at + " kept with a connection or without a login");
            FUZZ_CHECK(server.gamestarted(), at + " kept while no game runs");
        } else if (p.active) {
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
            FUZZ_CHECK(p.conn == 0 && p.name.empty() && !p.loggedin && !p.away, at + " free but not cleared");
        }
    }
    for (const ConnId c : made) {
        const int slot = server.slotOf(c);
        if (ports.dead.count(c)) {
            FUZZ_CHECK(slot == 0, "closed connection " + std::to_string(c) + " still has slot");
        } else if (slot == 0) {
            // Only a connection asked for a kept seat's key at a full table
            // waits without a slot.
            FUZZ_CHECK(ports.askedForKey.count(c), "open connection without a slot");
        } else {
            FUZZ_CHECK(slot >= 1 && slot <= tc::server::kSlotCount, "connection in slot " + std::to_string(slot));
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
        FUZZ_CHECK(p.active && p.loggedin && !p.watching && !p.away,
                   "game stalled: seat " + std::to_string(server.currentseat()) + " is the computer's, no pause");
        FUZZ_CHECK(tc::game::canmaketotal("o", server.tiles(), server.die1() + server.die2()),
                   "game stalled: unplayable roll left open");
    }
}

// The slots logged in before a step, with their connections (0 for a seat
// kept without one): only they hear of a departure, and only theirs are
// announced.
std::map<int, ConnId> heldSlots(const TServer& server) {
    std::map<int, ConnId> held;
    for (int s = 1; s <= tc::server::kSlotCount; ++s)
        if (server.player(s).active && server.player(s).loggedin) held[s] = server.player(s).conn;
    return held;
}

// A seat released during a step is announced exactly once to every
// connection that stayed in its seat, and no other seat is announced at
// all. A seat kept after a drop, or taken back with its key, is no
// departure.
void checkDepartures(const TServer& server, const NullPorts& ports, const std::map<int, ConnId>& before) {
    const std::map<int, ConnId> after = heldSlots(server);
    for (const auto& entry : ports.departures) {
        const int slot = entry.first.second;
        // Also one that logged in and left within the step (a login and
        // then a flood in one read).
        FUZZ_CHECK((before.count(slot) || ports.arrivals.count(slot)) && !after.count(slot),
                   "departure of slot " + std::to_string(slot) + " that was not released");
    }
    for (const auto& [gone, goneConn] : before) {
        if (after.count(gone)) continue;
        for (const auto& [stayed, conn] : before) {
            if (conn == 0 || !after.count(stayed) || after.at(stayed) != conn) continue;
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

// The slot a request names: the sender's own, or any number near the range.
std::string slotChoice(FuzzInput& in, int own) {
    const std::uint8_t b = in.byte();
    return std::to_string(b < 0x80 ? own : b % 12);
}

// A seat key as a returning copy, or a stranger guessing, presents it.
std::string keyChoice(FuzzInput& in, const NullPorts& ports) {
    const std::uint8_t b = in.byte();
    const auto it = ports.keys.find(b % 8);
    std::string key = b % 8 == 0 || it == ports.keys.end() ? ports.lastKey : it->second;
    switch (b >> 5) {
    case 0:
    case 1:
    case 2: return key;
    case 3:
        if (!key.empty()) key.back() = key.back() == '0' ? '1' : '0';
        return key;
    case 4: return key.substr(0, key.size() / 2);
    case 5: return key + "0";
    case 6: return std::string(key.size(), '0');
    default: return std::string(in.chunk());
    }
}

// Extension requests a client may send, read by the server whatever their
// fields.
constexpr const char* kHoldKeywords[] = {"CMD_keyack", "CMD_leaving", "CMD_reclaim", "CMD_giveup", "CMD_letbackin",
                                         "CMD_logininfo"};
constexpr const char* kFields[] = {"0", "1", "2", "3", "6", "7", "9", "10", "-1", "2147483648", "", "x", "1.0.3"};

std::string builtRequest(FuzzInput& in, const NullPorts& ports) {
    std::string line = kHoldKeywords[in.byte() % std::size(kHoldKeywords)];
    const std::uint8_t shape = in.byte();
    line += '+';
    for (int n = (shape & 0x7F) % 6; n > 0; --n) {
        const std::uint8_t pick = in.byte();
        if (pick < 0xC0) line += kFields[pick % std::size(kFields)];
        else if (pick < 0xE0) line += ports.lastKey;
        else
            for (const char c : in.chunk())
                if (c != '\xFF') line += c;
        if (n > 1 || (shape & 0x80)) line += '+';
    }
    return line;
}

// What the server announces of itself agrees with its slot table.
void checkSummary(const TServer& server, const tc::server::SeatSummary& summary) {
    int seated = 0, free = 0;
    for (int s = 1; s <= 6; ++s) {
        seated += server.player(s).active && server.player(s).loggedin;
        free += !server.player(s).active;
    }
    FUZZ_CHECK(summary == server.seatSummary(), "announced a summary that is not the server's");
    FUZZ_CHECK(summary.seated == seated && summary.freeSeats == free && summary.running == server.gamestarted(),
               "seat summary " + std::to_string(summary.seated) + " seated, " + std::to_string(summary.freeSeats) +
                   " free");
}

void keptSeatStep(FuzzInput& in, TServer& server, NullPorts& ports, std::vector<ConnId>& made,
                  std::int64_t& now) {
    auto say = [&](ConnId c, const std::string& line) { server.bytesArrived(c, line + '\xFF'); };
    switch (in.byte() % 16) {
    case 0: {
        const ConnId c = pick(in, made);
        say(c, "CMD_keyack+" + slotChoice(in, server.slotOf(c)) + "+");
        break;
    }
    case 1: {
        const ConnId c = pick(in, made);
        say(c, "CMD_leaving+" + slotChoice(in, server.slotOf(c)) + "+");
        break;
    }
    case 2:
    case 3: {
        const bool back = (in.byte() & 1) == 0;
        const ConnId c = pick(in, made);
        const std::string slot = slotChoice(in, server.slotOf(c));
        say(c, std::string(back ? "CMD_reclaim+" : "CMD_giveup+") + slot + "+" + keyChoice(in, ports) + "+");
        break;
    }
    case 4: {
        const ConnId c = pick(in, made);
        say(c, "CMD_letbackin+" + slotChoice(in, server.slotOf(c)) + "+");
        break;
    }
    case 5: {
        // A peer that reads nothing, slowly, or not at all, with its queue
        // below the soft limit, between the limits, or past the hard one.
        const ConnId c = pick(in, made);
        const std::uint8_t level = in.byte();
        auto& out = ports.outputs[c];
        out.unsent = level % 3 == 0 ? 0 : level % 3 == 1 ? tc::server::kOutputSoftLimit + 1
                                                          : tc::server::kOutputHardLimit + 1;
        out.taken += in.byte() & 1;
        break;
    }
    case 6:
        now += 1000 * static_cast<std::int64_t>(in.byte());
        server.checkOutput();
        server.checkLogins();
        server.checkHolds();
        break;
    case 7: {
        const ConnId c = pick(in, made);
        say(c, builtRequest(in, ports));
        break;
    }
    case 8: {
        static const char* const kPeers[] = {"10.0.0.7:50123", "10.0.0.7:50124", "[fe80::1]:7772", "fuzz",
                                             "2001:db8:1:2::5:7772", "2001:db8:1:2::6:7772", "::ffff:10.0.0.7:7772",
                                             "10.0.0.8:1"};
        made.push_back(server.connectionArrived(kPeers[in.byte() % 8]));
        break;
    }
    case 9:
        server.setSeatObserver([&server](const tc::server::SeatSummary& summary) { checkSummary(server, summary); });
        break;
    case 10:
        server.shutdown();
        for (const ConnId c : made) {
            if (ports.dead.count(c)) continue;
            server.connectionClosed(c);
            ports.dead.insert(c);
        }
        break;
    case 11: server.setRudi(in.byte() & 1 ? tc::game::Rudi::Expert : tc::game::Rudi::Classic); break;
    case 13: {
        const ConnId c = pick(in, made);
        const std::string slot = slotChoice(in, server.slotOf(c));
        const std::string key = keyChoice(in, ports);
        server.bytesArrived(c, "CMD_reclaim+" + slot + "+" + key + "+\xFF" + in.chunkOrRun());
        break;
    }
    default: {
        const std::uint8_t b = in.byte();
        server.setLoginTimeoutMs(b == 0 ? 0 : 250 * static_cast<std::int64_t>(b));
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    tc::game::Lcg rng(in.u32());
    NullPorts ports;
    std::int64_t now = 0;
    TServer server(ports, rng, [&now] { return now; });
    server.setHoldMs(tc::server::kHoldMs);
    ports.server = &server;
    std::vector<ConnId> made;

    auto say = [&](ConnId c, const std::string& line) { server.bytesArrived(c, line + '\xFF'); };

    while (!in.empty()) {
        const std::map<int, ConnId> before = heldSlots(server);
        ports.departures.clear();
        ports.arrivals.clear();
        const std::uint8_t op = in.byte();
        if (op >= 0xE0 && op < 0xF0) {
            keptSeatStep(in, server, ports, made, now);
            checkServer(server, ports, made);
            checkDepartures(server, ports, before);
            continue;
        }
        switch (op % 8) {
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
