#include "portmap/PortMapText.h"

#include "net/Text.h"
#include "portmap/AddressKind.h"

namespace tc::portmap {

const char* protocolName(Protocol p) { return p == Protocol::NatPmp ? "NAT-PMP" : "UPnP"; }

namespace {

// The chat lines are the host's to read, in his language (marked for the
// catalogues where they are written); the log lines below stay in English.
std::string portText(int port) { return std::to_string(port); }

// What still works when the router does not open the port; `other` when the
// port has to be forwarded on a router beyond the host's own.
std::string stillWorks(int port, bool other) {
    return net::fillText(other ? net::translate("PortMap", "Players on your network can join; for players on the internet, forward TCP "
                                      "port %1 on that other router by hand, or host on a machine with a public "
                                      "address.")
                               : net::translate("PortMap", "Players on your network can join; for players on the internet, forward TCP "
                                      "port %1 on your router by hand, or host on a machine with a public "
                                      "address."),
                         {portText(port)});
}

std::string because(const Failure& f) { return f.detail.empty() ? std::string() : " (" + f.detail + ")"; }

} // namespace

std::string openedLine(const Mapping& m) {
    return net::fillText(net::translate("PortMap", "Players on the internet can join at %1 port %2 (your router opened it)."),
                         {m.externalAddress, portText(m.externalPort)});
}

std::string failedLine(const Failure& f, int port) {
    const std::string p = portText(port);
    switch (f.trouble) {
    case Trouble::NoRouter:
        return net::fillText(net::translate("PortMap", "No router answered when the game asked it to open port %1, so players on the "
                                  "internet cannot join yet."),
                             {p}) +
               " " + stillWorks(port, false);
    case Trouble::Refused:
        // %2: the router's own words, in brackets, or nothing.
        return net::fillText(net::translate("PortMap", "Your router refused to open port %1%2, so players on the internet cannot join "
                                  "yet."),
                             {p, because(f)}) +
               " " + stillWorks(port, false);
    case Trouble::NotPublic:
        return (f.externalAddress.empty()
                    ? net::translate("PortMap", "Your router has no address on the internet of its own: another router (perhaps your "
                           "provider's) stands between, so players on the internet cannot join yet.")
                    : net::fillText(net::translate("PortMap", "Your router's own outside address %1 is not on the internet: another "
                                         "router (perhaps your provider's) stands between, so players on the "
                                         "internet cannot join yet."),
                                    {f.externalAddress})) +
               " " + stillWorks(port, true);
    }
    return {};
}

std::string lostLine(const Failure& f, int port) {
    // %2: the router's own words, in brackets, or nothing.
    return net::fillText(net::translate("PortMap", "Your router no longer keeps port %1 open for this game%2, so players on the internet "
                              "cannot join until it does; the game asks it again later."),
                         {portText(port), because(f)});
}

std::string ipv6Line(const std::vector<std::string>& addresses, int port) {
    std::vector<std::string> list = globalIpv6(addresses);
    if (list.empty()) return {};
    if (list.size() > 6) list.resize(6);
    std::string names;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) names += i + 1 == list.size() ? net::translate("PortMap", " or ") : net::translate("PortMap", ", ");
        names += list[i];
    }
    // No colon before the addresses: one followed by a space would end the
    // chat's head there.
    return net::fillText(net::translate("PortMap", "Players with IPv6 can join at %1 port %2 with no port to open, though your router's "
                              "firewall may still block them."),
                         {names, portText(port)});
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
