#pragma once
// The home router asked through Debian's libraries: NAT-PMP (libnatpmp)
// first, then UPnP-IGD (libminiupnpc), about two seconds in all. Every
// call blocks: PortMapper runs it on a thread of its own. It remembers the
// one mapping it made, to renew and to remove it.
//
// Only PortMapper calls this, and only when mappingSwitchedOff() is false:
// each call sends NAT-PMP to the default gateway and SSDP to the local
// network.
#include <optional>
#include <string>

#include "portmap/Mapping.h"

namespace tc::portmap {

struct Answer {
    std::optional<Mapping> mapping;  // set when the router made it
    Failure failure;                 // otherwise
};

class RouterClient {
public:
    RouterClient() = default;
    ~RouterClient() = default;
    RouterClient(const RouterClient&) = delete;
    RouterClient& operator=(const RouterClient&) = delete;

    // Asks for TCP `internalPort` from outside, preferably on the same port
    // (another one when the router has that taken), for `leaseSeconds`.
    // A mapping made on a router whose outside address is not public is
    // removed again and reported as Trouble::NotPublic.
    Answer open(int internalPort, int leaseSeconds);
    // Asks again for the mapping made last, on its protocol and ports; when
    // the router no longer answers there (it restarted elsewhere), opens
    // afresh. Nothing made yet: the same as open.
    Answer renew(int leaseSeconds);
    // Removes the mapping made last, if any; bounded to about a second.
    void close();

    const std::optional<Mapping>& current() const { return current_; }

private:
    Answer openNatPmp(int internalPort, int wantedExternal, int leaseSeconds, bool& answered);
    Answer openUpnp(int internalPort, int leaseSeconds, bool& answered);
    Answer addUpnp(int internalPort, int externalPort, int leaseSeconds);
    void remove(const Mapping& m);
    Answer checked(Answer a);

    std::optional<Mapping> current_;
    int internalPort_ = 0;
    // UPnP: where the router's service was found, and this machine's address
    // towards it.
    std::string controlUrl_;
    std::string serviceType_;
    std::string lanAddress_;
};

} // namespace tc::portmap
