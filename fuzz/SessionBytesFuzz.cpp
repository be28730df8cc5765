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
//   5 other input (menus, phrases, socket end, a flood of one byte): kind, arguments
//   6 the server's bytes, cut into 1-byte reads: length, bytes
//   7 bytes from the server, ticked line by line: length, bytes
//   8 one server message built from a keyword and fields: keyword, field
//     count (and trailing "+"), then per field a byte choosing an edge
//     number, or (from 0xC0 up) a text: length, bytes
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "chat/ChatLineParser.h"
#include "session/Marks.h"
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
                                             "CMD_playasound", "CMD_slide", "CMD_closethem"};
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
    switch (in.byte() % 15) {
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
    default: session.sendTyped("/me " + std::string(in.chunk()), in.u32()); break;
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
        switch (in.byte() % 9) {
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
