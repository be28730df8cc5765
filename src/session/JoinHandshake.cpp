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

std::string JoinHandshake::onBytes(std::string_view bytes) {
    std::string reply;
    total_ += bytes.size();
    while (!finished() && !bytes.empty()) {
        if (state_ == State::LoggedIn) {
            // The host's answer to the login: any message at all. The bytes
            // stay for the session, which handles them as they come.
            rest_.append(bytes);
            const std::string_view kept(rest_);
            if (kept.find_first_not_of(net::kTerminator) != std::string_view::npos &&
                kept.find(net::kTerminator, kept.find_first_not_of(net::kTerminator)) != std::string_view::npos)
                state_ = State::Joined;
            break;
        }
        const auto end = bytes.find(net::kTerminator);
        if (end == std::string_view::npos) {
            pending_.append(bytes);
            break;
        }
        std::string line = pending_ + std::string(bytes.substr(0, end));
        pending_.clear();
        bytes.remove_prefix(end + 1);
        if (line.empty()) continue;
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
    if (!finished() && total_ > kMaxBytes) state_ = State::NotAGame;
    return reply;
}

} // namespace tc::client
