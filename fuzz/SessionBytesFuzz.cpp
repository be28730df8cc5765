// Drives the client session with server bytes and player clicks chosen by
// the input, and checks the table and every output after every step.
//
// Input: one byte of set-up (bit 0: host or join; the rest seeds the
// generator), then operations, each a byte (value % 8) and its own bytes:
//   0 bytes from the server:       length, bytes
//   1 ticks until the session needs none (bounded)
//   2 a click on tile n:           n (0..10; 0 and 10 are out of range)
//   3 the roll button
//   4 typed text:                  colour (4 bytes), length, text
//   5 other input (menus, phrases, socket end, a flood of one byte, Show Best Move,
//     the offered Marks, a join made by the join dialog): kind, arguments
//   6 the server's bytes, cut into 1-byte reads: length, bytes
//   7 bytes from the server, ticked line by line: length, bytes
//   8 one server message built from a keyword and fields: keyword, field
//     count (and trailing "+"), then per field a byte choosing an edge
//     number, or (from 0xC0 up) a text: length, bytes
// An operation byte of 0xE0..0xEF is one of these instead, chosen by the
// next byte % 8:
//   0 a join made through the join dialog's handshake: name (length, bytes),
//     count (1..4), then that many chunks of the host's bytes (as 0); once
//     the host has seated us the session takes the connection over
//   1 the connection drops and the copy tries to come back with its seat
//     key: purpose (bit 0: give the seat up), count (1..4), then that many
//     chunks of the host's bytes for the handshake
//   2 the player leaves on purpose
//   3 one extension message built from a keyword and fields (as 8)
//   4 the sound options: bits (0: game sounds, 1: chatter sounds)
//   5 the host lets removed players back in
//   6 Escape: every tile slid down goes back up
//   7 the server's bytes with a check of the phrase lock between reads: length, bytes
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "chat/ChatLineParser.h"
#include "session/JoinHandshake.h"
#include "session/Marks.h"
#include "session/ReclaimHandshake.h"
#include "session/Session.h"
#include "session/SessionView.h"
#include "game/Lcg.h"
#include "net/Cp1252.h"
#include "net/Fields.h"
#include "net/LineFramer.h"

namespace {

using tc::client::Session;
using tc::client::TableState;
using tc::fuzz::FuzzInput;
using tc::fuzz::shown;
using tc::fuzz::validUtf8;

class NullView : public tc::client::SessionView {
public:
    const Session* session = nullptr;
    tc::chat::ChatLineParser pane;

    bool startServer(std::string&) override { return true; }
    void connectToServer(const std::string&) override {}
    void openSideConnection() override {}

    void send(const std::string& wire) override {
        FUZZ_CHECK(!wire.empty() && wire.back() == '\xFF', "send without terminator: " + shown(wire));
        std::string line = wire.substr(0, wire.size() - 1);
        // The login alone carries the name's own 0xFF as an empty line after it.
        if (line.rfind("CMD_logininfo+", 0) == 0 && !line.empty() && line.back() == '\xFF') line.pop_back();
        FUZZ_CHECK(line.find('\xFF') == std::string::npos, "0xFF inside a sent text: " + shown(wire));
        std::string key, data;
        FUZZ_CHECK(tc::net::splitKey(line, key, data), "sent line without keyword: " + shown(wire));
        // The server closes a connection that sends a line over the cap.
        FUZZ_CHECK_NAMED("sent-fits", line.size() <= tc::net::kMaxLineBytes,
                         "a " + std::to_string(line.size()) + "-byte request: " + shown(line.substr(0, 60)));
        // Every request bound to its connection names the sender's own slot
        // first, or the server ignores it.
        static const std::string kBound[] = {"CMD_logininfo", "CMD_kickhim", "CMD_chat", "CMD_action",
                                             "CMD_playasound", "CMD_slide", "CMD_closethem", "CMD_keyack", "CMD_letbackin",
                                             "CMD_leaving"};
        for (const auto& bound : kBound)
            if (key == bound) {
                const std::string sender = data.substr(0, data.find('+'));
                FUZZ_CHECK(sender == std::to_string(session->myseat()), "request from another slot: " + shown(line));
            }
    }

    void addLineToChat(const std::string& line, tc::net::Colour) override {
        FUZZ_CHECK(validUtf8(line), "chat line not UTF-8: " + shown(line));
        // The pane refuses a line without a slot 0..9 in front; the session
        // must never post one.
        FUZZ_CHECK(pane.parse(line).has_value(), "chat line the pane refuses: " + shown(line));
    }

    void tableChanged() override { readTable(session->table()); }

    void animateTile(int tile, bool, int frame) override {
        FUZZ_CHECK(tile >= 1 && tile <= 9, "animated tile " + std::to_string(tile));
        FUZZ_CHECK(frame >= 0 && frame <= 4, "tile frame " + std::to_string(frame));
    }
    void playSound(const std::string& name) override {
        FUZZ_CHECK(!name.empty(), "nameless sound");
    }
    void showMessage(const std::string&) override {}
    void closeWindow() override {}
    void showGameStart() override {}

    // What the window does with the table: the Marks strip asks each Mark
    // its colour against the Marks needed to win.
    static void readTable(const TableState& t) {
        for (const auto& s : t.seats) {
            FUZZ_CHECK(s.marks >= 0, "seat marks " + std::to_string(s.marks));
            FUZZ_CHECK_NAMED("marks-cap", s.marks <= tc::client::kMaxMarks, "seat marks " + std::to_string(s.marks));
            FUZZ_CHECK(validUtf8(s.caption), "caption not UTF-8: " + shown(s.caption));
            for (int i = 0; i < s.marks; ++i) (void)tc::client::markIsGreen(i, t.pointsToWin);
        }
    }
};

void checkTable(const Session& session) {
    const TableState& t = session.table();
    for (const auto& tile : t.tiles) FUZZ_CHECK(tile == "u" || tile == "d" || tile == "o", "tile " + shown(tile));
    for (const auto& s : t.seats) FUZZ_CHECK(s.marks >= 0, "negative marks");
    for (const auto& d : t.dice) FUZZ_CHECK(d.face >= 0 && d.face <= 6, "die face " + std::to_string(d.face));
    FUZZ_CHECK(t.turnSeat >= 0 && t.turnSeat <= 6, "turn seat " + std::to_string(t.turnSeat));
    // One spy-list entry per spectator slot (7..9).
    FUZZ_CHECK(t.spyList.size() <= 3, "spy list of " + std::to_string(t.spyList.size()));
    FUZZ_CHECK(session.myseat() >= 0 && session.myseat() <= 9, "myseat");
    FUZZ_CHECK(session.currentplayer() >= 0 && session.currentplayer() <= 6, "currentplayer");
    // Each queued line costs at least its string object, whatever its text:
    // the queue's memory stays within its bound only if lines are counted too.
    FUZZ_CHECK_NAMED("queue-lines", session.queuedLines() * sizeof(std::string) <= tc::client::kMaxQueuedBytes,
               std::to_string(session.queuedLines()) + " lines queued");
    NullView::readTable(t);
}

// What the server sends, and the numbers at the edges of every range the
// handlers check.
constexpr const char* kKeywords[] = {
    "CMD_sendlogininfo", "CMD_chat", "CMD_action", "CMD_newplayerinfo", "CMD_havewrongversion",
    "CMD_wrongversion", "CMD_existingplayers", "CMD_playerdisconnected", "CMD_startgame",
    "CMD_nextplayer", "CMD_winner", "CMD_full", "CMD_justwatching", "CMD_placedice", "CMD_slide",
    "CMD_closeit", "CMD_notvalid", "CMD_scores", "CMD_roundwinner", "CMD_clearscores",
    "CMD_gamestats", "CMD_updatescores", "CMD_playasound",
};
constexpr const char* kNumbers[] = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "45", "50", "99", "100", "101",
    "-1", "-3", "2147483647", "-2147483648", "-2147483646", "2147483648", "", "up", "down", "wave3", "x",
};

// The extension messages a server sends, and what their fields hold.
constexpr const char* kHoldKeywords[] = {
    "CMD_seatkey", "CMD_away", "CMD_back", "CMD_yourseat", "CMD_shuttiles", "CMD_serverclosing",
    "CMD_removed", "CMD_letbackin", "CMD_reclaimrefused", "CMD_givenup", "CMD_sendlogininfo",
    "CMD_newplayerinfo", "CMD_full", "CMD_fullkept", "CMD_rounds",
};
const std::string kHoldFields[] = {
    "0", "1", "2", "6", "7", "9", "-1", "2147483648", "", "x", "120", "86400", "86401",
    "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef", std::string(256, 'k'),
    std::string(257, 'k'), "a b", "000000000", "111111111", "101010101", "0101", "01010101x", "Fuzzy",
};

std::string builtMessage(FuzzInput& in, const char* keyword, const std::string* fields, std::size_t count) {
    std::string line = keyword;
    const std::uint8_t shape = in.byte();
    line += '+';
    for (int n = (shape & 0x7F) % 10; n > 0; --n) {
        const std::uint8_t pick = in.byte();
        if (pick < 0xC0) {
            line += fields[pick % count];
        } else {
            for (const char c : in.chunk())
                if (c != '\xFF') line += c;
        }
        if (n > 1 || (shape & 0x80)) line += '+';
    }
    return line + '\xFF';
}

std::string serverMessage(FuzzInput& in) {
    std::string line = kKeywords[in.byte() % std::size(kKeywords)];
    const std::uint8_t shape = in.byte();
    line += '+';
    for (int n = (shape & 0x7F) % 10; n > 0; --n) {
        const std::uint8_t pick = in.byte();
        if (pick < 0xC0) {
            line += kNumbers[pick % std::size(kNumbers)];
        } else {
            for (const char c : in.chunk())
                if (c != '\xFF') line += c;
        }
        if (n > 1 || (shape & 0x80)) line += '+';
    }
    return line + '\xFF';
}

void tickDown(Session& session) {
    // Each tick takes one line; the phrase cool-down needs about 100 more.
    for (std::size_t n = session.queuedLines() + 200; n > 0 && session.needsTicks(); --n) session.tick();
    FUZZ_CHECK(!session.needsTicks(), "the session keeps asking for ticks");
}

void otherInput(Session& session, FuzzInput& in) {
    switch (in.byte() % 18) {
    case 0: session.startGame(in.byte() % 13); break;
    case 1: session.justWatchClicked(); break;
    case 2: session.openSeatPopup(in.byte() % 8); session.removeFromGame(); break;
    case 3: session.openSeatPopup(in.byte() % 8); session.setJustWatch(); break;
    case 4: session.openSeatPopup(in.byte() % 8); session.unsetJustWatch(); break;
    case 5: session.spyRemove(std::string(in.chunk())); break;
    case 6: session.sendPhrase(std::string(in.chunk()), in.u32()); break;
    case 7: session.clickStart(); break;
    case 8: session.tick(); break;
    case 9: session.onSocketClosed(); break;
    // The reason is the socket layer's own text, always UTF-8.
    case 10: session.onConnectFailed(tc::net::cp1252ToUtf8(in.chunk())); break;
    case 11: {
        // A peer that floods: up to 255 KiB of one byte in one read.
        const std::size_t kib = in.byte() + 1u;
        session.onBytes(std::string(kib * 1024, static_cast<char>(in.byte())));
        break;
    }
    case 12:
    case 13: {
        // A pasted flood: up to 16 KiB of one text, typed or as a phrase.
        const bool typed = in.byte() & 1;
        std::string text;
        for (int n = in.byte() % 64 + 1; n > 0; --n) text += std::string(in.take(4)) + std::string(252, 'a');
        if (typed) session.sendTyped(text, in.u32());
        else session.sendPhrase(text, in.u32());
        break;
    }
    case 14: session.setShowBestMove(in.byte() & 1); break;
    case 15: session.offerMarks(in.byte() % 13); break;
    // A join made through the join dialog, already logged in at a slot.
    case 16: session.processJoined({"Ann", "10.0.0.5", "x"}, in.byte() % 11); break;
    default: session.sendTyped("/me " + std::string(in.chunk()), in.u32()); break;
    }
}

// A join through the join dialog: the handshake with the host, then the
// session takes the connection over with what came after the login request.
void joinStep(Session& session, FuzzInput& in) {
    using State = tc::client::JoinHandshake::State;
    const std::string name = tc::net::cp1252ToUtf8(in.chunk());
    tc::client::JoinHandshake h(name);
    int logins = 0;
    // Bytes after the end are not looked at; they are given all the same.
    for (int n = in.byte() % 4 + 1; n > 0; --n) {
        const std::string reply = h.onBytes(in.chunkOrRun());
        if (reply.empty()) continue;
        ++logins;
        FUZZ_CHECK(reply == tc::client::loginMessage(h.seat(), tc::client::wireSafeName(name) + '\xFF'),
                   "join sent " + shown(reply));
    }
    FUZZ_CHECK(logins <= 1, "a second login");
    FUZZ_CHECK(h.seat() >= 0 && h.seat() <= 9, "join seat " + std::to_string(h.seat()));
    FUZZ_CHECK(h.rest().size() <= tc::client::JoinHandshake::kMaxBytes + 2 * 1024 * 1024, "join keeps too much");
    if (h.state() != State::Joined) return;
    FUZZ_CHECK(logins == 1 && h.seat() >= 1, "joined without a login");
    session.processJoined({name, "10.0.0.5", "false"}, h.seat());
    session.onBytes(h.rest());
}

// The connection drops; the copy presents its seat key on a new one, to
// come back or to give the seat up, and the session hears how it went.
void comeBackStep(Session& session, FuzzInput& in) {
    using tc::client::ReclaimHandshake;
    using State = ReclaimHandshake::State;
    const bool giveUp = in.byte() & 1;
    const int chunks = in.byte() % 4 + 1;
    if (!session.reconnecting()) {
        session.onSocketClosed();
        tickDown(session);
    }
    if (!session.reconnecting()) return;
    const std::string key = session.seatKey();
    FUZZ_CHECK(!key.empty() && session.holdSeconds() > 0, "reconnecting without a key");
    ReclaimHandshake h(key, giveUp ? ReclaimHandshake::Purpose::Leave : ReclaimHandshake::Purpose::Return);
    int asked = 0;
    for (int n = chunks; n > 0; --n) {
        const std::string bytes = in.chunkOrRun();
        const std::string reply = h.onBytes(bytes);
        if (reply.empty()) continue;
        ++asked;
        // The key goes only to the slot the host offered, exactly as given.
        FUZZ_CHECK(reply.find(key) != std::string::npos && reply.back() == '\xFF' &&
                       reply.find('\xFF') == reply.size() - 1,
                   "presented " + shown(reply));
        FUZZ_CHECK(reply.rfind(giveUp ? "CMD_giveup+" : "CMD_reclaim+", 0) == 0, "presented " + shown(reply));
    }
    FUZZ_CHECK(asked <= 1, "the key presented twice");
    FUZZ_CHECK(h.seat() >= 0 && h.seat() <= 6, "came back to seat " + std::to_string(h.seat()));
    switch (h.state()) {
    case State::Reclaimed:
        FUZZ_CHECK(!giveUp && h.rest().rfind("CMD_yourseat+", 0) == 0, "taken back without the seat's line");
        session.reclaimed(h.rest());
        break;
    case State::Left: FUZZ_CHECK(giveUp, "left while coming back"); [[fallthrough]];
    case State::Refused: session.reconnectFailed("Back on the line, but the game no longer keeps your seat."); break;
    default: break;  // tried again later, or still waiting
    }
}

void extensionStep(Session& session, FuzzInput& in) {
    switch (in.byte() % 8) {
    case 0: joinStep(session, in); break;
    case 1: comeBackStep(session, in); break;
    case 2: session.leave(); break;
    case 3:
        session.onBytes(builtMessage(in, kHoldKeywords[in.byte() % std::size(kHoldKeywords)], kHoldFields,
                                     std::size(kHoldFields)));
        break;
    case 4: {
        const std::uint8_t bits = in.byte();
        session.setPlaySounds(bits & 1);
        session.setChatterSounds(bits & 2);
        break;
    }
    case 5: session.letRemovedBackIn(); break;
    case 6: session.putTilesBackUp(); break;
    default:
        session.onBytes(in.chunkOrRun());
        // The phrase lock counts down from its length, never past it.
        FUZZ_CHECK(session.phraseRestMs() >= 0 && session.phraseRestMs() <= tc::client::kPhraseLockMs,
                   "phrase lock " + std::to_string(session.phraseRestMs()) + " ms");
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t setup = in.byte();
    tc::game::Lcg rng(setup >> 1);
    NullView view;
    Session session(view, rng);
    view.session = &session;

    session.formCreate();
    session.processParams({"Fuzzy", "127.0.0.1", (setup & 1) ? "true" : "false"});
    session.onConnected();
    checkTable(session);

    while (!in.empty()) {
        const std::uint8_t op = in.byte();
        if (op >= 0xE0 && op < 0xF0) {
            extensionStep(session, in);
            checkTable(session);
            continue;
        }
        switch (op % 9) {
        case 0: session.onBytes(in.chunkOrRun()); break;
        case 1: tickDown(session); break;
        case 2: session.clickTile(in.byte() % 11); break;
        case 3: session.clickRoll(); break;
        case 4: {
            const tc::net::Colour colour = in.u32();
            session.sendTyped(std::string(in.chunk()), colour);
            break;
        }
        case 5: otherInput(session, in); break;
        case 6:
            for (const char c : in.chunk()) session.onBytes(std::string_view(&c, 1));
            break;
        case 7:
            session.onBytes(in.chunk());
            while (session.queuedLines() > 0) {
                session.tick();
                checkTable(session);
            }
            break;
        case 8: session.onBytes(serverMessage(in)); break;
        }
        checkTable(session);
    }
    tickDown(session);
    checkTable(session);
    return 0;
}
