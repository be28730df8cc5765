#include "portmap/AddressKind.h"

#include <arpa/inet.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace tc::portmap {

namespace {

std::string withoutZone(const std::string& text) { return text.substr(0, text.find('%')); }

bool parse4(const std::string& text, std::array<std::uint8_t, 4>& b) {
    std::string bare = text;
    if (bare.rfind("::ffff:", 0) == 0 || bare.rfind("::FFFF:", 0) == 0) bare = bare.substr(7);
    return inet_pton(AF_INET, bare.c_str(), b.data()) == 1;
}

} // namespace

AddressKind ipv4Kind(const std::string& text) {
    std::array<std::uint8_t, 4> b{};
    if (!parse4(text, b)) return AddressKind::Other;
    if (b[0] == 10) return AddressKind::Private;
    if (b[0] == 172 && (b[1] & 0xF0) == 16) return AddressKind::Private;
    if (b[0] == 192 && b[1] == 168) return AddressKind::Private;
    if (b[0] == 100 && (b[1] & 0xC0) == 64) return AddressKind::Shared;
    if (b[0] == 127) return AddressKind::Loopback;
    if (b[0] == 169 && b[1] == 254) return AddressKind::LinkLocal;
    if (b[0] == 0 || b[0] >= 224) return AddressKind::Other;
    // 192.0.0/24 (protocol assignments), the three documentation nets and
    // 198.18/15 (benchmarking) are never an address on the internet.
    if (b[0] == 192 && b[1] == 0 && (b[2] == 0 || b[2] == 2)) return AddressKind::Other;
    if (b[0] == 198 && b[1] == 51 && b[2] == 100) return AddressKind::Other;
    if (b[0] == 203 && b[1] == 0 && b[2] == 113) return AddressKind::Other;
    if (b[0] == 198 && (b[1] & 0xFE) == 18) return AddressKind::Other;
    return AddressKind::Public;
}

bool isGlobalIpv6(const std::string& text) {
    std::array<std::uint8_t, 16> b{};
    if (inet_pton(AF_INET6, withoutZone(text).c_str(), b.data()) != 1) return false;
    if ((b[0] & 0xE0) != 0x20) return false;
    return !(b[0] == 0x20 && b[1] == 0x01 && b[2] == 0x0D && b[3] == 0xB8);
}

bool behindRouter(const std::vector<std::string>& addresses) {
    bool inside = false;
    for (const std::string& a : addresses) {
        const AddressKind k = ipv4Kind(a);
        if (k == AddressKind::Public) return false;
        if (k == AddressKind::Private || k == AddressKind::Shared) inside = true;
    }
    return inside;
}

std::vector<std::string> globalIpv6(const std::vector<std::string>& addresses) {
    std::vector<std::string> out;
    for (const std::string& a : addresses) {
        if (!isGlobalIpv6(a)) continue;
        const std::string bare = withoutZone(a);
        if (std::find(out.begin(), out.end(), bare) == out.end()) out.push_back(bare);
    }
    return out;
}

} // namespace tc::portmap
