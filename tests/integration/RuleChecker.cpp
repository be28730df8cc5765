#include "RuleChecker.h"

#include <algorithm>
#include <sstream>

#include "net/Fields.h"

namespace tc::integration {
namespace {

std::vector<int> ints(const std::string& text) {
    std::vector<int> out;
    for (const auto& f : net::readList(text)) out.push_back(net::toInt(f));
    return out;
}

int openSum(unsigned open) {
    int sum = 0;
    for (int t = 1; t <= 9; ++t)
        if (open & (1u << (t - 1))) sum += t;
    return sum;
}

} // namespace

unsigned RuleChecker::findMove(unsigned openMask, int total) {
    for (unsigned m = 1; m < 512; ++m) {
        if ((m & openMask) != m) continue;
        if (openSum(m) == total) return m;
    }
    return 0;
}

int RuleChecker::nextSeat(int seat) const {
    for (int i = 0; i < 6; ++i) {
        seat = seat % 6 + 1;
        if (seats_.count(seat)) return seat;
    }
    return 0;
}

void RuleChecker::feed(const std::string& line) {
    std::string key, data;
    if (!net::splitKey(line, key, data)) return fail(line, "unframed line");
    try {
        if (key == "CMD_startgame") {
            net::FieldReader r(data);
            r.positional();
            marksToWin_ = r.positionalInt();
            score_.fill(50);
            marks_.fill(0);
            current_ = 0;
            seatOnePlayed_ = false;
            turnOver_ = true;
        } else if (key == "CMD_nextplayer") {
            const int s = net::toInt(data);
            if (!turnOver_) fail(line, "turn starts before the last one ended");
            if (roundOver_) fail(line, "turn starts before the round pause ended");
            if (!seats_.count(s)) fail(line, "seat not in the turn order");
            if (current_ != 0 && s != nextSeat(current_)) fail(line, "turn order skipped a seat");
            const bool afterRound = current_ == 0 && rounds_ > 0;
            if (afterRound && s != 1) fail(line, "next round does not open at seat 1");
            if (s == 1 && seatOnePlayed_ && !afterRound) fail(line, "round did not end at seat 1");
            if (s == 1) seatOnePlayed_ = true;
            current_ = s;
            open_ = 0x1FF;
            expectRoll_ = true;
            turnOver_ = false;
            ++turns_;
        } else if (key == "CMD_placedice") {
            net::FieldReader r(data);
            const int one = r.positionalInt(), d1 = r.positionalInt(), two = r.positionalInt(),
                      d2 = r.positionalInt();
            if (one != 1 || two != 2 || d1 < 1 || d1 > 6 || d2 < 1 || d2 > 6) fail(line, "bad dice");
            if (!expectRoll_) fail(line, "roll without a turn start or a close");
            expectRoll_ = false;
            total_ = d1 + d2;
            expectNoMove_ = findMove(open_, total_) == 0;
        } else if (key == "CMD_closeit") {
            unsigned m = 0;
            int sum = 0;
            for (int t : ints(data)) {
                if (t < 1 || t > 9 || !(open_ & (1u << (t - 1))) || (m & (1u << (t - 1))))
                    fail(line, "closes a tile that is not open");
                m |= 1u << (t - 1);
                sum += t;
            }
            if (sum != total_) fail(line, "closed tiles do not add up to the roll");
            if (expectNoMove_ || expectRoll_ || turnOver_) fail(line, "close out of turn");
            open_ &= ~m;
            ++closes_;
            expectRoll_ = open_ != 0;
        } else if (key == "CMD_notvalid") {
            net::FieldReader r(data);
            const int s = r.positionalInt(), why = r.positionalInt();
            if (s != current_) fail(line, "not the seat on turn");
            if (why != 2 || !expectNoMove_) fail(line, "refusal where a legal move existed");
            expectNoMove_ = false;
        } else if (key == "CMD_scores") {
            net::FieldReader r(data);
            const int s = r.positionalInt(), left = r.positionalInt(), score = r.positionalInt();
            if (s != current_) fail(line, "score for a seat not on turn");
            if (left != openSum(open_) || score != left) fail(line, "score is not the open tiles' sum");
            if (expectRoll_) fail(line, "score while a roll is due");
            score_[s] = score;
            turnOver_ = true;
        } else if (key == "CMD_roundwinner") {
            if (!turnOver_) fail(line, "round ends inside a turn");
            if (nextSeat(current_) != 1 && seats_.count(1)) fail(line, "round ends away from seat 1");
            int low = 1;
            for (int s : seats_)
                if (score_[s] < score_[low]) low = s;
            std::vector<int> want{low};
            for (int s : seats_)
                if (s != low && score_[s] == score_[low]) want.push_back(s);
            if (ints(data) != want) fail(line, "wrong seats gain a mark");
            for (int s : want) ++marks_[s];
            score_.fill(0);
            ++rounds_;
            roundOver_ = true;
            current_ = 0;  // the next round opens at seat 1
        } else if (key == "CMD_winner") {
            const int s = net::FieldReader(data).positionalInt();
            const int best = *std::max_element(marks_.begin(), marks_.end());
            if (best < marksToWin_ || marks_[s] != best ||
                std::count(marks_.begin(), marks_.end(), best) != 1)
                fail(line, "winner does not lead alone at marks-to-win");
            if (!roundOver_) fail(line, "winner outside a round end");
            winner_ = s;
        } else if (key == "CMD_clearscores") {
            if (!roundOver_ || winner_) fail(line, "clear without a round end");
            roundOver_ = false;
            turnOver_ = true;
        }
    } catch (const net::ConversionError& e) {
        fail(line, e.what());
    }
}

} // namespace tc::integration
