// The server's connections: slots, login and relays (the flood and output
// limits are in TServerLimits.cpp).
#include "server/TServer.h"

#include <algorithm>
#include <chrono>

#include "game/ComputerPlayer.h"
#include "net/Cp1252.h"
#include "net/Fields.h"
#include "net/Message.h"

namespace tc::server {

using net::FieldReader;

std::int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TServer::TServer(ServerPorts& ports, game::Lcg& rng, Clock clock)
    : ports_(ports), rng_(rng), clock_(std::move(clock)) {}

int TServer::slotOf(ConnId conn) const {
    const auto it = conns_.find(conn);
    return it == conns_.end() ? 0 : it->second.slot;
}

std::string TServer::cleanName(std::string_view raw, int slot) {
    std::string name;
    for (char c : raw)
        if (c != '+' && c != '|') name += c;
    auto trim = [](std::string& s) {
        const auto first = s.find_first_not_of(' ');
        if (first == std::string::npos) { s.clear(); return; }
        s.erase(0, first);
        s.erase(s.find_last_not_of(' ') + 1);
    };
    trim(name);
    if (name.size() > kMaxNameBytes) {
        name.resize(kMaxNameBytes);
        trim(name);
    }
    if (name.empty()) name = "Player" + std::to_string(slot);
    return name;
}

std::string TServer::utf8(std::string_view wire) { return net::cp1252ToUtf8(wire); }

std::string TServer::who(int slot) const {
    const auto& n = player_[slot].name;
    return "slot " + std::to_string(slot) + (n.empty() ? std::string() : " (" + utf8(n) + ")");
}

// ---------------------------------------------------------------------------
// Connections

ConnId TServer::connectionArrived(const std::string& peer) {
    const ConnId id = nextConn_++;
    // "a.b.c.d:port" or "v6address:port"; the port changes with every connection.
    const std::string address = peer.substr(0, peer.rfind(':') == std::string::npos ? peer.size() : peer.rfind(':'));
    const int slot = chooseSlot(peer, address);
    if (slot < 0) {
        // Not told the table is full: it is not, and a later try may get in.
        ports_.close(id);
        afterInput();
        return id;
    }
    if (slot == 0) {
        if (waitAtFullTable(id, peer)) return id;
        // A storm at a full table would flood the log: one line per episode.
        const std::int64_t now = clock_();
        if (!refusedFull_ || now - lastRefusedFullMs_ >= kTurnAwayEpisodeMs)
            log("refused " + peer + ": all nine slots in use (more within 10 s are not logged)");
        refusedFull_ = true;
        lastRefusedFullMs_ = now;
        ports_.send(id, net::frame("CMD_full+"));
        ports_.close(id);
        return id;
    }
    auto& p = player_[slot];
    p.active = true;
    p.conn = id;
    p.loggedin = false;
    Connection& c = conns_.try_emplace(id).first->second;
    c.slot = slot;
    c.address = address;
    c.talk = FloodGate(talkLimits_);
    c.slides = FloodGate(slideLimits_);
    c.progressMs = clock_();
    c.arrivedMs = c.progressMs;
    log("connect slot " + std::to_string(slot) + " from " + peer);
    sendTo(slot, "CMD_sendlogininfo+" + std::to_string(slot));
    afterInput();
    return id;
}

void TServer::bytesArrived(ConnId conn, std::string_view bytes) {
    const auto it = conns_.find(conn);
    if (it == conns_.end()) {
        std::string rest;
        if (!fullTableBytes(conn, bytes, rest)) return;
        if (!rest.empty() && conns_.count(conn)) bytesArrived(conn, rest);
        else afterInput();
        return;
    }
    int slot = it->second.slot;
    std::vector<std::string> lines;
    std::size_t dropped = 0;
    // Other clients of this protocol do not cut what they send: an
    // overlong line (a pasted paragraph) costs only itself.
    const bool withinRun = it->second.framer.feedDiscarding(bytes, lines, dropped);
    if (dropped)
        log("dropped " + std::to_string(dropped) + (dropped == 1 ? " line" : " lines") + " longer than " +
            std::to_string(net::kMaxLineBytes) + " bytes from " + who(slot));
    const bool beforeLogin = !player_[slot].loggedin;
    for (const auto& line : lines) {
        if (slotOf(conn) == 0) break;  // a handler closed this connection
        const bool wasLoggedIn = player_[slot].loggedin;
        dispatch(slot, line);
        // A returning player's connection moves to his kept seat.
        if (slotOf(conn) != 0) slot = slotOf(conn);
        if (!wasLoggedIn && slotOf(conn) != 0 && player_[slot].loggedin) strangers_.loggedIn(conns_.at(conn).address);
        if (!wasLoggedIn && slotOf(conn) == slot && !player_[slot].loggedin && !keepBeforeLogin(conn, 0, 1))
            break;
    }
    if (beforeLogin && slotOf(conn) == slot && !player_[slot].loggedin)
        keepBeforeLogin(conn, bytes.size(), static_cast<int>(dropped));
    if (!withinRun && slotOf(conn) == slot)
        disconnectsock(slot, "over " + std::to_string(net::kMaxRunBytes) + " bytes without a line end");
    afterInput();
}

void TServer::connectionClosed(ConnId conn) {
    waiting_.erase(conn);
    const auto it = conns_.find(conn);
    if (it == conns_.end()) return;
    const int slot = it->second.slot;
    const bool onPurpose = it->second.leaving;
    const std::string address = it->second.address;
    conns_.erase(it);
    log("leave " + who(slot) + (onPurpose ? " on purpose" : ""));
    if (onPurpose || !holdSeat(slot, address)) release(slot);
    afterInput();
}

void TServer::disconnectsock(int slot, const std::string& why) {
    auto& p = player_[slot];
    if (!p.active) return;
    const ConnId conn = p.conn;
    log("close " + who(slot) + ": " + why);
    if (conn != 0) {  // a kept seat has no connection left to close
        conns_.erase(conn);
        ports_.close(conn);
    }
    release(slot);
}

void TServer::refuse(int slot, const std::string& answer, const std::string& why) {
    auto& p = player_[slot];
    const ConnId conn = p.conn;
    log("refused " + who(slot) + ": " + why);
    ports_.send(conn, net::frame(answer));
    conns_.erase(conn);
    ports_.close(conn);
    // Never logged in: nobody is told, and it held no turn.
    release(slot);
}

void TServer::release(int slot) {
    auto& p = player_[slot];
    if (!p.active) return;
    // A stranger's end is nobody's business: the table never heard of it.
    const bool wasSeated = p.loggedin;
    if (wasSeated) sendAllBut(slot, "CMD_playerdisconnected+" + std::to_string(slot) + "+" + p.name);
    hold_.end(slot);
    keys_.drop(slot);
    p.away = false;
    p.awayFrom.clear();
    p.active = false;
    p.name.clear();
    p.conn = 0;
    p.loggedin = false;
    // A turn already over is passed on by its pending pause; a stranger
    // never held one.
    if (!wasSeated || !gamestarted_ || slot != currentseat_ || !turnOpen()) return;
    stopPause();
    if (slot == 2) {
        // Seat 2 falls back to the computer, which plays the rest of the
        // turn; the seat keeps its place in the order and gets a real score.
        cplay();
    } else {
        findplayer();
    }
}

bool TServer::keepBeforeLogin(ConnId conn, std::size_t bytes, int lines) {
    Connection& c = conns_.at(conn);
    c.junkLines += lines;
    c.bytesBeforeLogin += bytes;
    if (c.junkLines >= kJunkLinesBeforeLogin) {
        disconnectsock(c.slot, "no login after " + std::to_string(c.junkLines) + " other lines");
        return false;
    }
    if (c.bytesBeforeLogin > kJunkBytesBeforeLogin) {
        disconnectsock(c.slot, "no login after " + std::to_string(c.bytesBeforeLogin) + " bytes");
        return false;
    }
    return true;
}

void TServer::checkLogins() {
    checkWaiting();
    if (loginMs_ <= 0) return;
    const std::int64_t now = clock_();
    std::vector<int> silent;
    for (const auto& [id, c] : conns_)
        if (!player_[c.slot].loggedin && now - c.arrivedMs >= loginMs_) silent.push_back(c.slot);
    std::sort(silent.begin(), silent.end());
    const std::string why = loginMs_ % 1000 == 0 ? std::to_string(loginMs_ / 1000) + " s"
                                                 : std::to_string(loginMs_) + " ms";
    for (int slot : silent) disconnectsock(slot, "no login within " + why);
    afterInput();
}

// ---------------------------------------------------------------------------
// Dispatch and seat requests

void TServer::dispatch(int slot, const std::string& line) {
    std::string key, data;
    if (!net::splitKey(line, key, data)) return;
    // Before its login a connection is a stranger: only the login counts,
    // or a returning copy's key for its kept seat, to take it or give it up.
    if (!player_[slot].loggedin && key != "CMD_logininfo" && key != "CMD_reclaim" && key != "CMD_giveup") return;
    try {
        if (key == "CMD_logininfo") receivedlogininfo(slot, data);
        else if (key == "CMD_kickhim") kickhim(slot, data);
        else if (key == "CMD_chat") chat(slot, data);
        else if (key == "CMD_action") action(slot, data);
        else if (key == "CMD_startgame") startgame(slot, data);
        else if (key == "CMD_justwatch") justwatch(slot, data);
        else if (key == "CMD_slide") slide(slot, data);
        else if (key == "CMD_closethem") closethem(slot, data);
        else if (key == "CMD_playasound") playasound(slot, data);
        else if (key == "CMD_keyack") keyack(slot, data);
        else if (key == "CMD_leaving") leaving(slot, data);
        else if (key == "CMD_reclaim") reclaim(slot, data);
        else if (key == "CMD_giveup") giveup(slot, data);
        else if (key == "CMD_letbackin") letbackin(slot, data);
    } catch (const net::ConversionError& e) {
        log("ignored " + utf8(key) + " from slot " + std::to_string(slot) + ": " + utf8(e.what()));
    }
}

void TServer::receivedlogininfo(int slot, const std::string& data) {
    FieldReader r(data);
    const int n = r.positionalInt();
    const std::string version = r.positional();
    const std::string raw = r.rest();
    if (n != slot) {
        log("ignored login naming slot " + std::to_string(n) + " from slot " + std::to_string(slot));
        return;
    }
    auto& p = player_[slot];
    if (p.loggedin) return;  // one login per connection: no renaming mid-game
    const std::string name = cleanName(raw, slot);
    const auto conn = conns_.find(p.conn);
    const std::string address = conn == conns_.end() ? std::string() : conn->second.address;
    if (removed_.contains(address, name)) {
        // Told the truth; a client that does not know the message sees its
        // connection close.
        p.name = name;
        refuse(slot, "CMD_removed+", "removed by the host earlier, from " + address);
        return;
    }
    p.name = name;
    p.loggedin = true;
    // A newcomer plays his seat himself, whatever its last holder chose.
    if (slot <= game::kSeatCount) p.watching = false;
    const std::string ns = std::to_string(n);
    const bool versionOk = version == kServerVersion;
    log("login " + who(slot) + " version " + utf8(version) + (versionOk ? "" : " (wrong version)"));

    sendAll("CMD_newplayerinfo+" + ns + "+" + p.name + "+0");
    std::vector<std::string> beforeGame;
    if (!versionOk) {
        // The host hears of it, the newcomer too (the host may be both).
        if (n == 1) beforeGame.push_back("CMD_havewrongversion+" + p.name);
        else if (seated(1)) sendTo(1, "CMD_havewrongversion+" + p.name);
        beforeGame.push_back("CMD_wrongversion+");
    }
    catchUp(n, beforeGame);
    tellAfterLogin(n);
}

void TServer::kickhim(int slot, const std::string& data) {
    FieldReader r(data);
    const int sender = r.positionalInt();
    const int target = r.positionalInt();
    if (sender != slot || slot != 1) return;  // only the host removes players
    if (target < 1 || target > kSlotCount) return;
    const auto& p = player_[target];
    if (p.active && p.loggedin) {
        // The host means it: the same name from the same address stays out,
        // also one whose seat is kept after a drop.
        const auto conn = conns_.find(p.conn);
        const std::string address = conn != conns_.end() ? conn->second.address : p.away ? p.awayFrom : std::string();
        if (!address.empty()) {
            removed_.add(address, p.name);
            log("keeping out " + utf8(p.name) + " from " + address + " from now on");
        }
        sendTo(target, "CMD_removed+");
    }
    disconnectsock(target, "removed by the host");
}

void TServer::letbackin(int slot, const std::string& data) {
    FieldReader r(data);
    const int sender = r.positionalInt();
    if (sender != slot || slot != 1) return;  // the host's list
    const std::size_t n = removed_.clear();
    log("letting back in " + std::to_string(n) + (n == 1 ? " removed player" : " removed players"));
    sendTo(1, "CMD_letbackin+" + std::to_string(n) + "+");
}

void TServer::relayText(int slot, const std::string& data, const char* keyword, const char* between) {
    FieldReader r(data);
    const std::string senderText = r.positional();
    if (net::toInt(senderText) != slot) return;
    std::string line = std::string(keyword) + "+" + senderText + "+" + player_[slot].name + between + r.rest();
    // The name in front can push a text near the cap over it, and every
    // client drops a line over the cap: say so here instead of sending it.
    if (line.size() > net::kMaxLineBytes) {
        log("ignored " + std::string(keyword) + " from " + who(slot) + ": longer than " +
            std::to_string(net::kMaxLineBytes) + " bytes with the name");
        return;
    }
    if (!admit(slot, &Connection::talk, "chat, actions and sounds", line.size())) return;
    sendAll(line);
}

void TServer::chat(int slot, const std::string& data) { relayText(slot, data, "CMD_chat", " chats: "); }

void TServer::action(int slot, const std::string& data) { relayText(slot, data, "CMD_action", " "); }

void TServer::playasound(int slot, const std::string& data) {
    FieldReader r(data);
    const int sender = r.positionalInt();
    if (sender != slot) return;
    const std::string line = "CMD_playasound+" + std::to_string(sender) + "+" + r.rest();
    if (!admit(slot, &Connection::talk, "chat, actions and sounds", line.size())) return;
    sendAll(line);
}

void TServer::justwatch(int slot, const std::string& data) {
    FieldReader r(data);
    const int seat = r.positionalInt();
    const std::string flag = r.rest();
    if (seat < 1 || seat > game::kSeatCount) return;  // spectators have no seat to hand over
    if (slot != seat && slot != 1) return;
    if (flag != "1" && flag != "2") return;
    // Every answer goes to everyone: toggled without end it floods like chat.
    if (!admit(slot, &Connection::requests, kRequestsWhat, 20)) return;
    if (flag == "2" && player_[seat].away) return;  // the computer plays a kept seat until its player is back
    if (flag == "2") {
        player_[seat].watching = false;
        log("seat " + std::to_string(seat) + " plays again");
        sendAll("CMD_justwatching+" + std::to_string(seat) + "+2");
    } else {
        player_[seat].watching = true;
        log("seat " + std::to_string(seat) + " just watching");
        sendAll("CMD_justwatching+" + std::to_string(seat) + "+1");
        // Only a live roll is played; after a game or a turn's end there is none.
        if (seat == currentseat_ && turnOpen()) cplay();
    }
}

// ---------------------------------------------------------------------------
// Output

void TServer::sendTo(int slot, const std::string& line) {
    const auto& p = player_[slot];
    if (!p.active || p.conn == 0) return;
    ports_.send(p.conn, net::frame(line));
    watchOutput(p.conn);
}

void TServer::sendAll(const std::string& line) {
    const std::string bytes = net::frame(line);
    for (int s = 1; s <= playercount_; ++s) {
        if (!seated(s) || player_[s].conn == 0) continue;
        ports_.send(player_[s].conn, bytes);
        watchOutput(player_[s].conn);
    }
}

void TServer::sendAllBut(int slot, const std::string& line) {
    const std::string bytes = net::frame(line);
    for (int s = 1; s <= playercount_; ++s) {
        if (s == slot || !seated(s) || player_[s].conn == 0) continue;
        ports_.send(player_[s].conn, bytes);
        watchOutput(player_[s].conn);
    }
}

} // namespace tc::server
