#pragma once
// Which addresses the home router's mapping is for: a host asks its router
// only from a private or shared address, and a router whose own outside
// address is not public sits behind another one (carrier-grade NAT, a
// second router), where a mapping cannot make the game reachable.
#include <string>
#include <vector>

namespace tc::portmap {

enum class AddressKind {
    Public,     // reachable from the internet
    Private,    // 10/8, 172.16/12, 192.168/16
    Shared,     // 100.64/10, carrier-grade NAT
    Loopback,   // 127/8
    LinkLocal,  // 169.254/16
    Other,      // 0/8, multicast, reserved, broadcast, documentation, or not IPv4 text
};

// `text` is dotted IPv4 ("::ffff:a.b.c.d" is read as a.b.c.d).
AddressKind ipv4Kind(const std::string& text);

// A global unicast IPv6 address (2000::/3, without the documentation range
// 2001:db8::/32); an IPv6 zone ("%eth0") is allowed. False for IPv4 text.
bool isGlobalIpv6(const std::string& text);

// Whether a host with these interface addresses (loopback left out by the
// caller or not) should ask its router: none of its IPv4 addresses is
// public, and at least one is private or shared.
bool behindRouter(const std::vector<std::string>& addresses);

// The global IPv6 addresses among `addresses`, each once, zones removed, in
// their order.
std::vector<std::string> globalIpv6(const std::vector<std::string>& addresses);

} // namespace tc::portmap
