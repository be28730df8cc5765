// The host's moderation and just-watching: removing a player or a
// spectator, letting the removed back in, setting a seat to just watch, and
// what the server answers to each of them.
#include "session/Session.h"

#include "session/SessionDetail.h"
#include "net/Fields.h"

namespace tc::client {

using detail::kWaiting;
using detail::readInt;

namespace {

constexpr net::Colour kJustWatchColour = net::rgb(156, 152, 120);

} // namespace

void Session::removed(const std::string&) {
    // The server closes the connection next; an older server sent nothing.
    view_.showMessage(translate("Session", "The host removed you from this game."));
    if (!closing_) {
        closing_ = true;
        view_.closeWindow();
    }
}

void Session::letbackin(const std::string& data) {
    if (!ishost_) return;  // the answer to the host's own request
    const int n = readInt(net::FieldReader(data).positional(), 0, 1'000'000);
    if (n == 0)
        post("0+" + translate("Session", "No removed player was kept out."));
    else
        post("0+" + fillText(n == 1 ? translate("Session", "1 removed player may join again.") : translate("Session", "%1 removed players may join again."), {std::to_string(n)}));
}

void Session::justwatching(const std::string& data) {
    net::FieldReader r(data);
    const int slot = readInt(r.positional(), 1, 9);
    const std::string flag = r.rest();
    if (slot > 6) return;  // spectators have no seat to watch from
    SeatDisplay& s = seat(slot);
    if (flag == "1") {
        if (slot == myseat_) {
            table_.justWatchChecked = true;
            // The computer plays the rest of the turn with its own tiles.
            mayselect_ = false;
            table_.rollVisible = false;
            showCoach();  // the computer plays the seat now
        }
        // A seat kept for a dropped player is said so by its own line.
        if (!s.away) post("0+" + fillText(translate("Session", "%1 is just watching"), {s.caption}), kJustWatchColour);
        s.eyes = true;
        // A selection in progress is abandoned on every table: left down,
        // it would show tiles shut that the server holds open.
        if (slot == currentplayer_)
            for (int t = 1; t <= 9; ++t)
                if (tile(t) == "d") slideup(t);
    } else {
        if (slot == myseat_) {
            table_.justWatchChecked = false;
            // Back on a roll that waits: the server now waits for us.
            if (slot == currentplayer_ && rollSeen_) mayselect_ = true;
            showCoach();
        }
        if (!s.away) post("0+" + fillText(translate("Session", "%1 now playing again"), {s.caption}), kJustWatchColour);
        s.eyes = false;
    }
    changed();
}

void Session::kicking(int slot) {
    if (!ishost_ || !loggedin_) return;
    if (slot < 1 || slot > 9) return;
    sendRequest("CMD_kickhim+" + std::to_string(myseat_) + "+" + std::to_string(slot) + "+");
}

void Session::justWatchClicked() {
    if (!loggedin_ || !seated()) return;
    sendRequest("CMD_justwatch+" + std::to_string(myseat_) + (table_.justWatchChecked ? "+2" : "+1"));
}

SeatPopup Session::openSeatPopup(int seatNumber) {
    SeatPopup popup;
    if (seatNumber < 1 || seatNumber > 6) {
        popupSeat_ = 0;
        return popup;
    }
    popup.seat = seatNumber;
    popup.removeEnabled = popup.setJustWatchEnabled = popup.unsetJustWatchEnabled = ishost_;
    popup.letBackInEnabled = ishost_ && loggedin_;
    if (seat(seatNumber).caption == kWaiting) popup.removeEnabled = false;
    popupSeat_ = seatNumber;
    return popup;
}

void Session::removeFromGame() {
    if (popupSeat_ < 1 || popupSeat_ > 6 || seat(popupSeat_).caption == kWaiting) return;
    kicking(popupSeat_);
}

void Session::setJustWatch() {
    if (!loggedin_ || !ishost_ || popupSeat_ < 1 || popupSeat_ > 6) return;
    sendRequest("CMD_justwatch+" + std::to_string(popupSeat_) + "+1");
}

void Session::unsetJustWatch() {
    if (!loggedin_ || !ishost_ || popupSeat_ < 1 || popupSeat_ > 6) return;
    sendRequest("CMD_justwatch+" + std::to_string(popupSeat_) + "+2");
}

void Session::letRemovedBackIn() {
    if (!ishost_ || !loggedin_) return;
    sendRequest("CMD_letbackin+" + std::to_string(myseat_) + "+");
}

void Session::spyRemove(const std::string& entryUnderPointer) {
    if (entryUnderPointer.empty()) return;
    int slot = 0;
    if (!net::tryToInt(entryUnderPointer.substr(0, entryUnderPointer.find(':')), slot)) return;
    kicking(slot);
}

} // namespace tc::client
