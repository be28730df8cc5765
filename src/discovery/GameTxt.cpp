#include "discovery/GameTxt.h"

#include <algorithm>
#include <cctype>

namespace tc::discovery {

namespace {

int clampSeats(int n) { return std::clamp(n, 0, kSeats); }

bool printableAscii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::optional<int> seatCount(const std::string& v) {
    if (v.size() != 1 || v[0] < '0' || v[0] > '0' + kSeats) return std::nullopt;
    return v[0] - '0';
}

} // namespace

std::vector<std::string> buildTxt(const GameAnnouncement& game) {
    std::string version = game.version.substr(0, kMaxVersionBytes);
    if (!printableAscii(version)) version.clear();
    return {"txtvers=1", "version=" + version, "players=" + std::to_string(clampSeats(game.seated)),
            "free=" + std::to_string(clampSeats(game.freeSeats)),
            std::string("game=") + (game.running ? "running" : "waiting")};
}

GameTxtInfo parseTxt(const std::vector<std::string>& items) {
    GameTxtInfo info;
    std::vector<std::string> seen;
    const std::size_t n = std::min(items.size(), kMaxTxtItems);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& item = items[i];
        if (item.size() > kMaxTxtItemBytes) continue;
        const auto eq = item.find('=');
        if (eq == 0) continue;  // no key
        const std::string key = lower(item.substr(0, eq));
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
        seen.push_back(key);
        if (eq == std::string::npos) continue;  // a key without a value says nothing here
        const std::string value = item.substr(eq + 1);
        if (key == "version") {
            if (value.size() <= kMaxVersionBytes && printableAscii(value)) info.version = value;
        } else if (key == "players") {
            info.seated = seatCount(value);
        } else if (key == "free") {
            info.freeSeats = seatCount(value);
        } else if (key == "game") {
            if (value == "running") info.running = true;
            else if (value == "waiting") info.running = false;
        }
    }
    return info;
}

std::string playersText(const GameTxtInfo& info) {
    if (!info.seated) return "?";
    std::string s = std::to_string(*info.seated);
    if (info.freeSeats) s += " (" + std::to_string(*info.freeSeats) + " free)";
    return s;
}

std::string stateText(const GameTxtInfo& info) {
    if (!info.running) return {};
    return *info.running ? "running" : "waiting";
}

} // namespace tc::discovery
