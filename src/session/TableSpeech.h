#pragma once
// What a screen reader says for the table's parts: each tile with its
// state, the dice, each seat with its score, Marks and turn. Plain text
// built from the TableState, so every client reads its table the same way.
#include <string>

#include "session/TableState.h"

namespace tc::client {

class TableSpeech {
public:
    // "Tile 7, open", "Tile 7, down", "Tile 7, shut"; just "Tile 7" for a
    // state letter it does not know.
    static std::string tile(int number, const std::string& state);
    // "Dice: 4 and 5"; "Dice: not rolled yet" before the first roll.
    static std::string dice(const TableState& table);
    // "Seat 3, Ann, round score 12, 2 Marks, on turn"; ", watching" is
    // added for a seat the computer plays, ", away" for one kept for a
    // player whose connection dropped; a free seat is "Seat 3, free".
    // Seats outside 1..6 give "".
    static std::string seat(const TableState& table, int seat);
    // "no Marks", "1 Mark", "2 Marks".
    static std::string marks(int count);
};

} // namespace tc::client
