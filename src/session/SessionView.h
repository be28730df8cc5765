#pragma once
// Everything the client session asks of the world around it: the socket,
// the in-process server, the window. The Qt main window implements it;
// tests implement it with a recorder.
#include <string>

#include "net/Colour.h"

namespace tc::client {

class SessionView {
public:
    virtual ~SessionView() = default;

    // --- transport ---
    // hostpress: make this copy's game server listen. On failure returns
    // false and puts a short reason ("Address already in use") in `error`.
    virtual bool startServer(std::string& error) = 0;
    // Non-blocking connect of the game connection. Success arrives as
    // Session::onConnected, failure as Session::onConnectFailed.
    virtual void connectToServer(const std::string& address) = 0;
    // The idle side connection to 127.0.0.1 port 9001; failure is ignored.
    virtual void openSideConnection() = 0;
    // One whole message, already Windows-1252 and ended by 0xFF.
    virtual void send(const std::string& wireBytes) = 0;

    // --- presentation ---
    // addlinetochat: "slot+text" in a colour.
    virtual void addLineToChat(const std::string& line, net::Colour colour) = 0;
    // The table state (Session::table()) changed; re-read and show it.
    virtual void tableChanged() = 0;
    // slideup / slidedown of one tile: set its frame and direction, then
    // play (a tile already playing goes on from the new frame).
    virtual void animateTile(int tile, bool reverse, int frame) = 0;
    // playsounds: "slide", "dice", "entered", "wonpoint", "nopoint",
    // "winner", "gameover"; also chatter sounds "wave1".."wave20".
    virtual void playSound(const std::string& name) = 0;
    // Modal message box ("Game is full", "You are not connected").
    virtual void showMessage(const std::string& text) = 0;
    // Close the main window; the program ends.
    virtual void closeWindow() = 0;
    // Show the game-start window.
    virtual void showGameStart() = 0;
    // The connection dropped while the server keeps our seat for
    // `holdSeconds`: try to get back to it with Session::seatKey() and
    // report through Session::reclaimed or Session::reconnectFailed. A
    // view that cannot ends the game as a closed connection does.
    virtual void connectionLost(int /*holdSeconds*/) { closeWindow(); }

    // --- seams for later windows (settings, tally, download) ---
    virtual void showDownloadWindow() {}
    virtual void loadSettings() {}
    // The tally: one more of the own counter `column` (3: a turn in which
    // the local player shut all nine tiles).
    virtual void addToMineIncrease(int /*column*/) {}
    // A game ended while the local player held a seat: `winner` is the name
    // shown for the winning seat, `localWon` whether that seat is the own.
    virtual void addGame(const std::string& /*winner*/, bool /*localWon*/) {}
};

} // namespace tc::client
