#include "server/RemovedPlayers.h"

#include <algorithm>

namespace tc::server {

std::string RemovedPlayers::foldCase(std::string_view cp1252) {
    std::string out(cp1252);
    for (char& ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        unsigned char lower = c;
        if (c >= 'A' && c <= 'Z') lower = static_cast<unsigned char>(c + 32);
        else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) lower = static_cast<unsigned char>(c + 32);
        else if (c == 0x8A || c == 0x8C || c == 0x8E) lower = static_cast<unsigned char>(c + 16);  // Š Œ Ž
        else if (c == 0x9F) lower = 0xFF;                                                           // Ÿ
        ch = static_cast<char>(lower);
    }
    return out;
}

void RemovedPlayers::add(const std::string& address, std::string_view cleanedName) {
    if (contains(address, cleanedName)) return;
    if (entries_.size() >= kMaxRemembered) entries_.erase(entries_.begin());
    entries_.emplace_back(address, foldCase(cleanedName));
}

bool RemovedPlayers::contains(const std::string& address, std::string_view cleanedName) const {
    const auto key = std::make_pair(address, foldCase(cleanedName));
    return std::find(entries_.begin(), entries_.end(), key) != entries_.end();
}

std::size_t RemovedPlayers::clear() {
    const std::size_t n = entries_.size();
    entries_.clear();
    return n;
}

} // namespace tc::server
