#pragma once
// The players the host removed, kept out for the rest of the server's
// life: the address they came from and their name as the server stored it
// (cleaned). Names match without regard to case, so "cid" is kept out
// after "Cid" was removed. Bounded: past kMaxRemembered the oldest goes.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tc::server {

class RemovedPlayers {
public:
    static constexpr std::size_t kMaxRemembered = 256;

    void add(const std::string& address, std::string_view cleanedName);
    bool contains(const std::string& address, std::string_view cleanedName) const;
    // Forgets everyone; returns how many were kept out.
    std::size_t clear();
    std::size_t size() const { return entries_.size(); }

    // A Windows-1252 name in lower case: A..Z and the accented capitals
    // (0xC0..0xDE but 0xD7, and Š, Œ, Ž, Ÿ) become their small letters.
    static std::string foldCase(std::string_view cp1252);

private:
    std::vector<std::pair<std::string, std::string>> entries_;  // address, folded name; oldest first
};

} // namespace tc::server
