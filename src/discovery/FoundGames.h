#pragma once
// The games found on the network, as the Join dialog lists them.
//
// Avahi reports one service instance per interface and protocol; the list
// shows one row per name and domain, with the address of its best
// instance (IPv4 before IPv6, then the lowest interface). A row stays while
// any of its instances does. Rows are sorted by name; a row's name is
// shownGameName's (no control or bidirectional-control characters).
//
// Bounds: at most kMaxInstances instances are followed; more are refused
// (the browser does not resolve them), so a flood of announcements cannot
// grow memory.
#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "discovery/GameTxt.h"

namespace tc::discovery {

inline constexpr std::size_t kMaxInstances = 64;

struct ServiceKey {
    int interfaceIndex = -1;
    int protocol = -1;  // Avahi's: 0 IPv4, 1 IPv6
    std::string name;
    std::string domain;
    auto operator<=>(const ServiceKey&) const = default;
};

struct Resolved {
    std::string address;  // numeric, as the connect field takes it
    std::uint16_t port = 0;
    bool ipv6 = false;
    std::vector<std::string> txt;
};

struct FoundGame {
    std::string name;
    std::string domain;
    std::string address;
    std::uint16_t port = 0;
    GameTxtInfo info;
    bool operator==(const FoundGame&) const = default;
};

class FoundGames {
public:
    // A new instance was seen. Returns false when it is already followed or
    // the list is full: then it must not be resolved.
    bool add(const ServiceKey& key);
    // An instance's address, port and record (again). Ignored for one that
    // was not added. Returns true when the rows changed.
    bool resolved(const ServiceKey& key, const Resolved& where);
    // The instance is gone, or could not be resolved. Returns true when the
    // rows changed.
    bool remove(const ServiceKey& key);
    void clear() { instances_.clear(); }

    bool contains(const ServiceKey& key) const { return instances_.count(key) != 0; }
    std::size_t instanceCount() const { return instances_.size(); }
    std::vector<FoundGame> rows() const;

private:
    std::map<ServiceKey, std::optional<Resolved>> instances_;
};

} // namespace tc::discovery
