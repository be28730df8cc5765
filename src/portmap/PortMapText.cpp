#include "portmap/PortMapText.h"

#include "portmap/AddressKind.h"

namespace tc::portmap {

const char* protocolName(Protocol p) { return p == Protocol::NatPmp ? "NAT-PMP" : "UPnP"; }

namespace {

std::string stillWorks(int port, const char* router) {
    const std::string p = std::to_string(port);
    return "Players on your network can join; for players on the internet, forward TCP port " + p + " on " +
           router + " by hand, or host on a machine with a public address.";
}

std::string because(const Failure& f) { return f.detail.empty() ? std::string() : " (" + f.detail + ")"; }

} // namespace

std::string openedLine(const Mapping& m) {
    return "Players on the internet can join at " + m.externalAddress + " port " + std::to_string(m.externalPort) +
           " (your router opened it).";
}

std::string failedLine(const Failure& f, int port) {
    const std::string p = std::to_string(port);
    switch (f.trouble) {
    case Trouble::NoRouter:
        return "No router answered when the game asked it to open port " + p +
               ", so players on the internet cannot join yet. " + stillWorks(port, "your router");
    case Trouble::Refused:
        return "Your router refused to open port " + p + because(f) +
               ", so players on the internet cannot join yet. " + stillWorks(port, "your router");
    case Trouble::NotPublic:
        return (f.externalAddress.empty() ? std::string("Your router has no address on the internet of its own")
                                          : "Your router's own outside address " + f.externalAddress +
                                                " is not on the internet") +
               ": another router (perhaps your provider's) stands between, so players on the internet cannot join "
               "yet. " + stillWorks(port, "that other router");
    }
    return {};
}

std::string lostLine(const Failure& f, int port) {
    return "Your router no longer keeps port " + std::to_string(port) + " open for this game" + because(f) +
           ", so players on the internet cannot join until it does; the game asks it again later.";
}

std::string ipv6Line(const std::vector<std::string>& addresses, int port) {
    std::vector<std::string> list = globalIpv6(addresses);
    if (list.empty()) return {};
    if (list.size() > 6) list.resize(6);
    std::string names;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) names += i + 1 == list.size() ? " or " : ", ";
        names += list[i];
    }
    // No colon before the addresses: one followed by a space would end the
    // chat's head there.
    return "Players with IPv6 can join at " + names + " port " + std::to_string(port) +
           " with no port to open, though your router's firewall may still block them.";
}

std::string copyText(const Mapping& m) { return m.externalAddress + ":" + std::to_string(m.externalPort); }

std::string logOpened(const Mapping& m, bool renewal) {
    return std::string("router: ") + (renewal ? "renewed " : "opened ") + m.externalAddress + " port " +
           std::to_string(m.externalPort) + " to port " + std::to_string(m.internalPort) + " by " +
           protocolName(m.protocol) + ", lease " +
           (m.leaseSeconds > 0 ? std::to_string(m.leaseSeconds) + " s" : std::string("until removed"));
}

std::string logFailed(const Failure& f, int port) {
    switch (f.trouble) {
    case Trouble::NoRouter:
        return "router: no router answered for port " + std::to_string(port) + because(f);
    case Trouble::Refused:
        return "router: refused port " + std::to_string(port) + because(f);
    case Trouble::NotPublic:
        return "router: " +
               (f.externalAddress.empty() ? std::string("it has no public address")
                                          : "its outside address " + f.externalAddress + " is not public") +
               "; port " + std::to_string(port) + " not opened" + because(f);
    }
    return {};
}

std::string logRemoved(const Mapping& m) {
    return "router: removed " + m.externalAddress + " port " + std::to_string(m.externalPort);
}

} // namespace tc::portmap
