// The game flow of the server: starting a game, whose turn it is, the
// dice, moves, round and game ends, and the pauses between them.
#include "server/TServer.h"

#include <algorithm>

#include "game/ComputerPlayer.h"
#include "game/ExpertPlayer.h"
#include "net/Fields.h"
#include "net/Message.h"

namespace tc::server {
using net::FieldReader;

namespace {

std::string joinSeats(const std::vector<int>& items, const char* sep) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += sep;
        out += std::to_string(items[i]);
    }
    return out;
}

} // namespace

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
    retellKept();
    tiles_ = game::allOpen();
    int seatedCount = 0;
    for (int s = 1; s <= game::kSeatCount; ++s) {
        auto& p = player_[s];
        p.score = kNotPlayedScore;
        p.watching = false;
        p.turns = 0;
        p.marks = 0;
        if (seated(s)) ++seatedCount;
    }
    currentseat_ = rng_.draw(1 + seatedCount);
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
        seats[s - 1] = game::SeatResult{seated(s), player_[s].score};
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
    releaseHeld();  // between games nobody's seat is kept
    return true;
}

void TServer::startturn() {
    auto& p = player_[currentseat_];
    ++p.turns;
    tiles_ = game::allOpen();
    log("turn " + who(currentseat_) + (computerPlays(currentseat_) ? " (computer)" : ""));
    sendAll("CMD_nextplayer+" + std::to_string(currentseat_));
    getdice();
    if (currentseat_ == 2 || (seated(currentseat_) && (p.watching || p.away))) startPause(PauseTag::ComputerMove, 2);
}

void TServer::getdice() {
    dice_[0] = rng_.draw(6) + 1;
    dice_[1] = rng_.draw(6) + 1;
    rollForEmptySeat_ = !seated(currentseat_);
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
    if (fromSlot != 0 && player_[seat].watching) {
        // Sent before its sender saw the computer take the turn over; the
        // computer plays this roll, and every table has put the sender's
        // selection back up.
        log("ignored close from seat " + seatText + ": just watching");
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
    // The computer plays a watched seat: a late slide of its player would
    // show tiles down that nobody will shut.
    if (player_[seat].watching) return;
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
    const std::string move = game::moveText(rudi_, currentseat_, dice_[0], dice_[1], tiles_, scoreToReach());
    if (!move.empty()) closethem(0, move);
}

void TServer::setRudi(game::Rudi rudi) {
    rudi_ = rudi;
    if (rudi == game::Rudi::Expert) game::ExpertTable::get();
}

int TServer::scoreToReach() const {
    if (rudi_ != game::Rudi::Expert) return game::kNoLimit;
    // Until seat 1 has had its turn the round goes on past it, and the seats
    // that played before it play again: no score is made yet.
    if (player_[1].turns == 0) return game::kNoLimit;
    // The round runs from seat 1 up to seat 6, so the seats before this one
    // hold their scores for it: played, or, for a late arrival, the 0 it
    // keeps. Only Mark candidates count (seat 2 and the connected seats); a
    // seat that has not played this game yet holds 50, which any score beats.
    int lowest = game::kNoLimit;
    for (int s = 1; s < currentseat_; ++s)
        if ((s == 2 || seated(s)) && (lowest == game::kNoLimit || player_[s].score < lowest))
            lowest = player_[s].score;
    return lowest;
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
    checkHolds();
    afterInput();
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

} // namespace tc::server
