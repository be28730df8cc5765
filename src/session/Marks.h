#pragma once
// How a seat's Marks are coloured: the Mark at `index` (0-based) of a seat
// is green when it is one of the last two before `target`, the Marks needed
// to win; the others are olive. With target 5: Marks 1..3 olive, 4 and 5
// green.
namespace tc::client {

constexpr bool markIsGreen(int index, int target) { return index > target - 3; }

} // namespace tc::client
