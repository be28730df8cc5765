// Plays whole games: one game server and up to four real client sessions
// wired together in memory, as the sockets would (bytes wait in a buffer
// until delivered, so nothing calls back into its caller). The first
// session hosts, the others join. After every step the server is checked,
// and once every buffer is delivered and every session has handled all its
// lines, the tables are checked against the server.
//
// Input: four bytes seed the server's generator, then operations, each a
// byte (value % 12) followed by its own bytes; `who` picks a live session:
//   0 a click on a tile:            who, tile (1..9)
//   1 the roll button:              who
//   2 start a game:                 who, marks (3..10)
//   3 just watch:                   who
//   4 typed chat:                   who, length, text
//   5 the session's connection ends (never the host's): who
//   6 a new session joins (at most four live)
//   7 pause ticks:                  count (1..8)
//   8 everything delivered and every session ticked until idle
//   9 one session ticked until idle (its bytes delivered first): who
//  10 the seat on turn clicks a valid move and rolls (its session must
//     have handled its lines to see the roll)
//  11 pause ticks until no pause is pending, everything delivered between
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "session/Session.h"
#include "session/SessionView.h"
#include "game/ComputerPlayer.h"
#include "game/Lcg.h"
#include "server/ServerPorts.h"
#include "server/TServer.h"

namespace {

using tc::client::Session;
using tc::fuzz::FuzzInput;
using tc::fuzz::shown;
using tc::server::ConnId;
using tc::server::PauseTag;
using tc::server::TServer;

constexpr std::size_t kMaxLive = 4;
constexpr std::size_t kMaxMade = 16;
// No buffer between two deliveries grows past this in a game this small.
constexpr std::size_t kMaxBuffered = 1 << 20;

// TABLE_GAME_TRACE=1 prints the traffic and the server's log while
// replaying an input.
bool tracing() {
    static const bool trace = std::getenv("TABLE_GAME_TRACE") != nullptr;
    return trace;
}

// The server's side of the wire: what it sends waits per connection.
class WirePorts : public tc::server::ServerPorts {
public:
    std::map<ConnId, std::string> toClient;
    std::set<ConnId> closedByServer;
    // Connections that were sent the start of a turn, so their tables know
    // every tile of the turns since.
    std::set<ConnId> sawTurnStart;
    bool timerRunning = false;

    void send(ConnId conn, const std::string& bytes) override {
        if (tracing()) std::fprintf(stderr, "  to %llu: %s\n", static_cast<unsigned long long>(conn), shown(bytes).c_str());
        FUZZ_CHECK(!closedByServer.count(conn), "send to a connection the server closed");
        if (bytes.rfind("CMD_nextplayer+", 0) == 0) sawTurnStart.insert(conn);
        toClient[conn] += bytes;
    }
    void close(ConnId conn) override { closedByServer.insert(conn); }
    void startPauseTimer() override { timerRunning = true; }
    void stopPauseTimer() override { timerRunning = false; }
    void log(const std::string& line) override {
        if (tracing()) std::fprintf(stderr, "server: %s\n", line.c_str());
    }
};

// A client's side of the wire.
class WireView : public tc::client::SessionView {
public:
    std::string toServer;
    bool wantsConnect = false;

    bool startServer(std::string&) override { return true; }
    void connectToServer(const std::string&) override { wantsConnect = true; }
    void openSideConnection() override {}
    void send(const std::string& wire) override {
        if (tracing()) std::fprintf(stderr, "  request: %s\n", shown(wire).c_str());
        toServer += wire;
    }
    void addLineToChat(const std::string&, tc::net::Colour) override {}
    void tableChanged() override {}
    void animateTile(int, bool, int) override {}
    void playSound(const std::string&) override {}
    void showMessage(const std::string&) override {}
    void closeWindow() override {}
    void showGameStart() override {}
};

struct Peer {
    explicit Peer(std::uint32_t seed) : rng(seed), session(view, rng) {}
    WireView view;
    tc::game::Lcg rng;
    Session session;
    ConnId conn = 0;
    bool open = false;
    bool host = false;
};

class Table {
public:
    explicit Table(std::uint32_t seed) : rng_(seed), server_(ports_, rng_, [this] { return now_; }) {}
    // One pause tick, a second of the server's clock.
    void pauseTick() {
        now_ += 1000;
        server_.pauseTick();
    }

    const TServer& server() const { return server_; }
    TServer& server() { return server_; }

    void join() {
        if (live() >= kMaxLive || peers_.size() >= kMaxMade) return;
        const bool host = peers_.empty();
        auto peer = std::make_unique<Peer>(static_cast<std::uint32_t>(peers_.size() * 7919 + 1));
        peer->host = host;
        peer->session.formCreate();
        const std::string name = host ? "Host" : "Guest" + std::to_string(peers_.size());
        peer->session.processParams({name, "127.0.0.1", host ? "true" : "false"});
        FUZZ_CHECK(peer->view.wantsConnect, "session never connects");
        // Each peer a machine of its own, as players are.
        peer->conn = server_.connectionArrived("10.0.1." + std::to_string(peers_.size()) + ":1");
        peer->open = true;
        peer->session.onConnected();
        peers_.push_back(std::move(peer));
    }

    // The live session chosen by a byte, or none.
    Peer* pick(FuzzInput& in) {
        std::vector<Peer*> alive;
        for (auto& p : peers_)
            if (p->open) alive.push_back(p.get());
        const std::uint8_t b = in.byte();
        return alive.empty() ? nullptr : alive[b % alive.size()];
    }

    Peer* holderOf(int slot) {
        for (auto& p : peers_)
            if (p->open && server_.slotOf(p->conn) == slot) return p.get();
        return nullptr;
    }

    void leave(Peer& p) {
        if (p.host || !p.open) return;  // the host's window is the server
        p.open = false;
        server_.connectionClosed(p.conn);
        ports_.toClient.erase(p.conn);
    }

    // Moves every waiting byte one hop. Returns true when anything moved.
    bool deliver() {
        bool moved = false;
        for (auto& p : peers_) {
            if (!p->open) continue;
            if (!p->view.toServer.empty()) {
                const std::string bytes = std::move(p->view.toServer);
                p->view.toServer.clear();
                server_.bytesArrived(p->conn, bytes);
                moved = true;
            }
        }
        for (auto& p : peers_) moved = deliverTo(*p) || moved;
        return moved;
    }

    bool deliverTo(Peer& p) {
        if (!p.open) return false;
        bool moved = false;
        const auto it = ports_.toClient.find(p.conn);
        if (it != ports_.toClient.end() && !it->second.empty()) {
            const std::string bytes = std::move(it->second);
            it->second.clear();
            p.session.onBytes(bytes);
            moved = true;
        }
        if (ports_.closedByServer.count(p.conn)) {
            p.session.onSocketClosed();
            p.open = false;
            moved = true;
        }
        return moved;
    }

    // Ticks one session until it needs no more, its lines delivered first.
    void drain(Peer& p) {
        deliverTo(p);
        for (std::size_t n = p.session.queuedLines() + 400; n > 0 && p.open && p.session.needsTicks(); --n)
            p.session.tick();
        FUZZ_CHECK(!p.open || !p.session.needsTicks(), "a session keeps asking for ticks");
    }

    // Everything delivered and handled; the game at rest until the next
    // click or pause tick.
    void settle() {
        for (int round = 0; round < 10000; ++round) {
            bool busy = deliver();
            for (auto& p : peers_)
                if (p->open && p->session.needsTicks()) {
                    busy = true;
                    drain(*p);
                }
            if (!busy) return;
        }
        FUZZ_CHECK(false, "the table never comes to rest");
    }

    bool settled() const {
        for (const auto& p : peers_) {
            if (!p->open) continue;
            if (!p->view.toServer.empty() || p->session.needsTicks()) return false;
            const auto it = ports_.toClient.find(p->conn);
            if (it != ports_.toClient.end() && !it->second.empty()) return false;
            if (ports_.closedByServer.count(p->conn)) return false;
        }
        return true;
    }

    void check() {
        checkServer();
        for (const auto& p : peers_) {
            if (!p->open) continue;
            FUZZ_CHECK(p->view.toServer.size() <= kMaxBuffered, "a session's requests pile up");
            const auto it = ports_.toClient.find(p->conn);
            FUZZ_CHECK(it == ports_.toClient.end() || it->second.size() <= kMaxBuffered, "server output piles up");
            FUZZ_CHECK(p->session.queuedLines() * 64 <= tc::client::kMaxQueuedBytes, "a session's line queue grows");
        }
        if (settled()) checkTables();
    }

private:
    std::size_t live() const {
        std::size_t n = 0;
        for (const auto& p : peers_) n += p->open ? 1 : 0;
        return n;
    }

    void checkServer() const {
        FUZZ_CHECK(ports_.timerRunning == (server_.pauseTag() != PauseTag::None), "pause timer and pause disagree");
        if (!server_.gamestarted()) return;
        const int seat = server_.currentseat();
        FUZZ_CHECK(seat >= 1 && seat <= 6, "game running with seat " + std::to_string(seat) + " on turn");
        // With no pause pending only a person at the table can move the game.
        if (server_.pauseTag() == PauseTag::None) {
            const auto& p = server_.player(seat);
            FUZZ_CHECK(p.active && p.loggedin && !p.watching,
                       "game stalled: seat " + std::to_string(seat) + " is the computer's and no pause is pending");
        }
    }

    void checkTables() {
        const bool running = server_.gamestarted();
        const int seat = server_.currentseat();
        for (const auto& p : peers_) {
            if (!p->open) continue;
            const int slot = server_.slotOf(p->conn);
            if (slot == 0 || !server_.player(slot).loggedin) continue;
            const Session& s = p->session;
            const std::string who = "slot " + std::to_string(slot) + ": ";
            FUZZ_CHECK(s.myseat() == slot, who + "session thinks it is slot " + std::to_string(s.myseat()));
            if (!running) continue;
            // After a round the server already holds the next seat, but names
            // it only when the next round starts.
            if (server_.pauseTag() != PauseTag::NextRound)
                FUZZ_CHECK(s.currentplayer() == seat, who + "shows seat " + std::to_string(s.currentplayer()) +
                                                          " on turn, server seat " + std::to_string(seat));
            // A table that joined mid-turn is only told the tiles of later turns.
            if (ports_.sawTurnStart.count(p->conn))
                for (int t = 1; t <= 9; ++t)
                    if (server_.tiles()[t - 1] == "o")
                        FUZZ_CHECK_NAMED("shut-tiles", s.table().tiles[t - 1] == "o",
                                   who + "tile " + std::to_string(t) + " shut on the server shows " +
                                       shown(s.table().tiles[t - 1]));
            // A finished turn's score is on every table during the pause after it.
            if (server_.pauseTag() == PauseTag::TurnOver) {
                const int score = server_.player(seat).score;
                const std::string shownScore = s.table().seats[seat - 1].score;
                FUZZ_CHECK(shownScore == std::to_string(score),
                           who + "seat " + std::to_string(seat) + " score shown " + shown(shownScore) +
                               ", server " + std::to_string(score));
            }
        }
        // The server waits for the person on turn: his table must let him move.
        if (running && server_.pauseTag() == PauseTag::None) {
            for (const auto& p : peers_) {
                if (!p->open || server_.slotOf(p->conn) != seat || !server_.player(seat).loggedin) continue;
                FUZZ_CHECK_NAMED("turn-stall", p->session.currentplayer() == seat && p->session.mayselect(),
                           "stall: the server waits for seat " + std::to_string(seat) +
                               " but its table does not let it move (mayselect " +
                               std::to_string(p->session.mayselect()) + ")");
            }
        }
    }

    WirePorts ports_;
    tc::game::Lcg rng_;
    std::int64_t now_ = 0;
    TServer server_;
    std::vector<std::unique_ptr<Peer>> peers_;
};

// The seat on turn plays the computer's choice through its own table.
void playMove(Table& table) {
    const TServer& server = table.server();
    if (!server.gamestarted()) return;
    const int seat = server.currentseat();
    Peer* p = table.holderOf(seat);
    if (!p) return;
    const std::string move = tc::game::moveText(seat, server.die1(), server.die2(), server.tiles());
    if (move.empty()) return;
    std::size_t at = move.find('+');
    while (at != std::string::npos) {
        const std::size_t end = move.find('+', at + 1);
        const std::string item = move.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
        if (!item.empty()) p->session.clickTile(std::stoi(item));
        at = end;
    }
    p->session.clickRoll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    Table table(in.u32());
    table.join();
    table.check();

    while (!in.empty()) {
        switch (in.byte() % 12) {
        case 0: {
            Peer* p = table.pick(in);
            const int tile = in.byte() % 9 + 1;
            if (p) p->session.clickTile(tile);
            break;
        }
        case 1:
            if (Peer* p = table.pick(in)) p->session.clickRoll();
            break;
        case 2: {
            Peer* p = table.pick(in);
            const int marks = in.byte() % 8 + 3;
            if (p) p->session.startGame(marks);
            break;
        }
        case 3:
            if (Peer* p = table.pick(in)) p->session.justWatchClicked();
            break;
        case 4: {
            Peer* p = table.pick(in);
            const std::string text = in.chunkOrRun();
            if (p) p->session.sendTyped(text, 0xFF0000);
            break;
        }
        case 5:
            if (Peer* p = table.pick(in)) table.leave(*p);
            break;
        case 6: table.join(); break;
        case 7:
            for (int n = in.byte() % 8 + 1; n > 0; --n) table.pauseTick();
            break;
        case 8: table.settle(); break;
        case 9:
            if (Peer* p = table.pick(in)) table.drain(*p);
            break;
        case 10: playMove(table); break;
        case 11:
            for (int n = 0; n < 16 && table.server().pauseTag() != PauseTag::None; ++n) {
                table.settle();
                table.pauseTick();
            }
            break;
        }
        table.check();
    }
    table.settle();
    table.check();
    return 0;
}
