#pragma once
// The computer player's choice of tiles. Classic: for each dice total a
// fixed list of candidates, the first whose tiles are all open is played.
// Expert: the exact best move (ExpertPlayer.h). The host picks one for the
// whole game; Classic unless chosen otherwise.
#include <optional>
#include <string>
#include <string_view>
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

enum class Rudi { Classic, Expert };

// "classic" or "expert", as the command lines and the settings write them.
std::optional<Rudi> parseRudi(std::string_view text);
const char* rudiName(Rudi rudi);

// No score to reach: the computer plays for the lowest expected score.
inline constexpr int kNoLimit = -1;

// The candidate text of the chosen move ("+1+2+4"), "" when there is none.
// The expert plays for the lowest expected score, or, given a limit (the
// lowest score the seats before it have made in the round), for the best
// chance to finish at or below it; Classic ignores the limit.
std::string chooseMove(Rudi rudi, int total, const Tiles& tiles, int limit = kNoLimit);
std::string moveText(Rudi rudi, int seat, int die1, int die2, const Tiles& tiles, int limit = kNoLimit);

} // namespace tc::game
