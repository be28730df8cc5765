#include "session/Session.h"

#include <algorithm>
#include <chrono>

#include "session/JoinHandshake.h"
#include "session/SessionDetail.h"
#include "net/Cp1252.h"
#include "net/Fields.h"
#include "net/Message.h"

namespace tc::client {

using detail::kWaiting;
using detail::OutOfRange;
using detail::readInt;

namespace {

// Seat hints: the name a free seat falls back to when its turn comes.
constexpr const char* kHints[6] = {"", "Rudi", "Klick", "Kling", "Klick", "Krazy"};

} // namespace

// The dispatch table in the order in which keywords are compared.
const Session::Route Session::kRoutes[] = {
    {"CMD_sendlogininfo", &Session::sendloginfo},
    {"CMD_chat", &Session::chat},
    {"CMD_action", &Session::action},
    {"CMD_newplayerinfo", &Session::newplayerinfo},
    {"CMD_havewrongversion", &Session::havewrongversion},
    {"CMD_wrongversion", &Session::wrongversion},
    {"CMD_existingplayers", &Session::newplayerinfo},
    {"CMD_playerdisconnected", &Session::playerdisconnected},
    {"CMD_startgame", &Session::startthegame},
    {"CMD_nextplayer", &Session::getnextplayer},
    {"CMD_winner", &Session::winner},
    {"CMD_full", &Session::full},
    {"CMD_justwatching", &Session::justwatching},
    {"CMD_placedice", &Session::placedice},
    {"CMD_slide", &Session::slide},
    {"CMD_closeit", &Session::closeit},
    {"CMD_notvalid", &Session::notvalid},
    {"CMD_scores", &Session::scores},
    {"CMD_roundwinner", &Session::roundwinner},
    {"CMD_clearscores", &Session::clearscores},
    {"CMD_gamestats", &Session::gamestats},
    {"CMD_updatescores", &Session::updatescores},
    {"CMD_playasound", &Session::playasound},
    {"CMD_removed", &Session::removed},
    {"CMD_letbackin", &Session::letbackin},
    {"CMD_seatkey", &Session::seatkey},
    {"CMD_away", &Session::away},
    {"CMD_back", &Session::back},
    {"CMD_yourseat", &Session::yourseat},
    {"CMD_shuttiles", &Session::shuttiles},
    {"CMD_serverclosing", &Session::serverclosing},
};

Session::Session(SessionView& view, game::Lcg& rng)
    : view_(view), rng_(rng), clock_([] {
          using namespace std::chrono;
          return std::int64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
      }) {
    for (int n = 1; n <= 6; ++n) seat(n).hint = kHints[n - 1];
    table_.tiles.fill("u");
    table_.dice[0] = {0, 19, 67};
    table_.dice[1] = {0, 59, 67};
    // The queue is created holding its own name; the first tick takes it
    // and ignores it like any line without "+".
    enqueue("receivedlist");
}

// ---------------------------------------------------------------- start-up

void Session::formCreate() {
    phraseReadyAt_ = std::numeric_limits<std::int64_t>::min();
    clearall();
    ishost_ = false;
    currentplayer_ = 0;
    systemcolor_ = net::kPureBlue;
    publish();
}

void Session::processParams(const std::vector<std::string>& params) {
    table_.startVisible = false;
    table_.startGameEnabled = false;
    loginname_.clear();
    changed();
    if (params.empty()) {
        post("0+" + translate("Session", "Loading Solo Game..Please wait."));
        view_.showDownloadWindow();
        hostaddress_ = "127.0.0.1";
        myname_ = translate("Session", "You");  // a solo game never leaves this machine
        hostpress();
    } else {
        post("0+" + translate("Session", "Loading Multi-player Game.. Please Wait."));
        if (params.size() >= 3) {
            myname_ = wireSafeName(params[0]);
            hostaddress_ = params[1];
            if (params[2] == "true")
                hostpress();
            else
                joinpress();
            view_.openSideConnection();
        }
    }
    publish();
}

void Session::processJoined(const std::vector<std::string>& params, int seat) {
    if (params.size() < 3 || seat < 1 || seat > 9) return;
    table_.startVisible = false;
    table_.startGameEnabled = false;
    changed();
    post("0+" + translate("Session", "Loading Multi-player Game.. Please Wait."));
    myname_ = wireSafeName(params[0]);
    hostaddress_ = params[1];
    loginname_ = myname_ + net::kTerminator;
    // The connection is made and taken over: no connect of its own can fail
    // here, so there is no address to name in a failure.
    connected_ = true;
    takeSlot(seat);
    view_.openSideConnection();
    publish();
}

void Session::takeSlot(int slot) {
    myseat_ = slot;
    loggedin_ = true;
    table_.spectating = slot > 6;
    table_.justWatchEnabled = slot <= 6;
    // The server takes game starts and removals from slot 1 only, whoever
    // runs it: the first player on a headless server is the host, and a
    // hosting window that was not given slot 1 is not.
    const bool host = slot == 1;
    if (host != ishost_) {
        ishost_ = host;
        table_.startVisible = host;
        table_.startGameEnabled = host;
        table_.spyRemoveEnabled = host;
    }
    changed();
}

void Session::hostpress() {
    std::string error;
    if (!view_.startServer(error)) {
        // Without a listening server there is nothing to connect to: say
        // why instead of waiting on "Loading" for ever.
        post("0+" + fillText(translate("Session", "Cannot host the game: port %1 is not available (%2). Choose another port."),
                             {std::to_string(port_), error.empty() ? translate("Session", "unknown reason") : error}));
        return;
    }
    loginname_ = myname_ + net::kTerminator;
    ishost_ = true;
    connectAddress_ = "127.0.0.1";
    view_.connectToServer(connectAddress_);
    table_.startVisible = true;
    table_.startGameEnabled = true;
    table_.spyRemoveEnabled = true;
    changed();
}

// processParams has already hidden Start Game, which a joining player never has.
void Session::joinpress() {
    loginname_ = myname_ + net::kTerminator;
    connectAddress_ = hostaddress_;
    view_.connectToServer(connectAddress_);
}

// ------------------------------------------------------------------ socket

void Session::onConnected() { connected_ = true; }

void Session::onConnectFailed(const std::string& reason) {
    const std::string why = reason.empty() ? translate("Session", "unknown reason") : reason;
    const std::string port = std::to_string(port_);
    post("0+" + fillText(translate("Session", "Could not connect to %1 port %2: %3"), {connectAddress_, port, why}));
}

void Session::onSocketClosed() {
    if (!connected_ || closing_) return;
    // Lines that came in with the close (a server's "CMD_full+") are still
    // handled, one per tick as usual; the window closes after the last.
    if (!received_.empty() || !relays_.empty()) {
        closeWhenDrained_ = true;
        return;
    }
    connectionEnded();
}

void Session::onBytes(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const auto end = bytes.find(net::kTerminator);
        if (discarding_) {
            // The rest of a line that was already too long: skip to its end.
            if (end == std::string_view::npos) break;
            bytes.remove_prefix(end + 1);
            discarding_ = false;
            continue;
        }
        // Feed up to and including one terminator at a time, so an
        // overlong line costs only itself.
        const std::string_view piece = end == std::string_view::npos ? bytes : bytes.substr(0, end + 1);
        bytes.remove_prefix(piece.size());
        if (!framer_.feed(piece, lines)) {
            framer_.clear();
            if (end == std::string_view::npos) discarding_ = true;
        }
    }
    for (auto& line : lines) enqueue(net::cp1252ToUtf8(line));
}

namespace {
// What one queued line costs beyond its text (string and queue bookkeeping),
// so a flood of empty lines is bounded like a flood of long ones.
constexpr std::size_t kQueuedLineOverhead = 64;
}  // namespace

void Session::enqueue(std::string line) {
    const std::size_t cost = line.size() + kQueuedLineOverhead;
    const bool relay = line.starts_with("CMD_chat+") || line.starts_with("CMD_action+") ||
                       line.starts_with("CMD_playasound+");
    bool dropped = false;
    // A game message that does not fit pushes out the oldest relays first.
    while (!relay && queuedBytes_ + cost > kMaxQueuedBytes && !relays_.empty()) {
        queuedBytes_ -= relays_.front().line.size() + kQueuedLineOverhead;
        relays_.pop_front();
        dropped = true;
    }
    if (queuedBytes_ + cost <= kMaxQueuedBytes) {
        queuedBytes_ += cost;
        (relay ? relays_ : received_).push_back(Queued{nextSeq_++, std::move(line)});
    } else {
        dropped = true;
    }
    if (dropped && !dropNoticed_) {
        dropNoticed_ = true;
        post("0+" + translate("Session", "Some messages were dropped because too many arrived at once."));
    }
}

// ---------------------------------------------------------- dispatch timer

bool Session::needsTicks() const {
    return !received_.empty() || !relays_.empty() || pacer_.waiting() > 0 || (closeWhenDrained_ && !closing_);
}

void Session::tick() {
    if (!received_.empty() || !relays_.empty()) {
        const bool relayFirst =
            received_.empty() || (!relays_.empty() && relays_.front().seq < received_.front().seq);
        auto& from = relayFirst ? relays_ : received_;
        std::string line = std::move(from.front().line);
        from.pop_front();
        queuedBytes_ -= line.size() + kQueuedLineOverhead;
        if (received_.empty() && relays_.empty()) dropNoticed_ = false;  // the next flood is told again
        dispatch(line);
    }
    if (pacer_.waiting() > 0) flushTalk();
    if (closeWhenDrained_ && received_.empty() && relays_.empty() && !closing_) {
        closeWhenDrained_ = false;
        connectionEnded();
    }
}

bool Session::phraseready() const { return clock_() >= phraseReadyAt_; }

std::int64_t Session::phraseRestMs() const { return phraseready() ? 0 : phraseReadyAt_ - clock_(); }

void Session::dispatch(const std::string& line) {
    std::string key, data;
    if (!net::splitKey(line, key, data)) return;
    for (const Route& route : kRoutes) {
        if (key != route.keyword) continue;
        // Each handler reads and checks all its fields before it changes
        // anything, so a refused message leaves no trace.
        try {
            (this->*route.handler)(data);
        } catch (const net::ConversionError&) {
        } catch (const OutOfRange&) {
        }
        break;
    }
    publish();
}

// ------------------------------------------------------------------ output

void Session::playsounds(const char* name) {
    if (playSounds_) view_.playSound(name);
}

void Session::post(const std::string& line) { post(line, systemcolor_); }

void Session::post(const std::string& line, net::Colour colour) { view_.addLineToChat(line, colour); }

void Session::sendRequest(const std::string& utf8Line) {
    if (!loggedin_) return;
    view_.send(net::frame(net::utf8ToCp1252(utf8Line)));
}

void Session::publish() {
    if (!dirty_) return;
    dirty_ = false;
    view_.tableChanged();
}

// ---------------------------------------------------------------- handlers

void Session::sendloginfo(const std::string& data) {
    const int slot = readInt(data, 1, 9);
    takeSlot(slot);
    view_.send(loginMessage(myseat_, loginname_));
}

void Session::newplayerinfo(const std::string& data) {
    struct Entry {
        int slot;
        std::string name;
        std::string watching;
    };
    const std::vector<std::string> fields = net::readList(data);
    if (fields.size() % 3 != 0) throw OutOfRange{};
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < fields.size(); i += 3)
        entries.push_back({readInt(fields[i], 1, 9), fields[i + 1], fields[i + 2]});

    for (const Entry& e : entries) {
        if (reclaiming_) {
            // Back in our seat: the table is brought up to date quietly.
        } else if (e.slot == myseat_) {
            // The server may have tidied the name (spaces, length, "|");
            // the table shows its version, so that is the one to know
            // oneself by when turns and game starts are named.
            myname_ = e.name;
            post("0+" + translate("Session", "You are Connected."));
            post("0+" + translate("Session", "Press Control-I to see Quick Instructions."));
            // Once per connection: a server repeating the own entry must
            // not keep re-reading the file or moving the window back.
            if (!settingsLoaded_) {
                settingsLoaded_ = true;
                view_.loadSettings();
            }
        } else {
            post("0+" + fillText(translate("Session", "%1 is Connected."), {e.name}));
        }
        if (e.slot > 6) {
            // One entry per slot: a slot holds one connection at a time.
            const std::string prefix = std::to_string(e.slot) + ": ";
            const std::string entry = prefix + e.name;
            auto& list = table_.spyList;
            auto it = std::find_if(list.begin(), list.end(),
                                   [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
            if (it != list.end())
                *it = entry;
            else
                list.push_back(entry);
            if (!reclaiming_)
                post("0+" + (e.slot == myseat_ ? translate("Session", "You are spying.") : fillText(translate("Session", "%1 is spying."), {e.name})));
        } else {
            seat(e.slot).caption = e.name;
        }
        if (e.slot < 7 && e.watching == "1") seat(e.slot).eyes = true;
        changed();
    }
    if (!reclaiming_) playsounds("entered");
}

void Session::havewrongversion(const std::string& data) {
    post("0+" + fillText(translate("Session", "%1 has a different version of the game then you."), {data}));
}

void Session::wrongversion(const std::string&) {
    post("0+" + translate("Session", "You have a differnt version of the game then the host."));
}

void Session::playerdisconnected(const std::string& data) {
    net::FieldReader r(data);
    const int slot = readInt(r.positional(), 1, 9);
    const std::string name = r.rest();
    if (slot < 7) {
        post("0+" + fillText(translate("Session", "%1 disconnected."), {seat(slot).caption}));
        seat(slot).caption = slot == 2 ? "Rudi" : kWaiting;
        seat(slot).eyes = false;
        seat(slot).away = false;
        changed();
    }
    auto& list = table_.spyList;
    const auto it = std::find(list.begin(), list.end(), std::to_string(slot) + ": " + name);
    if (it != list.end()) {
        post("0+" + fillText(translate("Session", "%1 has left."), {name}), net::kNavy);
        list.erase(it);
        changed();
    }
}

void Session::full(const std::string&) {
    view_.showMessage(translate("Session", "Game is full"));
    if (!closing_) {
        closing_ = true;
        view_.closeWindow();
    }
}

} // namespace tc::client
