#include "WireCheck.h"

#include <algorithm>

#include "net/Fields.h"

namespace tc::soak {
namespace {

std::vector<int> ints(const std::string& text) {
    std::vector<int> out;
    for (const auto& f : net::readList(text)) out.push_back(net::toInt(f));
    return out;
}

// Who gains a Mark, read from the rules as players are told them: the
// lowest round score among the seats taking part, seat 1 first in line,
// then everyone level with it in seat order.
std::vector<int> marksFor(const std::array<bool, 7>& takesPart, const std::array<int, 7>& score) {
    int found = takesPart[1] ? 1 : 2;
    for (int s = 2; s <= 6; ++s)
        if (takesPart[s] && score[s] < score[found]) found = s;
    std::vector<int> out{found};
    for (int s = 1; s <= 6; ++s)
        if (s != found && takesPart[s] && score[s] == score[found]) out.push_back(s);
    return out;
}

} // namespace

int maskSum(unsigned mask) {
    int sum = 0;
    for (int t = 1; t <= 9; ++t)
        if (mask & (1u << (t - 1))) sum += t;
    return sum;
}

unsigned findMove(unsigned openMask, int total) {
    for (unsigned m = 1; m < 512; ++m)
        if ((m & openMask) == m && maskSum(m) == total) return m;
    return 0;
}

void WireCheck::idle(std::int64_t ms) {
    if (!gameOn_ || won_ || stallReported_) return;
    if (ms - lastGameMs_ > stallMs_) {
        fail(ms, "game stuck: no message for " + std::to_string(ms - lastGameMs_) + " ms with seat " +
                     std::to_string(current_) + " on turn", "");
        stallReported_ = true;
    }
}

void WireCheck::feed(const std::string& line, std::int64_t ms) {
    std::string key, data;
    if (!net::splitKey(line, key, data)) return;
    try {
        if (key == "CMD_newplayerinfo" || key == "CMD_existingplayers") {
            const auto items = net::readList(data);
            for (std::size_t i = 0; i + 3 <= items.size(); i += 3) {
                const int s = net::toInt(items[i]);
                held_[s] = items[i + 1];
            }
            return;
        }
        if (key == "CMD_away") {
            const int s = net::FieldReader(data).positionalInt();
            if (!held_.count(s) || s < 1 || s > 6) fail(ms, "a seat nobody holds is kept", line);
            if (!gameOn_ || won_) fail(ms, "a seat is kept between games", line);
            away_[s] = true;
            return;
        }
        if (key == "CMD_back") {
            const int s = net::FieldReader(data).positionalInt();
            if (!away_.count(s)) return fail(ms, "back to a seat that was not kept", line);
            away_.erase(s);
            const Back table{score_[s] == 50 ? 0 : score_[s], marks_[s]};
            if (const auto it = backTold_.find(s); it != backTold_.end()) {
                compareBack(s, it->second, table, ms);
                backTold_.erase(it);
            } else {
                backTable_[s] = table;
            }
            return;
        }
        if (key == "CMD_playerdisconnected") {
            net::FieldReader r(data);
            const int s = r.positionalInt();
            away_.erase(s);
            held_.erase(s);
            if (gameOn_ && !won_ && s == current_ && !turnOver_) leftOnTurn_ = true;
            return;
        }
        static const char* const kGame[] = {"CMD_startgame", "CMD_nextplayer", "CMD_placedice", "CMD_closeit",
                                            "CMD_notvalid",  "CMD_scores",     "CMD_roundwinner", "CMD_winner",
                                            "CMD_clearscores"};
        if (std::find(std::begin(kGame), std::end(kGame), key) == std::end(kGame)) return;
        if (gameOn_ && !won_) longestWaitMs_ = std::max(longestWaitMs_, ms - lastGameMs_);
        lastGameMs_ = ms;
        stallReported_ = false;
        gameLine(key, data, line, ms);
    } catch (const net::ConversionError& e) {
        fail(ms, std::string("unreadable: ") + e.what(), line);
    }
}

void WireCheck::gameLine(const std::string& key, const std::string& data, const std::string& line,
                         std::int64_t ms) {
    if (key == "CMD_startgame") {
        if (gameOn_ && !won_) fail(ms, "a game started before the last one had a winner", line);
        net::FieldReader r(data);
        r.positional();
        marksToWin_ = r.positionalInt();
        if (marksToWin_ < 3 || marksToWin_ > 10) fail(ms, "marks to win outside 3..10", line);
        score_.fill(50);
        marks_.fill(0);
        backTold_.clear();
        backTable_.clear();
        current_ = 0;
        seatOnePlayed_ = expectRoll_ = expectNoMove_ = roundOver_ = leftOnTurn_ = won_ = false;
        wantWinner_ = 0;
        gameRounds_ = 0;
        turnOver_ = true;
        gameOn_ = true;
        ++gamesStarted_;
        return;
    }
    if (!gameOn_ || won_) return fail(ms, "game message without a game under way", line);

    if (key == "CMD_nextplayer") {
        const int s = net::toInt(data);
        if (!turnOver_ && !(leftOnTurn_ && current_ != 2)) fail(ms, "turn starts before the last one ended", line);
        if (roundOver_) fail(ms, "turn starts before the round pause ended", line);
        if (s < 1 || s > 6) return fail(ms, "turn for no seat", line);
        const bool afterRound = current_ == 0 && gameRounds_ > 0;
        if (afterRound) {
            if (s != 1 && inOrder(1)) fail(ms, "the next round does not open at seat 1", line);
        } else if (current_ != 0) {
            for (int k = current_ % 6 + 1; k != s; k = k % 6 + 1)
                if (inOrder(k)) {
                    fail(ms, "the turn order skipped seat " + std::to_string(k), line);
                    break;
                }
        }
        if (!inOrder(s)) fail(ms, "turn for seat " + std::to_string(s) + ", which no announcement names", line);
        if (away_.count(s)) ++awayTurns_;
        if (s == 1 && seatOnePlayed_ && !afterRound) fail(ms, "the round did not end at seat 1", line);
        if (s == 1) seatOnePlayed_ = true;
        current_ = s;
        open_ = 0x1FF;
        expectRoll_ = true;
        expectNoMove_ = turnOver_ = leftOnTurn_ = false;
        ++turns_;
    } else if (key == "CMD_placedice") {
        net::FieldReader r(data);
        const int one = r.positionalInt(), d1 = r.positionalInt(), two = r.positionalInt(), d2 = r.positionalInt();
        if (one != 1 || two != 2 || d1 < 1 || d1 > 6 || d2 < 1 || d2 > 6) fail(ms, "bad dice", line);
        if (!expectRoll_) fail(ms, "roll without a turn start or a close", line);
        expectRoll_ = false;
        total_ = d1 + d2;
        expectNoMove_ = findMove(open_, total_) == 0;
    } else if (key == "CMD_closeit") {
        unsigned m = 0;
        for (int t : ints(data)) {
            if (t < 1 || t > 9 || !(open_ & (1u << (t - 1))) || (m & (1u << (t - 1))))
                fail(ms, "closes a tile that is not open", line);
            else
                m |= 1u << (t - 1);
        }
        if (maskSum(m) != total_) fail(ms, "closed tiles do not add up to the roll", line);
        if (expectNoMove_ || expectRoll_ || turnOver_) fail(ms, "close out of turn", line);
        open_ &= ~m;
        expectRoll_ = open_ != 0;
    } else if (key == "CMD_notvalid") {
        net::FieldReader r(data);
        const int s = r.positionalInt(), why = r.positionalInt();
        if (s != current_) fail(ms, "refusal for a seat not on turn", line);
        if (why == 2) {
            if (!expectNoMove_) fail(ms, "turn ended where a legal move existed", line);
            expectNoMove_ = false;
        } else if (why != 1) {
            fail(ms, "refusal with an unknown reason", line);
        }
        // Reason 1 changes nothing: the same roll stands.
    } else if (key == "CMD_scores") {
        net::FieldReader r(data);
        const int s = r.positionalInt(), left = r.positionalInt(), score = r.positionalInt();
        if (s != current_) fail(ms, "score for a seat not on turn", line);
        if (left != maskSum(open_) || score != left) fail(ms, "score is not the sum of the open tiles", line);
        if (expectRoll_ || expectNoMove_) fail(ms, "score while the turn goes on", line);
        if (s >= 1 && s <= 6) score_[s] = score;
        turnOver_ = true;
    } else if (key == "CMD_roundwinner") {
        if (!turnOver_ && !(leftOnTurn_ && current_ != 2)) fail(ms, "the round ends inside a turn", line);
        for (int k = current_ % 6 + 1; k != 1 && current_ != 0; k = k % 6 + 1)
            if (inOrder(k)) {
                fail(ms, "the round ends before seat " + std::to_string(k) + " had its turn", line);
                break;
            }
        const std::vector<int> announced = ints(data);
        if (!roundMarksExplained(announced)) fail(ms, "the wrong seats gain a Mark", line);
        for (int s : announced)
            if (s >= 1 && s <= 6) ++marks_[s];
        score_.fill(0);
        ++rounds_;
        ++gameRounds_;
        roundOver_ = true;
        turnOver_ = true;
        current_ = 0;
    } else if (key == "CMD_winner") {
        const int s = net::FieldReader(data).positionalInt();
        if (s < 1 || s > 6) return fail(ms, "winner is no seat", line);
        for (int k = 1; k <= 6; ++k)
            if (k != s && marks_[k] >= marks_[s]) {
                fail(ms, "the winner does not lead alone", line);
                break;
            }
        if (marks_[s] < marksToWin_) fail(ms, "the winner has fewer Marks than needed", line);
        if (!roundOver_) fail(ms, "winner outside a round end", line);
        won_ = true;
        gameOn_ = false;
        ++gamesWon_;
        // Between games nobody's seat is kept: the releases follow.
    } else if (key == "CMD_clearscores") {
        if (!roundOver_) fail(ms, "scores cleared without a round end", line);
        roundOver_ = false;
        turnOver_ = true;
    }
    if (key == "CMD_roundwinner" && gameOn_) {
        // Without a winner the next round must follow; a winner is checked
        // when it comes, and is due now if anyone qualifies.
        int best = 0, count = 0, bestSeat = 0;
        for (int k = 1; k <= 6; ++k) {
            if (marks_[k] > best) best = marks_[k], count = 1, bestSeat = k;
            else if (marks_[k] == best) ++count;
        }
        wantWinner_ = best >= marksToWin_ && count == 1 ? bestSeat : 0;
    } else if (key == "CMD_clearscores" && wantWinner_) {
        fail(ms, "seat " + std::to_string(wantWinner_) + " leads alone at the Marks to win but play goes on", line);
    }
    if (key == "CMD_winner" && wantWinner_ && net::FieldReader(data).positionalInt() != wantWinner_)
        fail(ms, "the wrong seat wins", line);
}

void WireCheck::expectBack(int seat, int score, int marks, std::int64_t ms) {
    const Back told{score, marks};
    if (const auto it = backTable_.find(seat); it != backTable_.end()) {
        compareBack(seat, told, it->second, ms);
        backTable_.erase(it);
    } else {
        backTold_[seat] = told;
    }
}

void WireCheck::compareBack(int seat, const Back& told, const Back& table, std::int64_t ms) {
    ++backsCompared_;
    if (told.marks != table.marks || told.score != table.score)
        fail(ms, "seat " + std::to_string(seat) + " came back with score " + std::to_string(told.score) + " and " +
                     std::to_string(told.marks) + " Marks; the table has " + std::to_string(table.score) + " and " +
                     std::to_string(table.marks), "");
}

bool WireCheck::roundMarksExplained(const std::vector<int>& announced) const {
    // Only seats the announcements name take part (and seat 2, which the
    // computer plays when nobody does).
    std::array<bool, 7> part{};
    for (int s = 1; s <= 6; ++s) part[s] = inOrder(s);
    return marksFor(part, score_) == announced;
}

} // namespace tc::soak
