#pragma once
// A server with seats logged in and helpers to play a game by hand.
#include <algorithm>

#include "ServerFixture.h"
#include "game/ComputerPlayer.h"

namespace tc::server::test {

using Lines = std::vector<std::string>;

class GameFlow : public ServerFixture {
protected:
    // Game start by the host: the first-seat draw over `choices` values
    // lands on `drawn`, and the first roll is (d1, d2).
    void start(ConnId host, int choices, int drawn, int marks = 5, int d1 = 1, int d2 = 1) {
        steerStart(choices, drawn, d1, d2);
        say(host, "CMD_startgame+Bob+" + std::to_string(marks) + "+");
    }
    std::string seat() const { return std::to_string(server.currentseat()); }
    // A person on turn with a pending roll of 1 and 1 shuts tile 2, then
    // rolls 1 and 1 again, which has no move: round score 43.
    void person43(ConnId c) {
        steerDice(1, 1);
        say(c, "CMD_closethem+" + seat() + "+2");
    }
    // As above, with a roll of 1 and 2 in between (tile 3 shut): score 40.
    void person40(ConnId c) {
        steerDice(1, 2);
        say(c, "CMD_closethem+" + seat() + "+2");
        steerDice(1, 1);
        say(c, "CMD_closethem+" + seat() + "+3");
    }
    // The computer at the start of its turn with a roll of 1 and 1.
    void computer43() {
        steerDice(1, 1);
        ticks(2);
    }
    // The turn-over pause runs out; the next turn opens with 1 and 1.
    void nextTurn() {
        steerDice(1, 1);
        ticks(3);
    }
    // One round from seat 1's turn on, every seat held by a person: the
    // seat `low` scores 40, the others 43. Ends in the round's end.
    void personRound(const std::vector<ConnId>& seats, int low) {
        for (std::size_t i = 0; i < seats.size(); ++i) {
            if (static_cast<int>(i) + 1 == low) person40(seats[i]);
            else person43(seats[i]);
            steerDice(1, 1);
            ticks(3);
        }
    }
    // Just the lines of one keyword that a connection received.
    Lines only(ConnId c, const std::string& keyword) const {
        Lines out;
        for (const auto& l : linesTo(c))
            if (l.rfind(keyword + "+", 0) == 0) out.push_back(l);
        return out;
    }
};

} // namespace tc::server::test
