#pragma once
// What the router answered: a mapping it made, or why there is none.
#include <string>

namespace tc::portmap {

enum class Protocol { NatPmp, Upnp };

// "NAT-PMP" or "UPnP".
const char* protocolName(Protocol p);

struct Mapping {
    Protocol protocol = Protocol::NatPmp;
    std::string externalAddress;  // the router's outside address, dotted IPv4
    int externalPort = 0;         // what the router gave; another than asked when that one was taken
    int internalPort = 0;
    int leaseSeconds = 0;         // as granted; 0: the router keeps it until it is removed
    bool operator==(const Mapping&) const = default;
};

enum class Trouble {
    NoRouter,   // nothing answered in NAT-PMP or UPnP
    Refused,    // a router answered but made no mapping
    NotPublic,  // the router's own outside address is private or shared (or it has none)
};

struct Failure {
    Trouble trouble = Trouble::NoRouter;
    std::string detail;           // the router's words or error, for the log; may be empty
    std::string externalAddress;  // with NotPublic, when the router named it
    bool operator==(const Failure&) const = default;
};

} // namespace tc::portmap
