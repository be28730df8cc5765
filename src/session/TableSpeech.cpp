#include "session/TableSpeech.h"

#include "session/SessionDetail.h"

namespace tc::client {

std::string TableSpeech::tile(int number, const std::string& state) {
    const std::string n = std::to_string(number);
    if (state == "u") return fillText(translate("TableSpeech", "Tile %1, open"), {n});
    if (state == "d") return fillText(translate("TableSpeech", "Tile %1, down"), {n});
    if (state == "o") return fillText(translate("TableSpeech", "Tile %1, shut"), {n});
    return fillText(translate("TableSpeech", "Tile %1"), {n});
}

std::string TableSpeech::dice(const TableState& table) {
    const int a = table.dice[0].face;
    const int b = table.dice[1].face;
    if (a < 1 || b < 1) return translate("TableSpeech", "Dice: not rolled yet");
    return fillText(translate("TableSpeech", "Dice: %1 and %2"), {std::to_string(a), std::to_string(b)});
}

std::string TableSpeech::marks(int count) {
    if (count <= 0) return translate("TableSpeech", "no Marks");
    return fillText(count == 1 ? translate("TableSpeech", "1 Mark") : translate("TableSpeech", "%1 Marks"), {std::to_string(count)});
}

std::string TableSpeech::seat(const TableState& table, int n) {
    if (n < 1 || n > 6) return {};
    const SeatDisplay& s = table.seats[static_cast<std::size_t>(n - 1)];
    const std::string number = std::to_string(n);
    // "<Waiting>" read out letter by letter helps nobody.
    if (s.caption == detail::kWaiting) return fillText(translate("TableSpeech", "Seat %1, free"), {number});
    std::string text = fillText(translate("TableSpeech", "Seat %1, %2, round score %3, %4"),
                                {number, s.caption, s.score, marks(s.marks)});
    if (table.turnSeat == n) text += translate("TableSpeech", ", on turn");
    if (s.eyes) text += translate("TableSpeech", ", watching");
    if (s.away) text += translate("TableSpeech", ", away");
    return text;
}

} // namespace tc::client
