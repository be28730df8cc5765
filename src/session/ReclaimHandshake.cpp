#include "session/ReclaimHandshake.h"

#include "net/Fields.h"
#include "net/LineFramer.h"

namespace tc::client {

namespace {

// The number after `prefix` in 1..max, or 0.
int numberAfter(const std::string& line, std::string_view prefix, int max) {
    if (line.rfind(prefix, 0) != 0) return 0;
    std::string_view digits = std::string_view(line).substr(prefix.size());
    if (!digits.empty() && digits.back() == '+') digits.remove_suffix(1);
    int n = 0;
    if (!net::tryToInt(std::string(digits), n) || n < 1 || n > max) return 0;
    return n;
}

} // namespace

std::string reclaimMessage(int slot, const std::string& key) {
    return "CMD_reclaim+" + std::to_string(slot) + "+" + key + "+" + net::kTerminator;
}

std::string giveUpMessage(int slot, const std::string& key) {
    return "CMD_giveup+" + std::to_string(slot) + "+" + key + "+" + net::kTerminator;
}

std::string ReclaimHandshake::onBytes(std::string_view bytes) {
    std::string reply;
    total_ += bytes.size();
    while (!finished() && !bytes.empty()) {
        const auto end = bytes.find(net::kTerminator);
        if (end == std::string_view::npos) {
            pending_.append(bytes);
            break;
        }
        const std::string line = pending_ + std::string(bytes.substr(0, end));
        pending_.clear();
        if (line.empty()) {
            bytes.remove_prefix(end + 1);
            continue;
        }
        if (line == "CMD_full+") {
            state_ = State::Full;
        } else if (state_ == State::Waiting && line == "CMD_fullkept+") {
            // A full table that keeps seats: the key, for no slot at all.
            state_ = State::Asked;
            reply = purpose_ == Purpose::Leave ? giveUpMessage(0, key_) : reclaimMessage(0, key_);
        } else if (state_ == State::Waiting && line.rfind("CMD_sendlogininfo+", 0) == 0) {
            const int slot = numberAfter(line, "CMD_sendlogininfo+", 9);
            if (slot == 0) {
                state_ = State::NotAGame;
            } else {
                state_ = State::Asked;
                reply = purpose_ == Purpose::Leave ? giveUpMessage(slot, key_) : reclaimMessage(slot, key_);
            }
        } else if (state_ == State::Asked && line == "CMD_reclaimrefused+") {
            state_ = State::Refused;
        } else if (state_ == State::Asked && purpose_ == Purpose::Leave && line.rfind("CMD_givenup+", 0) == 0) {
            seat_ = numberAfter(line, "CMD_givenup+", 6);
            state_ = seat_ == 0 ? State::NotAGame : State::Left;
        } else if (state_ == State::Asked && purpose_ == Purpose::Return && line.rfind("CMD_yourseat+", 0) == 0) {
            seat_ = numberAfter(line, "CMD_yourseat+", 6);
            state_ = seat_ == 0 ? State::NotAGame : State::Reclaimed;
            if (seat_ != 0) {
                // The session handles the seat's line and all after it.
                rest_ = line + net::kTerminator;
                rest_.append(bytes.substr(end + 1));
            }
        } else if (state_ == State::Waiting) {
            state_ = State::NotAGame;
        }
        // While waiting for the answer, the table's traffic to every
        // connection (a chat, a roll) passes unread.
        bytes.remove_prefix(end + 1);
    }
    if (!finished() && total_ > kMaxBytes) state_ = State::NotAGame;
    return reply;
}

} // namespace tc::client
