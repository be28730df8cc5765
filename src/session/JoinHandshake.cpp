#include "session/JoinHandshake.h"

#include <algorithm>

#include "net/Cp1252.h"
#include "net/Fields.h"
#include "net/LineFramer.h"
#include "net/Version.h"

namespace tc::client {

std::string wireSafeName(const std::string& name) {
    std::string out = net::cp1252ToUtf8(net::utf8ToCp1252(name));
    std::replace(out.begin(), out.end(), '+', '?');
    return out;
}

std::string loginMessage(int seat, const std::string& loginname) {
    std::string name = loginname;
    std::string extra;
    if (!name.empty() && name.back() == net::kTerminator) {
        name.pop_back();
        extra = net::kTerminator;
    }
    return net::utf8ToCp1252("CMD_logininfo+" + std::to_string(seat) + "+" + net::kProtocolVersion + "+" + name) +
           extra + net::kTerminator;
}

JoinHandshake::JoinHandshake(const std::string& name) : loginname_(wireSafeName(name) + net::kTerminator) {}

void JoinHandshake::answer(const std::string& line) {
    // The host answers the login with the newcomer's own entry, or turns
    // him away. A wrong version is told after the entry: he is seated all
    // the same. Anything else before the entry (an older host relayed the
    // table's chat to connections that had not logged in) waits with it.
    if (line == "CMD_full+") {
        state_ = State::Full;
    } else if (line == "CMD_removed+") {
        state_ = State::Removed;
    } else if (line.rfind("CMD_newplayerinfo+", 0) == 0) {
        const std::vector<std::string> fields = net::readList(line.substr(18));
        int slot = 0;
        if (!fields.empty() && net::tryToInt(fields[0], slot) && slot == seat_) state_ = State::Joined;
    }
}

std::string JoinHandshake::onBytes(std::string_view bytes) {
    std::string reply;
    if (finished()) return reply;  // the session takes it from here
    total_ += bytes.size();
    while (!finished() && !bytes.empty()) {
        const auto end = bytes.find(net::kTerminator);
        const std::string_view piece = end == std::string_view::npos ? bytes : bytes.substr(0, end + 1);
        // After the login every byte stays for the session, which handles
        // them as they come once the join has worked.
        if (state_ == State::LoggedIn) rest_.append(piece);
        bytes.remove_prefix(piece.size());
        if (end == std::string_view::npos) {
            pending_.append(piece);
            break;
        }
        std::string line = pending_ + std::string(piece.substr(0, piece.size() - 1));
        pending_.clear();
        if (line.empty()) continue;
        if (state_ == State::LoggedIn) {
            answer(line);
            continue;
        }
        if (line == "CMD_full+") {
            state_ = State::Full;
        } else if (line.rfind("CMD_sendlogininfo+", 0) == 0) {
            int slot = 0;
            try {
                slot = net::toInt(std::string_view(line).substr(18));
            } catch (const net::ConversionError&) {
                slot = 0;
            }
            if (slot < 1 || slot > 9) {
                state_ = State::NotAGame;
            } else {
                seat_ = slot;
                state_ = State::LoggedIn;
                reply = loginMessage(seat_, loginname_);
            }
        } else {
            state_ = State::NotAGame;
        }
    }
    // What came with the answer stays for the session as well.
    if (state_ == State::Joined) rest_.append(bytes);
    if (!finished() && total_ > kMaxBytes) state_ = State::NotAGame;
    return reply;
}

} // namespace tc::client
