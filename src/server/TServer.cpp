#include "server/TServer.h"

#include <algorithm>
#include <chrono>

#include "game/ComputerPlayer.h"
#include "net/Cp1252.h"
#include "net/Fields.h"
#include "net/Message.h"

namespace tc::server {
namespace {

using net::FieldReader;

constexpr const char* kRequestsWhat = "just-watch requests and refused moves";

std::string joinSeats(const std::vector<int>& items, const char* sep) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += sep;
        out += std::to_string(items[i]);
    }
    return out;
}

std::string utf8(std::string_view wire) { return net::cp1252ToUtf8(wire); }

} // namespace

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

std::string TServer::who(int slot) const {
    const auto& n = player_[slot].name;
    return "slot " + std::to_string(slot) + (n.empty() ? std::string() : " (" + utf8(n) + ")");
}

// ---------------------------------------------------------------------------
// Connections

int TServer::chooseSlot() {
    if (playercount_ == 0) {
        playercount_ = 1;
        return 1;
    }
    int s = 1;
    while (player_[s].active && s < playercount_) ++s;
    if (!player_[s].active) return s;  // a freed slot, the lowest first
    if (playercount_ < kSlotCount) return ++playercount_;
    return 0;
}

ConnId TServer::connectionArrived(const std::string& peer) {
    const ConnId id = nextConn_++;
    const int slot = chooseSlot();
    if (slot == 0) {
        log("refused " + peer + ": all nine slots in use");
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
    c.talk = FloodGate(talkLimits_);
    c.slides = FloodGate(slideLimits_);
    c.progressMs = clock_();
    log("connect slot " + std::to_string(slot) + " from " + peer);
    sendTo(slot, "CMD_sendlogininfo+" + std::to_string(slot));
    closeOverflowing();
    return id;
}

void TServer::bytesArrived(ConnId conn, std::string_view bytes) {
    const auto it = conns_.find(conn);
    if (it == conns_.end()) return;
    const int slot = it->second.slot;
    std::vector<std::string> lines;
    std::size_t dropped = 0;
    // Other clients of this protocol do not cut what they send: an
    // overlong line (a pasted paragraph) costs only itself.
    const bool withinRun = it->second.framer.feedDiscarding(bytes, lines, dropped);
    if (dropped)
        log("dropped " + std::to_string(dropped) + (dropped == 1 ? " line" : " lines") + " longer than " +
            std::to_string(net::kMaxLineBytes) + " bytes from " + who(slot));
    for (const auto& line : lines) {
        if (slotOf(conn) != slot) break;  // a handler closed this connection
        dispatch(slot, line);
    }
    if (!withinRun && slotOf(conn) == slot)
        disconnectsock(slot, "over " + std::to_string(net::kMaxRunBytes) + " bytes without a line end");
    closeOverflowing();
}

void TServer::connectionClosed(ConnId conn) {
    const auto it = conns_.find(conn);
    if (it == conns_.end()) return;
    const int slot = it->second.slot;
    conns_.erase(it);
    log("leave " + who(slot));
    release(slot);
    closeOverflowing();
}

void TServer::disconnectsock(int slot, const std::string& why) {
    auto& p = player_[slot];
    if (!p.active) return;
    const ConnId conn = p.conn;
    conns_.erase(conn);
    log("close " + who(slot) + ": " + why);
    ports_.close(conn);
    release(slot);
}

void TServer::release(int slot) {
    auto& p = player_[slot];
    if (!p.active) return;
    sendAllBut(slot, "CMD_playerdisconnected+" + std::to_string(slot) + "+" + p.name);
    p.active = false;
    p.name.clear();
    p.conn = 0;
    p.loggedin = false;
    // A turn already over is passed on by its pending pause.
    if (!gamestarted_ || slot != currentseat_ || !turnOpen()) return;
    stopPause();
    if (slot == 2) {
        // Seat 2 falls back to the computer, which plays the rest of the
        // turn; the seat keeps its place in the order and gets a real score.
        cplay();
    } else {
        findplayer();
    }
}

// ---------------------------------------------------------------------------
// Flood control

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
    closeOverflowing();
}

// ---------------------------------------------------------------------------
// Dispatch and seat requests

void TServer::dispatch(int slot, const std::string& line) {
    std::string key, data;
    if (!net::splitKey(line, key, data)) return;
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
    p.name = cleanName(raw, slot);
    p.loggedin = true;
    const std::string ns = std::to_string(n);
    const bool versionOk = version == kServerVersion;
    log("login " + who(slot) + " version " + utf8(version) + (versionOk ? "" : " (wrong version)"));

    sendAll("CMD_newplayerinfo+" + ns + "+" + p.name + "+0");
    std::string others;
    for (int s = 1; s <= playercount_; ++s) {
        if (s == n || !player_[s].active) continue;
        others += "+" + std::to_string(s) + "+" + player_[s].name + (player_[s].watching ? "+1" : "+0");
    }
    if (!others.empty()) sendTo(n, "CMD_existingplayers" + others);
    if (!versionOk) {
        if (player_[1].active) sendTo(1, "CMD_havewrongversion+" + p.name);
        sendTo(n, "CMD_wrongversion+");
    }
    if (gamestarted_) {
        sendTo(n, "CMD_gamestats+" + std::to_string(currentseat_) + "+" + std::to_string(dice_[0]) + "+" +
                      std::to_string(dice_[1]) + "+" + std::to_string(pointstowin_) + "+");
        std::string scores = "CMD_updatescores";
        for (int s = 1; s <= game::kSeatCount; ++s) {
            const int score = player_[s].score == kNotPlayedScore ? 0 : player_[s].score;
            scores += "+" + std::to_string(s) + "+" + std::to_string(score) + "+" +
                      std::to_string(player_[s].marks);
        }
        sendTo(n, scores);
    }
}

void TServer::kickhim(int slot, const std::string& data) {
    FieldReader r(data);
    const int sender = r.positionalInt();
    const int target = r.positionalInt();
    if (sender != slot || slot != 1) return;  // only the host removes players
    if (target < 1 || target > kSlotCount) return;
    disconnectsock(target, "removed by the host");
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
// Game flow

void TServer::startgame(int slot, const std::string& data) {
    if (slot != 1) return;  // the host starts games
    FieldReader r(data);
    const std::string name = r.positional();
    const int marks = r.positionalInt();
    if (marks < 3 || marks > 10) {
        log("ignored game start with " + std::to_string(marks) + " marks to win");
        return;
    }
    gamestarted_ = true;
    stopPause();
    pointstowin_ = marks;
    log("game start by " + utf8(name) + ", " + std::to_string(marks) + " marks to win");
    sendAll("CMD_startgame+" + name + "+" + std::to_string(marks) + "+");
    tiles_ = game::allOpen();
    int held = 0;
    for (int s = 1; s <= game::kSeatCount; ++s) {
        auto& p = player_[s];
        p.score = kNotPlayedScore;
        p.watching = false;
        p.turns = 0;
        p.marks = 0;
        if (p.active) ++held;
    }
    currentseat_ = rng_.draw(1 + held);
    findplayer();
}

bool TServer::advanceSeat() {
    bool passedEmptySeatOne = false;
    // Seat 2 is always in the order, so this ends within six steps.
    for (int step = 0; step < game::kSeatCount; ++step) {
        currentseat_ = currentseat_ % game::kSeatCount + 1;
        if (inTurnOrder(currentseat_)) break;
        if (currentseat_ == 1) passedEmptySeatOne = true;
    }
    return passedEmptySeatOne;
}

void TServer::findplayer() { checkforroundover(advanceSeat()); }

void TServer::checkforroundover(bool passedEmptySeatOne) {
    // A round ends when the order comes back to seat 1 after seat 1's first
    // turn. An empty seat 1 counts as a turn of no length at its place, so
    // the rounds keep their shape when nobody holds seat 1.
    bool roundOver = false;
    if (currentseat_ == 1) {
        roundOver = player_[1].turns > 0;
    } else if (passedEmptySeatOne) {
        if (player_[1].turns > 0) roundOver = true;
        else ++player_[1].turns;
    }
    if (!roundOver) {
        startturn();
        return;
    }
    std::array<game::SeatResult, game::kSeatCount> seats{};
    for (int s = 1; s <= game::kSeatCount; ++s)
        seats[s - 1] = game::SeatResult{player_[s].active, player_[s].score};
    const std::vector<int> gained = game::roundMarks(seats);
    for (int s : gained) ++player_[s].marks;
    log("round over: a mark for seat " + joinSeats(gained, ", "));
    sendAll("CMD_roundwinner+" + joinSeats(gained, "+"));
    for (int s = 1; s <= game::kSeatCount; ++s) player_[s].score = 0;
    if (checkforwin()) return;
    startPause(PauseTag::NextRound, 5);
}

bool TServer::checkforwin() {
    std::array<int, game::kSeatCount> marks{};
    for (int s = 1; s <= game::kSeatCount; ++s) marks[s - 1] = player_[s].marks;
    const int w = game::winner(marks, pointstowin_);
    if (w == 0) return false;
    log("winner " + who(w) + " with " + std::to_string(player_[w].marks) + " marks");
    sendAll("CMD_winner+" + std::to_string(w) + "+");
    gamestarted_ = false;
    return true;
}

void TServer::startturn() {
    auto& p = player_[currentseat_];
    ++p.turns;
    tiles_ = game::allOpen();
    log("turn " + who(currentseat_) + (computerPlays(currentseat_) ? " (computer)" : ""));
    sendAll("CMD_nextplayer+" + std::to_string(currentseat_));
    getdice();
    if (currentseat_ == 2 || (p.active && p.watching)) startPause(PauseTag::ComputerMove, 2);
}

void TServer::getdice() {
    dice_[0] = rng_.draw(6) + 1;
    dice_[1] = rng_.draw(6) + 1;
    rollForEmptySeat_ = !player_[currentseat_].active;
    const int total = dice_[0] + dice_[1];
    const std::string seat = std::to_string(currentseat_);
    log("roll seat " + seat + ": " + std::to_string(dice_[0]) + " and " + std::to_string(dice_[1]));
    sendAll("CMD_placedice+1+" + std::to_string(dice_[0]) + "+2+" + std::to_string(dice_[1]) + "+");
    if (game::canmaketotal("o", tiles_, total)) {
        if (computerPlays(currentseat_)) startPause(PauseTag::ComputerMove, 1);
        return;
    }
    auto& p = player_[currentseat_];
    p.score = game::openSum(tiles_);
    const std::string score = std::to_string(p.score);
    log("turn over seat " + seat + ": no move, score " + score);
    sendAll("CMD_notvalid+" + seat + "+2+");
    sendAll("CMD_scores+" + seat + "+" + score + "+" + score + "+");
    startPause(PauseTag::TurnOver, 3);
}

void TServer::closethem(int fromSlot, const std::string& data) {
    FieldReader r(data);
    const int seat = r.positionalInt();
    if (fromSlot != 0 && seat != fromSlot) return;
    if (seat != currentseat_) return;
    const std::string seatText = std::to_string(seat);
    if (!turnOpen()) {
        // The mover's client keeps its tiles selectable after the turn ends;
        // the refusal slides its selection back up on every table.
        if (fromSlot != 0 && !admit(fromSlot, &Connection::requests, kRequestsWhat, 20)) return;
        log("refused close from seat " + seatText + ": the turn is over");
        sendAll("CMD_notvalid+" + seatText + "+1+");
        return;
    }

    std::vector<int> request;
    bool numeric = true;
    for (const auto& item : net::readList(r.rest())) {
        int v = 0;
        if (!net::tryToInt(item, v)) { numeric = false; break; }
        request.push_back(v);
    }
    if (!numeric || game::validateClose(tiles_, request, dice_[0] + dice_[1]) != game::CloseVerdict::Accept) {
        if (fromSlot != 0 && !admit(fromSlot, &Connection::requests, kRequestsWhat, 20)) return;
        log("refused close from seat " + seatText);
        sendAll("CMD_notvalid+" + seatText + "+1+");
        return;
    }
    for (int t : request) tiles_[t - 1] = "o";
    const std::string list = joinSeats(request, "+");
    log("close seat " + seatText + ": " + list);
    sendAll("CMD_closeit+" + list);
    if (!game::allShut(tiles_)) {
        getdice();
        return;
    }
    player_[seat].score = 0;
    log("turn over seat " + seatText + ": all nine shut, score 0");
    sendAll("CMD_scores+" + seatText + "+0+0+");
    startPause(PauseTag::TurnOver, 3);
}

void TServer::slide(int slot, const std::string& data) {
    FieldReader r(data);
    const int seat = r.positionalInt();
    if (seat != slot || seat != currentseat_) return;
    const std::string rest = r.rest();
    // A slide sent just before the server shut its tile arrives after the
    // close; relayed, it would reopen the shut tile on the other tables.
    FieldReader peek(rest);
    peek.positional();
    int tile = 0;
    if (net::tryToInt(peek.positional(), tile) && tile >= 1 && tile <= game::kTileCount &&
        tiles_[static_cast<std::size_t>(tile - 1)] == "o")
        return;
    const std::string line = "CMD_slide+" + rest;
    if (!admit(seat, &Connection::slides, "slides", line.size())) return;
    sendAllBut(seat, line);
}

void TServer::cplay() {
    if (currentseat_ < 1 || currentseat_ > game::kSeatCount) return;
    const std::string move = game::moveText(currentseat_, dice_[0], dice_[1], tiles_);
    if (!move.empty()) closethem(0, move);
}

bool TServer::turnOpen() const {
    return gamestarted_ &&
           !(pauseRunning_ && (pauseTag_ == PauseTag::TurnOver || pauseTag_ == PauseTag::NextRound));
}

void TServer::startPause(PauseTag tag, int count) {
    pauseTag_ = tag;
    pausecount_ = count;
    if (!pauseRunning_) {
        pauseRunning_ = true;
        ports_.startPauseTimer();
    }
}

void TServer::stopPause() {
    if (!pauseRunning_) return;
    pauseRunning_ = false;
    ports_.stopPauseTimer();
}

void TServer::pauseTick() {
    timerpauseTimer();
    closeOverflowing();
}

void TServer::timerpauseTimer() {
    if (!pauseRunning_) return;
    if (--pausecount_ >= 1) return;
    stopPause();
    if (!gamestarted_) return;
    switch (pauseTag_) {
    case PauseTag::TurnOver:
        findplayer();
        break;
    case PauseTag::ComputerMove:
        // Someone who took the empty seat after this roll never saw it, so
        // his table cannot answer it: the computer still plays it, and the
        // newcomer plays from the next roll on.
        if (computerPlays(currentseat_) || rollForEmptySeat_) cplay();
        break;
    case PauseTag::NextRound:
        sendAll("CMD_clearscores+");
        // The seat due may have emptied during the pause.
        if (!inTurnOrder(currentseat_)) advanceSeat();
        startturn();
        break;
    case PauseTag::None:
        break;
    }
}

// ---------------------------------------------------------------------------
// Output

void TServer::sendTo(int slot, const std::string& line) {
    const auto& p = player_[slot];
    if (!p.active) return;
    ports_.send(p.conn, net::frame(line));
    watchOutput(p.conn);
}

void TServer::sendAll(const std::string& line) {
    const std::string bytes = net::frame(line);
    for (int s = 1; s <= playercount_; ++s) {
        if (!player_[s].active) continue;
        ports_.send(player_[s].conn, bytes);
        watchOutput(player_[s].conn);
    }
}

void TServer::sendAllBut(int slot, const std::string& line) {
    const std::string bytes = net::frame(line);
    for (int s = 1; s <= playercount_; ++s) {
        if (s == slot || !player_[s].active) continue;
        ports_.send(player_[s].conn, bytes);
        watchOutput(player_[s].conn);
    }
}

} // namespace tc::server
