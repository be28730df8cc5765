#pragma once
// What the main window shows, held as plain values. The session's
// handlers change it and then call SessionView::tableChanged().
#include "net/Text.h"
#include <array>
#include <string>
#include <vector>

namespace tc::client {

struct SeatDisplay {
    std::string caption = "<Waiting>";  // label_playername<N>
    std::string hint;                   // fallback name: "", "Rudi", "Klick", "Kling", "Klick", "Krazy"
    std::string score = "0";            // label_score<N>
    int marks = 0;                      // image_points<N> tag
    bool eyes = false;                  // image_eyes<N> visible
    bool away = false;                  // the connection dropped; the seat is kept for its player

    bool operator==(const SeatDisplay&) const = default;
};

struct DieDisplay {
    int face = 0;  // 0: nothing drawn yet
    int left = 0;
    int top = 0;

    bool operator==(const DieDisplay&) const = default;
};

struct TableState {
    std::array<SeatDisplay, 6> seats;            // [0] is seat 1
    std::array<std::string, 9> tiles;            // "u", "d", "o"; [0] is tile 1
    std::array<bool, 9> bestMove{};              // the coach's marks (Show Best Move); [0] is tile 1
    std::array<DieDisplay, 2> dice;              // home (19, 67) and (59, 67)
    std::string status = net::translate("Session", "Welcome to Tilecrest");  // label_status
    std::string coach;                            // label_coach: the coach's advice, under the status; "" when none
    int pointsToWin = 5;                          // label_pointstowin tag; the game-start window's 5
    std::string pointsToWinText = net::fillText(net::translate("Session", "Marks needed to win: %1"), {"5"});
    int rounds = 0;                               // label_rounds tag
    std::string roundsText = net::fillText(net::translate("Session", "Rounds Played: %1"), {"0"});
    bool winnerVisible = false;                   // panel_winner
    std::string winnerText = net::translate("Session", "Winner!");  // label_winner
    bool rollVisible = false;                     // button_roll
    bool startVisible = false;                    // button_start
    bool startGameEnabled = false;                // menu File, "Start Game"
    bool justWatchChecked = false;                // menu Options, "Just Watch"
    int turnSeat = 0;                             // image_Turn beside this seat; 0: initial place
    std::vector<std::string> spyList;             // "8: Ann"
    bool spyRemoveEnabled = false;                // spy list's "Remove From Game"
    int chatWaiting = 0;                          // own chat lines not yet sent (paced)
    bool spectating = false;                      // logged in as a spectator (slot 7..9)
    bool justWatchEnabled = true;                 // menu Options, "Just Watch": off for a spectator
    bool reconnecting = false;                    // the connection dropped; trying to get back to the seat

    bool operator==(const TableState&) const = default;
};

} // namespace tc::client
