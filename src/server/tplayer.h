#pragma once
// One record of the server's slot table. Slots 1..6 are seats, 7..9
// spectators. The game fields belong to the seat, not to whoever holds it:
// only a game start clears them.
#include <string>

#include "server/ServerPorts.h"

namespace tc::server {

struct tplayer {
    std::string name;       // Windows-1252, cleaned at login; "" while free
    bool active = false;    // holds a connection, logged in or not
    ConnId conn = 0;        // 0 while free
    int score = 0;          // round score; 50 = not played yet in the first round
    bool watching = false;  // the computer plays this seat's turns
    int marks = 0;
    int turns = 0;          // turns started in this game (seat 1's decides round ends)
    bool loggedin = false;  // sent a login on this connection
    // The connection dropped and the seat is kept for its player: no
    // connection (conn 0), still in the game, played by the computer.
    bool away = false;
    // Where an away player's connection came from, so that a host who
    // removes the kept seat keeps that player out as any other.
    std::string awayFrom;
};

} // namespace tc::server
