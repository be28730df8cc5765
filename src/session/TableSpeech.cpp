#include "session/TableSpeech.h"

#include "session/SessionDetail.h"

namespace tc::client {

std::string TableSpeech::tile(int number, const std::string& state) {
    std::string text = "Tile " + std::to_string(number);
    if (state == "u") return text + ", open";
    if (state == "d") return text + ", down";
    if (state == "o") return text + ", shut";
    return text;
}

std::string TableSpeech::dice(const TableState& table) {
    const int a = table.dice[0].face;
    const int b = table.dice[1].face;
    if (a < 1 || b < 1) return "Dice: not rolled yet";
    return "Dice: " + std::to_string(a) + " and " + std::to_string(b);
}

std::string TableSpeech::marks(int count) {
    if (count <= 0) return "no Marks";
    return std::to_string(count) + (count == 1 ? " Mark" : " Marks");
}

std::string TableSpeech::seat(const TableState& table, int n) {
    if (n < 1 || n > 6) return {};
    const SeatDisplay& s = table.seats[static_cast<std::size_t>(n - 1)];
    std::string text = "Seat " + std::to_string(n) + ", ";
    // "<Waiting>" read out letter by letter helps nobody.
    if (s.caption == detail::kWaiting) return text + "free";
    text += s.caption + ", round score " + s.score + ", " + marks(s.marks);
    if (table.turnSeat == n) text += ", on turn";
    if (s.eyes) text += ", watching";
    if (s.away) text += ", away";
    return text;
}

} // namespace tc::client
