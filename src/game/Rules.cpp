#include "game/Rules.h"

namespace tc::game {

Tiles allOpen() {
    Tiles t;
    t.fill("u");
    return t;
}

bool canmaketotal(const std::string& closedMarker, const Tiles& tiles, int total) {
    if (total < 2 || total > 12) return false;
    // Subset sums over the open tiles; the sets are tiny (2^9).
    unsigned reachable = 1;  // bit k set: sum k reachable
    for (int i = 0; i < kTileCount; ++i)
        if (tiles[i] != closedMarker) reachable |= (reachable << (i + 1)) & 0x1FFFu;
    return (reachable >> total) & 1u;
}

int openSum(const Tiles& tiles) {
    int sum = 0;
    for (int i = 0; i < kTileCount; ++i)
        if (tiles[i] != "o") sum += i + 1;
    return sum;
}

bool allShut(const Tiles& tiles) {
    for (const auto& t : tiles)
        if (t != "o") return false;
    return true;
}

CloseVerdict validateClose(const Tiles& tiles, const std::vector<int>& request, int total) {
    if (request.empty()) return CloseVerdict::WrongSum;
    bool named[kTileCount] = {};
    int sum = 0;
    for (int tile : request) {
        if (tile < 1 || tile > kTileCount) return CloseVerdict::WrongSum;
        if (named[tile - 1] || tiles[tile - 1] == "o") return CloseVerdict::WrongSum;
        named[tile - 1] = true;
        sum += tile;
    }
    return sum == total ? CloseVerdict::Accept : CloseVerdict::WrongSum;
}

std::vector<int> roundMarks(std::array<SeatResult, kSeatCount> seats) {
    // The computer player holds seat 2 whenever nobody else does.
    seats[1].candidate = true;
    // Seat 1 is the provisional lowest. A headless server can run with seat
    // 1 empty; an empty seat must not collect Marks, so seat 2 (always a
    // candidate) stands in for it then.
    int found = seats[0].candidate ? 1 : 2;
    for (int s = 2; s <= kSeatCount; ++s) {
        const auto& r = seats[s - 1];
        if (r.candidate && r.score < seats[found - 1].score) found = s;
    }
    std::vector<int> gained{found};
    const int low = seats[found - 1].score;
    for (int s = 1; s <= kSeatCount; ++s) {
        if (s == found) continue;
        const auto& r = seats[s - 1];
        if (r.candidate && r.score == low) gained.push_back(s);
    }
    return gained;
}

int winner(const std::array<int, kSeatCount>& marks, int marksToWin) {
    int threshold = marksToWin;
    int found = 0;
    for (int s = 1; s <= kSeatCount; ++s) {
        if (marks[s - 1] >= threshold) {
            found = s;
            threshold = marks[s - 1];
        }
    }
    if (found == 0) return 0;
    for (int s = 1; s <= kSeatCount; ++s)
        if (s != found && marks[s - 1] == marks[found - 1]) return 0;
    return found;
}

} // namespace tc::game
