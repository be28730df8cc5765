// Seats kept for players whose connection dropped during a game, and the
// return of the same copy with its seat's key. The seat stays in the game
// (turn order, score, Marks) with no connection, and the computer plays it
// as for a seat set to just watch; older clients are told exactly that, and
// hear of the leaving only when the hold ends.
#include "server/TServer.h"

#include "net/Fields.h"
#include "net/Message.h"

namespace tc::server {

using net::FieldReader;

std::string TServer::awayLine(int seat) const {
    return "CMD_away+" + std::to_string(seat) + "+" + std::to_string(hold_.leftSeconds(seat, clock_())) + "+";
}

std::string TServer::shutTilesLine() const {
    std::string digits;
    for (const auto& t : tiles_) digits += t == "o" ? '1' : '0';
    return "CMD_shuttiles+" + digits + "+";
}

bool TServer::mayHold(int slot) const {
    if (slot < 1 || slot > game::kSeatCount) return false;
    const auto& p = player_[slot];
    return hold_.enabled() && gamestarted_ && p.active && p.loggedin && keys_.acknowledged(slot);
}

bool TServer::holdSeat(int slot, const std::string& address) {
    if (!mayHold(slot)) return false;
    auto& p = player_[slot];
    p.awayFrom = address;
    p.conn = 0;
    p.away = true;
    hold_.hold(slot, clock_());
    const std::string s = std::to_string(slot);
    log("keeping seat " + s + " (" + utf8(p.name) + ") for " + std::to_string(hold_.leftSeconds(slot, clock_())) +
        " s");
    sendAllBut(slot, awayLine(slot));
    if (!p.watching) {
        sendAllBut(slot, "CMD_justwatching+" + s + "+1");
        // A roll that waits for the player is the computer's now.
        if (slot == currentseat_ && turnOpen()) cplay();
    }
    return true;
}

void TServer::checkHolds() {
    for (int seat : hold_.expire(clock_())) {
        log("seat " + std::to_string(seat) + " kept no longer: " + who(seat));
        release(seat);
    }
    checkWaiting();
    afterInput();
}

void TServer::shutdown() {
    sendAll("CMD_serverclosing+");
}

void TServer::retellKept() {
    for (int seat : hold_.seats()) sendAll("CMD_justwatching+" + std::to_string(seat) + "+1");
}

void TServer::releaseHeld() {
    for (int seat : hold_.seats()) release(seat);
}

void TServer::catchUp(int slot, const std::vector<std::string>& beforeGame) {
    std::string others;
    for (int o = 1; o <= playercount_; ++o) {
        if (o == slot || !seated(o)) continue;
        others += "+" + std::to_string(o) + "+" + player_[o].name + (player_[o].watching || player_[o].away ? "+1" : "+0");
    }
    if (!others.empty()) sendTo(slot, "CMD_existingplayers" + others);
    for (const auto& line : beforeGame) sendTo(slot, line);
    if (!gamestarted_) return;
    sendTo(slot, "CMD_gamestats+" + std::to_string(currentseat_) + "+" + std::to_string(dice_[0]) + "+" +
                     std::to_string(dice_[1]) + "+" + std::to_string(pointstowin_) + "+");
    std::string scores = "CMD_updatescores";
    for (int o = 1; o <= game::kSeatCount; ++o) {
        const int score = player_[o].score == kNotPlayedScore ? 0 : player_[o].score;
        scores += "+" + std::to_string(o) + "+" + std::to_string(score) + "+" + std::to_string(player_[o].marks);
    }
    sendTo(slot, scores);
    sendTo(slot, "CMD_rounds+" + std::to_string(rounds_) + "+");
    for (int held : hold_.seats())
        if (held != slot) sendTo(slot, awayLine(held));
}

void TServer::tellAfterLogin(int slot) {
    if (hold_.enabled() && slot >= 1 && slot <= game::kSeatCount) {
        const std::string key = keys_.issue(slot);
        sendTo(slot, "CMD_seatkey+" + key + "+" + std::to_string((hold_.holdMs() + 999) / 1000) + "+");
    }
}

void TServer::keyack(int slot, const std::string& data) {
    FieldReader r(data);
    if (r.positionalInt() != slot || !player_[slot].loggedin) return;
    keys_.acknowledge(slot);
}

void TServer::leaving(int slot, const std::string& data) {
    FieldReader r(data);
    if (r.positionalInt() != slot) return;
    const auto it = conns_.find(player_[slot].conn);
    if (it != conns_.end()) it->second.leaving = true;
}

int TServer::seatForKey(const std::string& key, ConnId presenter) {
    const int seat = keys_.match(key);
    if (seat == 0 || hold_.held(seat)) return seat;
    // The seat's old connection is still open: its player's copy noticed
    // the line fail long before keepalive tells us. During a game the key
    // is proof enough; the old connection ends here as a drop, unheard.
    const auto& p = player_[seat];
    const auto it = conns_.find(p.conn);
    if (p.conn == presenter || it == conns_.end() || it->second.leaving || !mayHold(seat)) return 0;
    const ConnId old = p.conn;
    const std::string address = it->second.address;
    log("seat " + std::to_string(seat) + " (" + utf8(p.name) + ") presented from a new connection: the old one ends as a drop");
    conns_.erase(it);
    ports_.close(old);
    return holdSeat(seat, address) ? seat : 0;
}

void TServer::giveSeatUp(ConnId conn, int seat) {
    log("seat " + std::to_string(seat) + " (" + utf8(player_[seat].name) + ") given up by its player");
    ports_.send(conn, net::frame("CMD_givenup+" + std::to_string(seat) + "+"));
    // The table hears the leaving as for anyone who leaves; the connection
    // that said it was never at the table and goes unannounced.
    release(seat);
}

void TServer::giveup(int slot, const std::string& data) {
    FieldReader r(data);
    if (r.positionalInt() != slot || player_[slot].loggedin) return;
    const int seat = seatForKey(r.positional(), player_[slot].conn);
    if (seat == 0) {
        log("refused a seat key from slot " + std::to_string(slot) + ": no seat is kept for it");
        sendTo(slot, "CMD_reclaimrefused+");
        return;
    }
    giveSeatUp(player_[slot].conn, seat);
    disconnectsock(slot, "gave up its kept seat");
}

void TServer::reclaim(int slot, const std::string& data) {
    FieldReader r(data);
    if (r.positionalInt() != slot) return;
    const std::string key = r.positional();
    auto& arrived = player_[slot];
    if (arrived.loggedin) return;  // a seated connection already has its seat
    const ConnId conn = arrived.conn;
    const int seat = seatForKey(key, conn);
    if (seat == 0) {
        log("refused a seat key from slot " + std::to_string(slot) + ": no seat is kept for it");
        sendTo(slot, "CMD_reclaimrefused+");
        return;
    }
    // The connection leaves the slot it was given on arrival, unannounced
    // (it never logged in there: a stranger, who took no turn), and takes
    // the kept seat over.
    arrived.active = false;
    arrived.conn = 0;
    arrived.name.clear();
    log("back " + who(seat) + " (from slot " + std::to_string(slot) + ")");
    takeSeat(conn, seat);
}

void TServer::takeSeat(ConnId conn, int seat) {
    conns_.at(conn).slot = seat;
    auto& p = player_[seat];
    p.conn = conn;
    p.away = false;
    p.awayFrom.clear();
    hold_.end(seat);
    const std::string s = std::to_string(seat);
    sendTo(seat, "CMD_yourseat+" + s + "+");
    std::vector<std::string> beforeGame;
    if (p.watching) beforeGame.push_back("CMD_justwatching+" + s + "+1");
    catchUp(seat, beforeGame);
    sendTo(seat, shutTilesLine());
    if (!p.watching) sendAllBut(seat, "CMD_justwatching+" + s + "+2");
    sendAllBut(seat, "CMD_back+" + s + "+");
}

} // namespace tc::server
