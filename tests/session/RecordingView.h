#pragma once
// A SessionView that records every call as one line of text, in order, so
// tests can compare whole sequences of effects.
#include <cstdio>
#include <string>
#include <vector>

#include "session/Session.h"
#include "session/SessionView.h"
#include "game/Lcg.h"
#include "net/Cp1252.h"

namespace tc::client::test {

// "chat[RRGGBB]" uses the colour's 0x00BBGGRR value printed as six hex digits.
inline std::string colourHex(net::Colour c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c));
    return buf;
}

class RecordingView : public SessionView {
public:
    std::vector<std::string> events;
    int tableChanges = 0;
    bool serverStarts = true;
    std::string serverError = "Address already in use";

    bool startServer(std::string& error) override {
        events.push_back("startServer");
        if (!serverStarts) error = serverError;
        return serverStarts;
    }
    void connectToServer(const std::string& address) override { events.push_back("connect:" + address); }
    void openSideConnection() override { events.push_back("side"); }
    void send(const std::string& wireBytes) override { events.push_back("send:" + wireBytes); }
    void addLineToChat(const std::string& line, net::Colour colour) override {
        events.push_back("chat[" + colourHex(colour) + "] " + line);
    }
    void tableChanged() override { ++tableChanges; }
    void animateTile(int tile, bool reverse, int frame) override {
        events.push_back("tile:" + std::to_string(tile) + (reverse ? " up " : " down ") + std::to_string(frame));
    }
    void playSound(const std::string& name) override { events.push_back("sound:" + name); }
    void showMessage(const std::string& text) override { events.push_back("message:" + text); }
    void closeWindow() override { events.push_back("close"); }
    void showGameStart() override { events.push_back("gamestart"); }
    void connectionLost(int holdSeconds) override { events.push_back("lost:" + std::to_string(holdSeconds)); }
    void showDownloadWindow() override { events.push_back("download"); }
    void loadSettings() override { events.push_back("loadSettings"); }
    void addToMineIncrease(int value) override { events.push_back("mine:" + std::to_string(value)); }
    void addGame(const std::string& winner, bool localWon) override {
        events.push_back("addgame:" + winner + (localWon ? " (mine)" : ""));
    }

    // The events recorded since the last take(), and forget them.
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(events);
        return out;
    }
};

inline const std::string kBlue = "FF0000";    // systemcolor
inline const std::string kNavyHex = "800000";
inline const std::string kRedHex = "0000FF";
inline const std::string kWatchHex = "78989C";  // red 156, green 152, blue 120

// A session with its recorder and a fixed generator. Lines are given
// without their terminator and in UTF-8; they travel as Windows-1252.
struct SessionRig {
    RecordingView view;
    game::Lcg rng{12345};
    Session session{view, rng};
    std::int64_t now = 0;  // the session's clock in ms; tests move it

    SessionRig() {
        session.setClock([this] { return now; });
        session.formCreate();
        drain();  // takes "receivedlist"
        view.take();
    }

    void feed(const std::string& utf8Line) { session.onBytes(net::utf8ToCp1252(utf8Line) + '\xFF'); }
    void drain() {
        while (session.queuedLines() > 0) session.tick();
    }
    // Feed one line and handle it; returns what it caused.
    std::vector<std::string> handle(const std::string& utf8Line) {
        view.take();
        feed(utf8Line);
        drain();
        return view.take();
    }

    // Host (slot 1) or join as `name`, connected and logged in at `slot`.
    void host(const std::string& name = "Bob") {
        session.processParams({name, "127.0.0.1", "true"});
        login(1);
    }
    void join(int slot, const std::string& name = "Ann") {
        session.processParams({name, "10.0.0.5", "false"});
        login(slot);
    }
    void login(int slot) {
        session.onConnected();
        handle("CMD_sendlogininfo+" + std::to_string(slot));
        view.take();
    }
    const SeatDisplay& seat(int n) const { return session.table().seats[static_cast<std::size_t>(n - 1)]; }
    const std::string& tile(int n) const { return session.table().tiles[static_cast<std::size_t>(n - 1)]; }
};

// Bob hosts (seat 1), Cid sits in seat 3, a game to 5 Marks is on and it
// is Bob's turn with the dice 4 and 5 on the table.
struct OwnTurn : SessionRig {
    OwnTurn() {
        host("Bob");
        handle("CMD_newplayerinfo+1+Bob+0");
        handle("CMD_newplayerinfo+3+Cid+0");
        handle("CMD_startgame+Bob+5+");
        handle("CMD_nextplayer+1");
        handle("CMD_placedice+1+4+2+5+");
    }
};

} // namespace tc::client::test
