#include "session/ReachableAddresses.h"

#include "net/Text.h"

#include <arpa/inet.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace tc::client {

namespace {

struct Parsed {
    bool ok = false;
    bool v6 = false;
    std::array<std::uint8_t, 16> bytes{};  // IPv4 in the first four
};

// The address without an IPv6 zone.
std::string withoutZone(const std::string& address) { return address.substr(0, address.find('%')); }

Parsed parse(const std::string& text) {
    Parsed p;
    const std::string bare = withoutZone(text);
    if (inet_pton(AF_INET, bare.c_str(), p.bytes.data()) == 1) {
        p.ok = true;
    } else if (inet_pton(AF_INET6, bare.c_str(), p.bytes.data()) == 1) {
        p.ok = true;
        p.v6 = true;
        // ::ffff:a.b.c.d is an IPv4 address in IPv6 clothes.
        const bool mapped = std::all_of(p.bytes.begin(), p.bytes.begin() + 10, [](auto b) { return b == 0; }) &&
                            p.bytes[10] == 0xFF && p.bytes[11] == 0xFF;
        if (mapped) {
            std::copy(p.bytes.begin() + 12, p.bytes.end(), p.bytes.begin());
            p.v6 = false;
        }
    }
    return p;
}

bool reachable(const Parsed& p) {
    if (!p.ok) return false;
    const auto& b = p.bytes;
    if (!p.v6) {
        if (b[0] == 127 || b[0] == 0) return false;        // loopback, "this network"
        if (b[0] == 169 && b[1] == 254) return false;      // link-local
        if (b[0] >= 224) return false;                     // multicast, reserved, broadcast
        return true;
    }
    const bool zeroHead = std::all_of(b.begin(), b.begin() + 15, [](auto x) { return x == 0; });
    if (zeroHead && (b[15] == 0 || b[15] == 1)) return false;  // :: and ::1
    if (b[0] == 0xFE && (b[1] & 0xC0) == 0x80) return false;   // fe80::/10 link-local
    if (b[0] == 0xFF) return false;                            // multicast
    return true;
}

} // namespace

bool reachableFromOthers(const std::string& address) { return reachable(parse(address)); }

std::string joinAddressesLine(const std::vector<std::string>& addresses, int port) {
    std::vector<std::string> v4, v6;
    for (const std::string& a : addresses) {
        const Parsed p = parse(a);
        if (!reachable(p)) continue;
        std::string shown = withoutZone(a);
        if (!p.v6 && shown.find(':') != std::string::npos) shown = shown.substr(shown.rfind(':') + 1);
        auto& list = p.v6 ? v6 : v4;
        if (std::find(list.begin(), list.end(), shown) == list.end()) list.push_back(shown);
    }
    std::vector<std::string> all = v4;
    all.insert(all.end(), v6.begin(), v6.end());
    const std::string portText = std::to_string(port);
    if (all.empty())
        return net::fillText(net::translate("Session", "Only this machine can reach the game: no network address was found (port %1)."), {portText});

    const std::size_t more = all.size() > kMaxListedAddresses ? all.size() - kMaxListedAddresses : 0;
    all.resize(all.size() - more);
    std::string list;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i > 0) list += (i + 1 == all.size() && more == 0) ? net::translate("Session", " or ") : net::translate("Session", ", ");
        list += all[i];
    }
    if (more > 0) list += net::fillText(net::translate("Session", " (and %1 more)"), {std::to_string(more)});
    return net::fillText(net::translate("Session", "Others can join at %1 port %2."), {list, portText});
}

} // namespace tc::client
