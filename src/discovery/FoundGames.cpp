#include "discovery/FoundGames.h"

#include <algorithm>
#include <utility>

#include "discovery/ServiceName.h"

namespace tc::discovery {

bool FoundGames::add(const ServiceKey& key) {
    if (instances_.count(key) || instances_.size() >= kMaxInstances) return false;
    instances_.emplace(key, std::nullopt);
    return true;
}

bool FoundGames::resolved(const ServiceKey& key, const Resolved& where) {
    const auto it = instances_.find(key);
    if (it == instances_.end()) return false;
    const auto before = rows();
    it->second = where;
    return rows() != before;
}

bool FoundGames::remove(const ServiceKey& key) {
    const auto it = instances_.find(key);
    if (it == instances_.end()) return false;
    const auto before = rows();
    instances_.erase(it);
    return rows() != before;
}

std::vector<FoundGame> FoundGames::rows() const {
    // The map is ordered by interface first; pick per name and domain.
    std::map<std::pair<std::string, std::string>, std::pair<const ServiceKey*, const Resolved*>> best;
    for (const auto& [key, where] : instances_) {
        if (!where) continue;
        auto& slot = best[{key.name, key.domain}];
        const bool better = !slot.second || (slot.second->ipv6 && !where->ipv6) ||
                            (slot.second->ipv6 == where->ipv6 && key < *slot.first);
        if (better) slot = {&key, &*where};
    }
    std::vector<FoundGame> out;
    for (const auto& [id, pick] : best)
        out.push_back(FoundGame{shownGameName(id.first), id.second, pick.second->address, pick.second->port,
                                parseTxt(pick.second->txt)});
    // Sorted as shown: cleaning may have moved a name.
    std::stable_sort(out.begin(), out.end(), [](const FoundGame& a, const FoundGame& b) { return a.name < b.name; });
    return out;
}

} // namespace tc::discovery
