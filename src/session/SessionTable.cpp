// The table handlers of Session: game start, turns, dice, tiles, scores,
// Marks and the winner.
#include <array>
#include <cstdio>
#include <utility>

#include "game/ExpertPlayer.h"

#include "session/Session.h"
#include "session/SessionDetail.h"
#include "net/Fields.h"

namespace tc::client {

using detail::kWaiting;
using detail::OutOfRange;
using detail::readInt;
using net::upperText;

namespace {

// The dice area of the table; the dice land inside it.
constexpr int kDiceAreaWidth = 505;
constexpr int kDiceAreaHeight = 121;
constexpr int kDieHome[2][2] = {{19, 67}, {59, 67}};
// The Marks needed to win, as the game-start window offers them.
constexpr int kMinMarksToWin = 3;
constexpr int kMaxMarksToWin = 10;

// Read at each use: the player's language is chosen after start-up.
std::string notSumStatus() { return upperText(translate("Session", "The boxes you selected do not equal the sum of the dice")); }

} // namespace

void Session::clearall() {
    for (SeatDisplay& s : table_.seats) {
        s.score.assign(1, '0');
        s.marks = 0;
        s.eyes = false;
    }
    changed();
}

// ------------------------------------------------------------ game start

void Session::clickStart() {
    if (loggedin_)
        view_.showGameStart();
    else
        view_.showMessage(translate("Session", "You are not connected"));
}

void Session::startGame(int marks) {
    if (marks < 3 || marks > 10) return;
    sendRequest("CMD_startgame+" + myname_ + "+" + std::to_string(marks) + "+");
}

void Session::startthegame(const std::string& data) {
    net::FieldReader r(data);
    const std::string starter = r.positional();
    const int marks = readInt(r.positional(), kMinMarksToWin, kMaxMarksToWin);

    table_.winnerVisible = false;
    table_.startVisible = false;
    table_.rounds = 0;
    table_.roundsText = fillText(translate("Session", "Rounds Played: %1"), {"0"});
    joinedLate_ = false;
    table_.justWatchChecked = false;
    endCoach();
    clearall();
    gameAnnounced_ = true;
    gameRunning_ = true;
    table_.pointsToWin = marks;
    table_.pointsToWinText = fillText(translate("Session", "Marks needed to win: %1"), {std::to_string(marks)});
    if (seated() && seat(myseat_).caption == starter)
        post("0+" + translate("Session", "You have started a game."));
    else
        post("0+" + fillText(translate("Session", "%1 has started a game."), {starter}));
    if (seat(2).caption == kWaiting) {
        seat(2).caption = "Rudi";
        post("0+" + translate("Session", "Hi ya, I'm Rudi the Bot!"));
    }
    changed();
}

// ------------------------------------------------------------------ turns

void Session::getnextplayer(const std::string& data) {
    const int slot = readInt(data, 1, 6);
    mayselect_ = false;
    table_.rollVisible = false;
    for (int t = 1; t <= 9; ++t)
        if (tile(t) == "o" || tile(t) == "d") slideup(t);
    endCoach();
    currentplayer_ = slot;
    rollSeen_ = false;
    table_.turnSeat = slot;
    SeatDisplay& s = seat(slot);
    table_.status = turnStatus(slot);
    if (s.caption == kWaiting) s.caption = s.hint;
    changed();
}

void Session::placedice(const std::string& data) {
    net::FieldReader r(data);
    const int die1 = readInt(r.positional(), 1, 2);
    const int face1 = readInt(r.positional(), 1, 6);
    const int die2 = readInt(r.positional(), 1, 2);
    const int face2 = readInt(r.positional(), 1, 6);
    createdice(die1, face1);
    createdice(die2, face2);
    rollSeen_ = true;
    if (currentplayer_ == myseat_) {
        // While the computer plays our seat, a click would only race its move.
        if (!table_.justWatchChecked) mayselect_ = true;
        playsounds("dice");
        ownRoll_ = face1 + face2;
        showCoach();
    }
}

void Session::setShowBestMove(bool on) {
    showBestMove_ = on;
    if (on) game::ExpertTable::get();  // built now rather than at the first roll
    showCoach();
    publish();
}

void Session::showCoach() {
    // Advice that is not (or no longer) wanted goes at once, marks and line alike.
    table_.bestMove.fill(false);
    table_.coach.clear();
    changed();
    if (!showBestMove_ || ownRoll_ == 0 || table_.justWatchChecked || !seated()) return;
    // Tiles selected but not yet submitted are still open.
    const game::TileMask open = game::openMask(table_.tiles);
    const game::ExpertTable& expert = game::ExpertTable::get();
    const game::TileMask move = expert.lowest(open, ownRoll_);
    if (!move) return;  // no move: the server ends the turn
    std::vector<std::string> numbers;
    for (int t = 1; t <= 9; ++t)
        if (move & (1u << (t - 1))) {
            table_.bestMove[static_cast<std::size_t>(t - 1)] = true;
            numbers.push_back(std::to_string(t));
        }
    std::string list = numbers.front();
    for (std::size_t i = 1; i < numbers.size(); ++i)
        list += (i + 1 == numbers.size() ? translate("Session", " and ") : translate("Session", ", ")) + numbers[i];
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.2f", expert.expectedAfter(open, ownRoll_));
    const std::string score(expected);
    const std::size_t point = score.find('.');
    // A decimal number as the language writes it: "%1.%2", "%1,%2".
    const std::string shown = fillText(translate("Session", "%1.%2"), {score.substr(0, point), score.substr(point + 1)});
    table_.coach = fillText(translate("Session", "Best move: %1 (expected round score %2)"), {list, shown});
}

void Session::endCoach() {
    ownRoll_ = 0;
    table_.bestMove.fill(false);
    table_.coach.clear();
    changed();
}

void Session::createdice(int die, int face) {
    DieDisplay& d = table_.dice[static_cast<std::size_t>(die - 1)];
    d.face = face;
    const int column = die + 2;
    d.left = rng_.draw(10) + column * (kDiceAreaWidth / 7) - 64;
    // A die always moves: a repeated roll must still be seen to land.
    const int present = d.top;
    int top;
    do {
        top = rng_.draw(kDiceAreaHeight - 86 + 1) + 15;
    } while (top == present);
    d.top = top;
    changed();
}

// ------------------------------------------------------------------ tiles

void Session::clickTile(int t) {
    if (t < 1 || t > 9) return;
    if (currentplayer_ != myseat_ || !mayselect_) return;
    table_.rollVisible = true;
    changed();
    const std::string me = std::to_string(myseat_);
    if (tile(t) == "d") {
        slideup(t);
        sendRequest("CMD_slide+" + me + "+up+" + std::to_string(t) + "+");
    } else if (tile(t) == "u") {
        slidedown(t);
        sendRequest("CMD_slide+" + me + "+down+" + std::to_string(t) + "+");
        bool anyOpen = false;
        for (int n = 1; n <= 9; ++n) anyOpen = anyOpen || tile(n) == "u";
        if (!anyOpen) {
            // The last open tile went down: nothing is left to choose.
            table_.rollVisible = false;
            sendClosethem();
        }
    }
    publish();
}

void Session::clickRoll() {
    if (currentplayer_ != myseat_ || !mayselect_) return;
    table_.rollVisible = false;
    changed();
    sendClosethem();
    publish();
}

void Session::putTilesBackUp() {
    // clickTile refuses every tile out of turn or before the dice.
    for (int t = 1; t <= 9; ++t)
        if (tile(t) == "d") clickTile(t);
}

void Session::sendClosethem() {
    std::string tiles;
    for (int n = 1; n <= 9; ++n)
        if (tile(n) == "d") {
            tiles += '+';
            tiles += std::to_string(n);
        }
    if (tiles.empty()) return;
    sendRequest("CMD_closethem+" + std::to_string(myseat_) + tiles);
}

void Session::slideup(int t) {
    tile(t).assign(1, 'u');
    view_.animateTile(t, true, 4);
    playsounds("slide");
    changed();
}

void Session::slidedown(int t) {
    tile(t).assign(1, 'd');
    view_.animateTile(t, false, 0);
    playsounds("slide");
    changed();
}

void Session::slide(const std::string& data) {
    net::FieldReader r(data);
    const std::string direction = r.positional();
    if (direction != "up" && direction != "down") return;
    const int t = readInt(r.positional(), 1, 9);
    // A slide sent just before the server shut the tile can arrive after
    // it; a shut tile stays shut until the next turn.
    if (tile(t) == "o") return;
    if (direction == "up")
        slideup(t);
    else
        slidedown(t);
}

std::string Session::turnStatus(int slot) const {
    const std::string& caption = table_.seats[static_cast<std::size_t>(slot - 1)].caption;
    return upperText(caption == myname_ ? translate("Session", "Your Turn.")
                                        : fillText(translate("Session", "%1's turn."), {caption}));
}

void Session::closeit(const std::string& data) {
    std::vector<int> tiles;
    for (const std::string& field : net::readList(data)) tiles.push_back(readInt(field, 1, 9));
    endCoach();
    // An accepted move answers the rejection before it: the turn's own
    // line comes back.
    if (table_.status == notSumStatus() && currentplayer_ >= 1 && currentplayer_ <= 6)
        table_.status = turnStatus(currentplayer_);
    for (int t : tiles) {
        if (tile(t) == "u") slidedown(t);
        tile(t).assign(1, 'o');
    }
    changed();
}

void Session::notvalid(const std::string& data) {
    net::FieldReader r(data);
    const int slot = readInt(r.positional(), 1, 6);
    const int code = net::toInt(r.positional());
    if (code == 1)
        notsum(slot);
    else if (code == 2)
        nomoves();
}

void Session::notsum(int slot) {
    if (slot == myseat_) table_.status = notSumStatus();
    for (int t = 1; t <= 9; ++t)
        if (tile(t) == "d") slideup(t);
    changed();
}

void Session::nomoves() {
    endCoach();
    table_.status = upperText(translate("Session", "Turn Over! There are no valid moves."));
    for (int i = 0; i < 2; ++i) {
        table_.dice[static_cast<std::size_t>(i)].left = kDieHome[i][0];
        table_.dice[static_cast<std::size_t>(i)].top = kDieHome[i][1];
    }
    changed();
}

// ----------------------------------------------------------------- scores

void Session::scores(const std::string& data) {
    net::FieldReader r(data);
    const int slot = readInt(r.positional(), 1, 6);
    const int left = net::toInt(r.positional());
    const int score = net::toInt(r.positional());
    seat(slot).score = std::to_string(score);
    if (left == 0) {
        table_.status = fillText(translate("Session", "%1 shut all nine tiles!"), {seat(slot).caption});
        if (slot == myseat_) view_.addToMineIncrease(3);
    }
    changed();
}

void Session::clearscores(const std::string&) {
    for (SeatDisplay& s : table_.seats) s.score.assign(1, '0');
    changed();
}

void Session::updatescores(const std::string& data) {
    struct Entry {
        int slot, score, marks;
    };
    const std::vector<std::string> fields = net::readList(data);
    if (fields.size() % 3 != 0) throw OutOfRange{};
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < fields.size(); i += 3)
        entries.push_back({readInt(fields[i], 1, 6), net::toInt(fields[i + 1]), readInt(fields[i + 2], 0, kMaxMarks)});
    for (const Entry& e : entries) {
        seat(e.slot).score = std::to_string(e.score);
        seat(e.slot).marks = e.marks;
    }
    changed();
}

void Session::gamestats(const std::string& data) {
    net::FieldReader r(data);
    const int slot = readInt(r.positional(), 1, 6);
    const int face1 = readInt(r.positional(), 1, 6);
    const int face2 = readInt(r.positional(), 1, 6);
    const int marks = readInt(r.positional(), kMinMarksToWin, kMaxMarksToWin);
    currentplayer_ = slot;
    rollSeen_ = true;
    // Taking over a seat whose roll is waiting (seat 2 from the computer,
    // say): the roll arrived before the login, so arm it here.
    if (slot == myseat_ && !table_.justWatchChecked) mayselect_ = true;
    createdice(1, face1);
    createdice(2, face2);
    gameAnnounced_ = true;
    gameRunning_ = true;
    table_.pointsToWin = marks;
    table_.pointsToWinText = fillText(translate("Session", "Marks needed to win: %1"), {std::to_string(marks)});
    // Arriving in the middle of a game: nobody tells us the rounds already
    // played, so count from here and say so; and say whose turn it is.
    joinedLate_ = true;
    // The game under way has been started: the host starts the next one
    // after its win.
    table_.startVisible = false;
    table_.rounds = 0;
    table_.roundsText = fillText(translate("Session", "Rounds since you joined: %1"), {"0"});
    if (seat(2).caption == kWaiting) seat(2).caption = "Rudi";  // the computer holds a free seat 2
    SeatDisplay& s = seat(slot);
    if (s.caption == kWaiting) s.caption = s.hint;
    table_.turnSeat = slot;
    table_.status = upperText(slot == myseat_ ? translate("Session", "Your turn. A game is in progress.")
                                              : fillText(translate("Session", "%1's turn. A game is in progress."), {s.caption}));
    changed();
}

void Session::offerMarks(int marks) {
    if (gameAnnounced_ || marks < kMinMarksToWin || marks > kMaxMarksToWin) return;
    table_.pointsToWin = marks;
    table_.pointsToWinText = fillText(translate("Session", "Marks needed to win: %1"), {std::to_string(marks)});
    changed();
    publish();
}

void Session::roundwinner(const std::string& data) {
    std::vector<int> winners;
    for (const std::string& field : net::readList(data)) winners.push_back(readInt(field, 1, 6));
    // A seat listed twice gains twice, so count before checking the bound.
    std::array<int, 6> gained{};
    for (int w : winners)
        if (seat(w).marks + ++gained[static_cast<std::size_t>(w - 1)] > kMaxMarks) throw OutOfRange{};

    std::string names;
    bool won = false;
    // Several winners, or one whose name holds " and " and so reads like
    // two: the same words for it in every language.
    bool several = winners.size() > 1;
    for (int w : winners) {
        several = several || (w != myseat_ && seat(w).caption.find(" and ") != std::string::npos);
        ++seat(w).marks;
        if (w == myseat_) won = true;
        if (!names.empty()) names += translate("Session", " and ");
        names += w == myseat_ ? translate("Session", "You") : seat(w).caption;
    }
    if (won)
        playsounds("wonpoint");
    else if (seated())
        playsounds("nopoint");
    ++table_.rounds;
    table_.roundsText = fillText(joinedLate_ ? translate("Session", "Rounds since you joined: %1") : translate("Session", "Rounds Played: %1"),
                                 {std::to_string(table_.rounds)});
    const bool onlyMe = !several && won;
    table_.status = upperText(fillText(several  ? translate("Session", "%1 each gained a Mark.")
                                       : onlyMe ? translate("Session", "You gained a Mark.")
                                                : translate("Session", "%1 gained a Mark."),
                                       {names}));
    changed();
}

void Session::winner(const std::string& data) {
    net::FieldReader r(data);
    const int slot = readInt(r.positional(), 1, 6);
    playsounds("winner");
    gameRunning_ = false;
    endCoach();
    table_.winnerText = slot == myseat_ ? translate("Session", "You have won the game!")
                                        : fillText(translate("Session", "%1 has Won the Game!"), {seat(slot).caption});
    post("0+" + table_.winnerText);
    table_.winnerVisible = true;
    if (ishost_) table_.startVisible = true;
    playsounds("gameover");
    if (seated()) view_.addGame(seat(slot).caption, slot == myseat_);
    changed();
}

} // namespace tc::client
