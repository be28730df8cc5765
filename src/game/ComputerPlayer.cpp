#include "game/ComputerPlayer.h"

#include <array>

#include "game/ExpertPlayer.h"

namespace tc::game {
namespace {

const std::array<std::vector<std::string>, 13> kCandidates = {{
    {}, {},
    {"+2"},
    {"+3", "+1+2"},
    {"+4", "+1+3"},
    {"+5", "+1+4", "+2+3"},
    {"+2+4", "+6", "+1+5", "+1+2+3"},
    {"+7", "+1+6", "+2+5", "+3+4", "+1+2+4"},
    {"+8", "+1+7", "+2+6", "+3+5", "+1+3+4", "+1+2+5"},
    {"+9", "+1+8", "+2+7", "+3+6", "+4+5", "+1+2+6", "+1+3+5", "+2+3+4"},
    {"+1+9", "+2+8", "+3+7", "+4+6", "+1+2+7", "+1+3+6", "+1+4+5", "+1+2+3+4", "+2+3+5"},
    {"+2+9", "+3+8", "+4+7", "+5+6", "+1+2+8", "+1+3+7", "+1+4+6", "+1+2+3+5", "+2+3+6", "+2+4+5"},
    {"+3+9", "+4+8", "+5+7", "+1+2+9", "+1+2+3+6", "+1+2+4+5", "+1+3+8", "+1+4+7", "+1+5+6",
     "+2+3+7", "+2+4+6", "+3+4+5"},
}};

bool playable(const std::string& candidate, const Tiles& tiles) {
    // Candidates name single-digit tiles: "+d+d...".
    for (std::size_t i = 1; i < candidate.size(); i += 2)
        if (tiles[candidate[i] - '1'] != "u") return false;
    return true;
}

} // namespace

const std::vector<std::string>& candidates(int total) {
    static const std::vector<std::string> none;
    if (total < 2 || total > 12) return none;
    return kCandidates[total];
}

std::string cgetdice(int total, const Tiles& tiles) {
    for (const auto& c : candidates(total))
        if (playable(c, tiles)) return c;
    return {};
}

std::string moveText(int seat, int die1, int die2, const Tiles& tiles) {
    const std::string c = cgetdice(die1 + die2, tiles);
    if (c.empty()) return {};
    return std::to_string(seat) + c;
}

std::optional<Rudi> parseRudi(std::string_view text) {
    if (text == "classic") return Rudi::Classic;
    if (text == "expert") return Rudi::Expert;
    return std::nullopt;
}

const char* rudiName(Rudi rudi) { return rudi == Rudi::Expert ? "expert" : "classic"; }

std::string chooseMove(Rudi rudi, int total, const Tiles& tiles, int limit) {
    if (rudi == Rudi::Classic) return cgetdice(total, tiles);
    const ExpertTable& table = ExpertTable::get();
    // Like the classic lists, only "u" counts: a tile selected on a table
    // ("d") is not the computer's to play.
    TileMask open = 0;
    for (int i = 0; i < kTileCount; ++i)
        if (tiles[static_cast<std::size_t>(i)] == "u") open |= TileMask(1u << i);
    return maskText(limit == kNoLimit ? table.lowest(open, total) : table.reach(open, total, limit));
}

std::string moveText(Rudi rudi, int seat, int die1, int die2, const Tiles& tiles, int limit) {
    const std::string c = chooseMove(rudi, die1 + die2, tiles, limit);
    if (c.empty()) return {};
    return std::to_string(seat) + c;
}

} // namespace tc::game
