#pragma once
// Reads every line one seated client receives, in order, and checks each
// game against the rules from the wire alone: the order of the turns, the
// dice and the tiles closed, the scores, the Marks of every round and the
// one winner of every game. Seats change hands while it reads (players
// leave, come back, are removed), so the turn order is followed from the
// announcements, not fixed in advance.
//
// A seat held by a connection that has not logged in is nobody's: the
// server gives it no turn and no Mark, so a turn or a Mark that only such a
// seat would explain is a fault.
//
// Qt-free: times are the caller's milliseconds.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tc::soak {

struct Violation {
    std::int64_t ms = 0;
    std::string what;
    std::string line;
};

class WireCheck {
public:
    // `stallMs`: how long a game may go without a message while a seat
    // held by a player is on turn.
    explicit WireCheck(std::int64_t stallMs) : stallMs_(stallMs) {}

    void feed(const std::string& line, std::int64_t ms);
    // Looks for a game that stopped moving. Call it every few hundred ms.
    void idle(std::int64_t ms);

    const std::vector<Violation>& violations() const { return violations_; }
    bool gameOn() const { return gameOn_; }
    int gamesStarted() const { return gamesStarted_; }
    int gamesWon() const { return gamesWon_; }
    int rounds() const { return rounds_; }
    int turns() const { return turns_; }
    // The longest time between two messages of a game while a logged-in
    // seat was on turn, in ms.
    std::int64_t longestWaitMs() const { return longestWaitMs_; }
    // The seats the announcements say are held now (1..9), by name.
    const std::map<int, std::string>& held() const { return held_; }
    // A copy that dropped came back to `seat` and was told this round
    // score and these Marks for it: they must be what the table had when
    // everyone else was told it is back ("CMD_back"), whichever comes first.
    void expectBack(int seat, int score, int marks, std::int64_t ms);
    // Turns of seats kept for a dropped player (the computer played them),
    // and returns whose score and Marks were compared.
    int awayTurns() const { return awayTurns_; }
    int backsCompared() const { return backsCompared_; }

private:
    void fail(std::int64_t ms, const std::string& what, const std::string& line) {
        violations_.push_back({ms, what, line});
    }
    bool inOrder(int seat) const { return seat == 2 || held_.count(seat) > 0; }
    void gameLine(const std::string& key, const std::string& data, const std::string& line, std::int64_t ms);
    bool roundMarksExplained(const std::vector<int>& announced) const;

    std::int64_t stallMs_;
    std::vector<Violation> violations_;
    std::map<int, std::string> held_;
    // Seats kept for a dropped player (between "CMD_away" and "CMD_back" or
    // the release).
    std::map<int, bool> away_;
    struct Back {
        int score = 0, marks = 0;
    };
    void compareBack(int seat, const Back& told, const Back& table, std::int64_t ms);
    std::map<int, Back> backTold_, backTable_;  // one side of a return, waiting for the other
    int awayTurns_ = 0, backsCompared_ = 0;

    bool gameOn_ = false;
    int marksToWin_ = 0;
    std::array<int, 7> score_{}, marks_{};
    unsigned open_ = 0x1FF;
    int current_ = 0, total_ = 0;
    bool seatOnePlayed_ = false, expectRoll_ = false, expectNoMove_ = false, turnOver_ = false;
    bool roundOver_ = false, leftOnTurn_ = false, won_ = false;
    int wantWinner_ = 0;
    int gameRounds_ = 0;  // the seat that must be announced the winner now, or 0
    std::int64_t lastGameMs_ = 0;
    bool stallReported_ = false;

    int gamesStarted_ = 0, gamesWon_ = 0, rounds_ = 0, turns_ = 0;
    std::int64_t longestWaitMs_ = 0;
};

// A set of open tiles (bit t-1 for tile t) adding up to `total`, or 0.
unsigned findMove(unsigned openMask, int total);
// The sum of the tiles in a mask.
int maskSum(unsigned mask);

} // namespace tc::soak
