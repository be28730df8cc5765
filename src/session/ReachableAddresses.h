#pragma once
// The line that tells a host which of this machine's addresses to give
// out. Only addresses another machine can reach count: loopback,
// link-local, unspecified and multicast addresses do not.
#include <string>
#include <vector>

namespace tc::client {

// Longest list in the line; the rest are counted.
inline constexpr std::size_t kMaxListedAddresses = 6;

// `address` is IPv4 or IPv6 text (an IPv6 zone such as "%eth0" is
// allowed). False for anything else.
bool reachableFromOthers(const std::string& address);

// "Others can join at 192.168.1.20 port 7772." with the reachable ones of
// `addresses` (IPv4 first, then IPv6 without its zone, each once, in their
// order; past kMaxListedAddresses the rest are counted), or, when there is
// none, a line saying that only this machine can reach the game. No "0+"
// in front; the texts go through the player's language.
std::string joinAddressesLine(const std::vector<std::string>& addresses, int port);

} // namespace tc::client
