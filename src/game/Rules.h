#pragma once
// The rules of the tile game as the server applies them. Pure functions
// over the nine tiles and the six seats; no I/O.
#include <array>
#include <string>
#include <vector>

namespace tc::game {

inline constexpr int kTileCount = 9;
inline constexpr int kSeatCount = 6;

// Tile states: "u" open, "o" shut by an accepted move, "d" (client only)
// selected but not yet submitted.
using Tiles = std::array<std::string, kTileCount>;  // [0] is tile 1

Tiles allOpen();

// True when some set of distinct tiles whose state differs from
// `closedMarker` adds up to `total`. False for totals outside 2..12.
bool canmaketotal(const std::string& closedMarker, const Tiles& tiles, int total);

// Sum of the numbers of the tiles whose state is not "o".
int openSum(const Tiles& tiles);
bool allShut(const Tiles& tiles);

enum class CloseVerdict {
    Accept,     // the tiles add up to the roll: shut them
    WrongSum,   // refused: "CMD_notvalid+" seat "+1+"
};

// Checks a close request's tile numbers against the tiles and the roll.
// Refused as a wrong sum: no tile, a tile outside 1..9, a tile already
// shut, a tile named twice, or a sum that differs from the total.
CloseVerdict validateClose(const Tiles& tiles, const std::vector<int>& request, int total);

// What a seat brings to the end of a round.
struct SeatResult {
    bool candidate = false;  // a player is connected; seat 2 counts as one regardless
    int score = 0;
};

// Seats (1..6) that gain a Mark: seat 1 is the provisional lowest (seat 2
// when seat 1 is no candidate), a
// candidate among seats 2..6 with a strictly lower score replaces it; the
// seat found comes first, then every other candidate tied with it in seat
// order.
std::vector<int> roundMarks(std::array<SeatResult, kSeatCount> seats);

// The winning seat (1..6), or 0: the last seat holding the highest Mark
// count at or above marksToWin, provided no other seat is level with it.
int winner(const std::array<int, kSeatCount>& marks, int marksToWin);

} // namespace tc::game
