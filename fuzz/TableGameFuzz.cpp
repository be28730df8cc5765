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
// An operation byte of 0xE0..0xEF is one of these instead, chosen by the next byte % 8;
// the server keeps a dropped player's seat for two minutes:
//   0 a stranger's own connection (made at its first use) sends a request
//     built from a keyword and fields: login flag, keyword, field count, fields
//   1 a session's connection drops without a word: who
//   2 a dropped session's copy comes back with its seat key: who, ticks first (0..15)
//   3 a dropped session's copy gives its seat up with the key: who
//   4 a session switches Show Best Move: who, on
//   5 a session's other clicks: who, kind (by kind % 8: tile 0 or 10, Escape,
//     the start button, the offered Marks kind % 14, else a start with kind % 14 Marks)
//   6 the computer player is switched: expert flag
//   7 the first player's connection ends (a headless server's host leaves)
// A session that leaves with operation 5 says so first, so its seat is let go.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "session/ReclaimHandshake.h"
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
        static const std::string kKey = "CMD_seatkey+";
        if (bytes.rfind(kKey, 0) == 0 && server)
            newestKey[server->slotOf(conn)] = bytes.substr(kKey.size(), bytes.find('+', kKey.size()) - kKey.size());
        toClient[conn] += bytes;
    }
    const TServer* server = nullptr;
    // The key each seat was sent last: a copy holding an older one is a
    // stale copy of an earlier player of the seat.
    std::map<int, std::string> newestKey;
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
    // Dropped, its seat kept: trying to come back with the key.
    bool lost = false;
};

class Table {
public:
    explicit Table(std::uint32_t seed) : rng_(seed), server_(ports_, rng_, [this] { return now_; }) {
        server_.setHoldMs(tc::server::kHoldMs);
        ports_.server = &server_;
    }
    // One pause tick, a second of the server's clock.
    void pauseTick() {
        now_ += 1000;
        server_.pauseTick();
    }

    const TServer& server() const { return server_; }
    TServer& server() { return server_; }

    void join() {
        if (live() + lost() >= kMaxLive || peers_.size() >= kMaxMade) return;
        const bool host = peers_.empty();
        auto peer = std::make_unique<Peer>(static_cast<std::uint32_t>(peers_.size() * 7919 + 1));
        peer->host = host;
        // The sessions' own clock moves with their ticks, so chat that
        // waits for its pace leaves as it would, whatever the machine's speed.
        peer->session.setClock([this] { return sessionMs_; });
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

    void leave(Peer& p, bool evenHost = false) {
        if ((p.host && !evenHost) || !p.open) return;  // the host's window is the server
        // Leaving on purpose: the server hears it before the connection ends.
        p.session.leave();
        if (!p.view.toServer.empty()) server_.bytesArrived(p.conn, p.view.toServer);
        p.view.toServer.clear();
        p.open = false;
        server_.connectionClosed(p.conn);
        ports_.toClient.erase(p.conn);
    }

    // The connection ends without a word, as when a cable is pulled: the
    // session handles what it had, and waits to come back if its seat is kept.
    void drop(Peer& p) {
        if (p.host || !p.open) return;
        p.open = false;
        server_.connectionClosed(p.conn);
        ports_.toClient.erase(p.conn);
        p.view.toServer.clear();
        p.session.onSocketClosed();
        for (std::size_t n = ticksToRest(p); n > 0 && p.session.needsTicks(); --n) tickOnce(p);
        p.lost = p.session.reconnecting();
    }

    // A dropped copy on a new connection presents its key: to take the seat
    // back, or to give it up.
    void comeBack(Peer& p, bool giveUp) {
        if (!p.lost) return;
        using tc::client::ReclaimHandshake;
        ReclaimHandshake h(p.session.seatKey(), giveUp ? ReclaimHandshake::Purpose::Leave
                                                        : ReclaimHandshake::Purpose::Return);
        const ConnId conn = server_.connectionArrived("fuzz");
        if (tracing())
            std::fprintf(stderr, "copy of seat %d comes back with key %.8s\n", p.session.myseat(),
                         p.session.seatKey().c_str());
        for (int round = 0; round < 4 && !h.finished(); ++round) {
            std::string bytes = std::move(ports_.toClient[conn]);
            ports_.toClient.erase(conn);
            const std::string reply = h.onBytes(bytes);
            if (!reply.empty()) server_.bytesArrived(conn, reply);
        }
        const bool closed = ports_.closedByServer.count(conn) > 0;
        switch (h.state()) {
        case ReclaimHandshake::State::Reclaimed:
            FUZZ_CHECK(server_.slotOf(conn) == h.seat() && h.seat() == p.session.myseat(),
                       "came back to seat " + std::to_string(h.seat()) + " on the server's slot " +
                           std::to_string(server_.slotOf(conn)));
            p.conn = conn;
            p.open = true;
            p.lost = false;
            p.session.reclaimed(h.rest());
            return;
        case ReclaimHandshake::State::Left:
            FUZZ_CHECK(giveUp && closed, "gave the seat up, and the connection stays");
            FUZZ_CHECK(!server_.held(p.session.myseat()), "seat still kept after it was given up");
            p.lost = false;
            p.session.reconnectFailed("You stopped reconnecting; the game is left.");
            break;
        case ReclaimHandshake::State::Refused:
            FUZZ_CHECK(!server_.held(p.session.myseat()) || ports_.newestKey[p.session.myseat()] != p.session.seatKey(),
                       "refused the newest key of a kept seat");
            p.lost = false;
            p.session.reconnectFailed("Back on the line, but the game no longer keeps your seat.");
            break;
        default:
            FUZZ_CHECK(false, "the server left a returning copy waiting: state " +
                                  std::to_string(static_cast<int>(h.state())));
        }
        ports_.toClient.erase(conn);
        if (!closed) server_.connectionClosed(conn);
    }

    // A stranger's own connection, made at its first use.
    void stranger(const std::string& line, bool login) {
        if (strangerConn_ == 0 || ports_.closedByServer.count(strangerConn_)) {
            strangerConn_ = server_.connectionArrived("stranger");
            if (login && !ports_.closedByServer.count(strangerConn_))
                server_.bytesArrived(strangerConn_, "CMD_logininfo+" + std::to_string(server_.slotOf(strangerConn_)) +
                                                        "+1.0.3+Eve\xFF");
        }
        server_.bytesArrived(strangerConn_, line + '\xFF');
        ports_.toClient.erase(strangerConn_);
    }
    int strangerSlot() const { return server_.slotOf(strangerConn_); }

    // A dropped session chosen by a byte, or none.
    Peer* pickLost(FuzzInput& in) {
        std::vector<Peer*> lost;
        for (auto& p : peers_)
            if (p->lost) lost.push_back(p.get());
        const std::uint8_t b = in.byte();
        return lost.empty() ? nullptr : lost[b % lost.size()];
    }

    void pauseTicks(int count) {
        for (int n = 0; n < count; ++n) pauseTick();
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

    // One tick of a session's timer, 10 ms of its clock.
    void tickOnce(Peer& p) {
        sessionMs_ += kTickMs;
        p.session.tick();
    }
    // Enough ticks for every queued line, every chat line waiting for its
    // pace (a third of a second each) and the phrase lock.
    static std::size_t ticksToRest(const Peer& p) {
        return p.session.queuedLines() + 400 + tc::client::kMaxWaitingLines * (400 / kTickMs);
    }

    // Ticks one session until it needs no more, its lines delivered first.
    void drain(Peer& p) {
        deliverTo(p);
        for (std::size_t n = ticksToRest(p); n > 0 && p.open && p.session.needsTicks(); --n) tickOnce(p);
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
    std::size_t lost() const {
        std::size_t n = 0;
        for (const auto& p : peers_) n += p->lost ? 1 : 0;
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
            FUZZ_CHECK(p.active && p.loggedin && !p.watching && !p.away,
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
    ConnId strangerConn_ = 0;
    static constexpr std::int64_t kTickMs = 10;
    std::int64_t sessionMs_ = 0;
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

// What a stranger's connection may ask of the game, with fields near the
// edges of every range the server checks.
constexpr const char* kRequests[] = {"CMD_closethem", "CMD_slide", "CMD_startgame", "CMD_justwatch", "CMD_kickhim",
                                     "CMD_chat", "CMD_playasound", "CMD_keyack", "CMD_leaving"};
constexpr const char* kFields[] = {"0", "1", "2", "3", "4", "5", "6", "7", "9", "10", "11", "up", "down",
                                   "", "x", "-1", "2147483648", "12", "45"};

void strangerStep(Table& table, FuzzInput& in) {
    const bool login = in.byte() & 1;
    std::string line = kRequests[in.byte() % std::size(kRequests)];
    const std::uint8_t shape = in.byte();
    for (int n = shape % 8; n > 0; --n) {
        const std::uint8_t pick = in.byte();
        // From 0xF0 up: the stranger's own slot, as a client names it.
        line += "+" + (pick >= 0xF0 ? std::to_string(table.strangerSlot()) : std::string(kFields[pick % std::size(kFields)]));
    }
    if (shape & 0x80) line += '+';
    table.stranger(line, login);
}

void extensionStep(Table& table, FuzzInput& in) {
    switch (in.byte() % 8) {
    case 0: strangerStep(table, in); break;
    case 1:
        if (Peer* p = table.pick(in)) table.drop(*p);
        break;
    case 2: {
        Peer* p = table.pickLost(in);
        table.pauseTicks(in.byte() % 16);
        if (p) table.comeBack(*p, false);
        break;
    }
    case 3:
        if (Peer* p = table.pickLost(in)) table.comeBack(*p, true);
        break;
    case 4: {
        Peer* p = table.pick(in);
        const bool on = in.byte() & 1;
        if (p) p->session.setShowBestMove(on);
        break;
    }
    case 5: {
        Peer* p = table.pick(in);
        const std::uint8_t kind = in.byte();
        if (!p) break;
        switch (kind % 8) {
        case 0: p->session.clickTile(kind & 8 ? 10 : 0); break;
        case 1: p->session.putTilesBackUp(); break;
        case 4: p->session.clickStart(); break;
        case 5: p->session.offerMarks(kind % 14); break;
        default: p->session.startGame(kind % 14); break;
        }
        break;
    }
    case 6: table.server().setRudi(in.byte() & 1 ? tc::game::Rudi::Expert : tc::game::Rudi::Classic); break;
    default:
        if (Peer* p = table.pick(in); p && p->host) table.leave(*p, true);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    Table table(in.u32());
    table.join();
    table.check();

    while (!in.empty()) {
        const std::uint8_t op = in.byte();
        if (op >= 0xE0 && op < 0xF0) {
            extensionStep(table, in);
            table.check();
            continue;
        }
        switch (op % 12) {
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
