#pragma once
// Watches every broadcast of a game, as one seated client receives them,
// and checks each against the rules of the game; collects what is wrong.
#include <array>
#include <set>
#include <string>
#include <vector>

namespace tc::integration {

class RuleChecker {
public:
    // `seats`: the seats in the turn order for the whole game.
    explicit RuleChecker(std::set<int> seats) : seats_(std::move(seats)) {}

    void feed(const std::string& line);

    const std::vector<std::string>& errors() const { return errors_; }
    int winner() const { return winner_; }
    int turns() const { return turns_; }
    int rounds() const { return rounds_; }
    int closes() const { return closes_; }

    // A set of open tiles (bit t-1 for tile t) adding up to `total`, or 0.
    static unsigned findMove(unsigned openMask, int total);

private:
    void fail(const std::string& line, const std::string& why) { errors_.push_back(why + ": " + line); }
    int nextSeat(int seat) const;

    std::set<int> seats_;
    std::vector<std::string> errors_;
    unsigned open_ = 0x1FF;
    int current_ = 0, total_ = 0, marksToWin_ = 0, winner_ = 0;
    int turns_ = 0, rounds_ = 0, closes_ = 0;
    bool seatOnePlayed_ = false, expectRoll_ = false, expectNoMove_ = false, turnOver_ = false;
    bool roundOver_ = false;
    std::array<int, 7> score_{}, marks_{};
};

} // namespace tc::integration
