// A full table while seats are kept for dropped players. A kept seat still
// holds its slot, so with the other slots held its own player would be
// turned away as full. Such a connection gets no slot: it is asked for a
// key ("CMD_fullkept+"), which takes or gives up its kept seat; anything
// else, or nothing within kFullWaitMs, is answered "CMD_full+" and closed,
// as an older client expects.
#include "server/TServer.h"

#include <utility>

#include "net/Fields.h"
#include "net/Message.h"

namespace tc::server {

namespace {

// What a connection waiting at a full table may send before its key.
constexpr std::size_t kMaxWaitingBytes = 1024;

} // namespace

bool TServer::waitAtFullTable(ConnId conn, const std::string& peer) {
    if (hold_.seats().empty()) return false;
    const std::string address = peer.substr(0, peer.rfind(':') == std::string::npos ? peer.size() : peer.rfind(':'));
    // The oldest waiting, of this address or of all: the first to arrive
    // had the most time for its key.
    auto oldest = [&](bool sameAddress) {
        ConnId found = 0;
        std::size_t n = 0;
        for (const auto& [id, w] : waiting_) {
            if (sameAddress && w.address != address) continue;
            ++n;
            if (found == 0 || id < found) found = id;
        }
        return std::pair{found, n};
    };
    if (const auto [id, n] = oldest(true); n >= kMaxWaitingPerAddress) refuseWaiting(id, "a newer one came");
    else if (waiting_.size() >= kMaxWaitingAtFull) refuseWaiting(oldest(false).first, "a newer one came");
    Waiting& w = waiting_[conn];
    w.peer = peer;
    w.address = address;
    w.framer = net::LineFramer(kMaxWaitingBytes, kMaxWaitingBytes);
    w.arrivedMs = clock_();
    ports_.send(conn, net::frame("CMD_fullkept+"));
    return true;
}

void TServer::refuseWaiting(ConnId conn, const std::string& why) {
    const auto it = waiting_.find(conn);
    if (it == waiting_.end()) return;
    // A storm at a full table would flood the log: one line per episode.
    const std::int64_t now = clock_();
    if (!refusedFull_ || now - lastRefusedFullMs_ >= kTurnAwayEpisodeMs)
        log("refused " + it->second.peer + ": all nine slots in use (" + why + "; more within 10 s are not logged)");
    refusedFull_ = true;
    lastRefusedFullMs_ = now;
    waiting_.erase(it);
    ports_.send(conn, net::frame("CMD_full+"));
    ports_.close(conn);
}

void TServer::checkWaiting() {
    const std::int64_t now = clock_();
    std::vector<ConnId> late;
    for (const auto& [id, w] : waiting_)
        if (now - w.arrivedMs >= kFullWaitMs || hold_.seats().empty()) late.push_back(id);
    for (ConnId id : late) refuseWaiting(id, "no key in time");
}

bool TServer::fullTableBytes(ConnId conn, std::string_view bytes, std::string& rest) {
    const auto it = waiting_.find(conn);
    if (it == waiting_.end()) return false;
    // Up to the key, one line at a time: what follows the key is the seat's,
    // read as any seated connection's, under its own limits.
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\xFF');
        const std::string_view head = bytes.substr(0, end == std::string_view::npos ? bytes.size() : end + 1);
        bytes.remove_prefix(head.size());
        std::vector<std::string> lines;
        if (!it->second.framer.feed(head, lines)) {
            refuseWaiting(conn, "too much without a key");
            return true;
        }
        if (lines.empty()) return true;  // the key's line goes on in the next read
        std::string key, data;
        if (!net::splitKey(lines.front(), key, data)) continue;  // a stray empty line
        net::FieldReader r(data);
        int seat = 0;
        if ((key == "CMD_reclaim" || key == "CMD_giveup") && r.positional() == "0")
            seat = seatForKey(r.positional(), conn);
        if (seat == 0) {
            refuseWaiting(conn, "no kept seat's key");
            return true;
        }
        const Waiting w = std::move(it->second);
        waiting_.erase(it);
        if (key == "CMD_giveup") {
            giveSeatUp(conn, seat);
            ports_.close(conn);
            return true;
        }
        Connection& c = conns_.try_emplace(conn).first->second;
        c.address = w.address;
        c.talk = FloodGate(talkLimits_);
        c.slides = FloodGate(slideLimits_);
        c.progressMs = clock_();
        c.arrivedMs = w.arrivedMs;
        log("back " + who(seat) + " (at a full table, from " + w.peer + ")");
        takeSeat(conn, seat);
        rest = bytes;
        return true;
    }
    return true;
}

} // namespace tc::server
