#pragma once
// The computer player's choice of tiles: for each dice total a fixed list
// of candidates, the first whose tiles are all open is played.
#include <string>
#include <vector>

#include "game/Rules.h"

namespace tc::game {

// Candidate texts of a total in the order they are tried ("+2+4", ...);
// empty for totals outside 2..12.
const std::vector<std::string>& candidates(int total);

// The family cgetdice2..cgetdice12 as one function: the first candidate of
// `total` whose tiles are all "u", or "" when none is playable.
std::string cgetdice(int total, const Tiles& tiles);

// The move text handed to the close handler: seat number, then the
// candidate ("2+1+6"); "" when the computer has no move.
std::string moveText(int seat, int die1, int die2, const Tiles& tiles);

} // namespace tc::game
