// A dropped connection: the seat key, seats shown away while the server
// keeps them, and the way back to the own seat after a drop.
#include "session/Session.h"

#include "session/SessionDetail.h"
#include "net/Cp1252.h"
#include "net/Fields.h"
#include "net/Message.h"

namespace tc::client {

using detail::kWaiting;
using detail::OutOfRange;
using detail::readInt;

namespace {

// "2 minutes", "1 minute", "45 seconds", "90 seconds".
std::string duration(int seconds) {
    if (seconds >= 60 && seconds % 60 == 0) {
        const int minutes = seconds / 60;
        return fillText(minutes == 1 ? translate("Session", "1 minute") : translate("Session", "%1 minutes"),
                        {std::to_string(minutes)});
    }
    return fillText(seconds == 1 ? translate("Session", "1 second") : translate("Session", "%1 seconds"),
                    {std::to_string(seconds)});
}

constexpr std::size_t kMaxKeyBytes = 256;

} // namespace

void Session::leave() {
    if (leaving_) return;
    leaving_ = true;
    // Straight out, ahead of any paced chat: the connection ends next.
    if (loggedin_ && connected_ && !lost_)
        view_.send(net::frame("CMD_leaving+" + std::to_string(myseat_) + "+"));
}

bool Session::mayReclaim() const {
    // The hosting window runs the server: it cannot drop from it.
    return !seatKey_.empty() && holdSeconds_ > 0 && gameRunning_ && seated() && loggedin_ && !ishost_ &&
           !leaving_ && !endedByServer_;
}

void Session::connectionEnded() {
    if (closing_) return;
    if (mayReclaim()) {
        lost_ = true;
        connected_ = false;
        mayselect_ = false;
        table_.rollVisible = false;
        table_.reconnecting = true;
        table_.status = net::upperText(translate("Session", "Connection lost, reconnecting\u2026"));
        keptRounds_ = table_.rounds;
        keptRoundsText_ = table_.roundsText;
        keptJoinedLate_ = joinedLate_;
        endCoach();
        post("0+" + translate("Session", "Connection lost, reconnecting\u2026"));
        changed();
        publish();
        view_.connectionLost(holdSeconds_);
        return;
    }
    closing_ = true;
    view_.closeWindow();
}

void Session::reclaimed(std::string_view rest) {
    if (!lost_) return;
    lost_ = false;
    table_.reconnecting = false;
    connected_ = true;
    closeWhenDrained_ = false;
    framer_.clear();
    discarding_ = false;
    reclaiming_ = true;
    changed();
    onBytes(rest);
    publish();
}

void Session::reconnectFailed(const std::string& why) {
    if (!lost_) return;
    lost_ = false;
    table_.reconnecting = false;
    post("0+" + why);
    changed();
    publish();
    if (!closing_) {
        closing_ = true;
        view_.closeWindow();
    }
}

void Session::seatkey(const std::string& data) {
    net::FieldReader r(data);
    const std::string key = r.positional();
    const int seconds = readInt(r.positional(), 0, 24 * 3600);
    if (key.empty() || key.size() > kMaxKeyBytes || key.find_first_of("+ ") != std::string::npos)
        throw OutOfRange{};
    if (!seated()) return;
    seatKey_ = key;
    holdSeconds_ = seconds;
    // Only a client that says it knows keys has its seat kept.
    view_.send(net::frame("CMD_keyack+" + std::to_string(myseat_) + "+"));
}

void Session::away(const std::string& data) {
    net::FieldReader r(data);
    const int slot = readInt(r.positional(), 1, 6);
    const int seconds = readInt(r.positional(), 0, 24 * 3600);
    if (slot == myseat_) return;
    SeatDisplay& s = seat(slot);
    s.away = true;
    if (!reclaiming_)
        post("0+" + fillText(translate("Session", "%1 lost the connection; their seat is kept for %2."), {s.caption, duration(seconds)}));
    changed();
}

void Session::back(const std::string& data) {
    net::FieldReader r(data);
    const int slot = readInt(r.positional(), 1, 6);
    if (slot == myseat_) return;
    SeatDisplay& s = seat(slot);
    if (!s.away) return;
    s.away = false;
    post("0+" + fillText(translate("Session", "%1 is back."), {s.caption}));
    changed();
}

void Session::yourseat(const std::string& data) {
    net::FieldReader r(data);
    const int slot = readInt(r.positional(), 1, 6);
    if (!reclaiming_) return;  // only the answer to our own key
    // Whoever sits where now is told next; the own seat is ours again.
    for (int n = 1; n <= 6; ++n) {
        SeatDisplay& s = seat(n);
        s.caption = n == 2 ? "Rudi" : kWaiting;
        s.eyes = false;
        s.away = false;
    }
    table_.spyList.clear();
    takeSlot(slot);
    seat(slot).caption = myname_;
    table_.justWatchChecked = false;
    changed();
}

void Session::shuttiles(const std::string& data) {
    net::FieldReader r(data);
    const std::string digits = r.positional();
    if (digits.size() != 9 || digits.find_first_not_of("01") != std::string::npos) throw OutOfRange{};
    for (int t = 1; t <= 9; ++t) {
        const bool shut = digits[static_cast<std::size_t>(t - 1)] == '1';
        if (shut && tile(t) != "o") {
            if (tile(t) == "u") slidedown(t);
            tile(t).assign(1, 'o');
        } else if (!shut && tile(t) != "u") {
            slideup(t);
        }
    }
    if (reclaiming_) {
        // The last of what the server sends a returning seat.
        reclaiming_ = false;
        joinedLate_ = keptJoinedLate_;
        table_.rounds = keptRounds_;
        table_.roundsText = keptRoundsText_;
        showCoach();
        post("0+" + translate("Session", "You are back in your seat."));
    }
    changed();
}

void Session::serverclosing(const std::string&) { endedByServer_ = true; }

} // namespace tc::client
