#include "portmap/RouterClient.h"

#include <arpa/inet.h>
#include <sys/select.h>
#include <sys/time.h>

#include <chrono>
#include <cstring>

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>
// The library is built with its error texts; the header hides them unless asked.
#define ENABLE_STRNATPMPERR
#include <natpmp.h>

#include "portmap/AddressKind.h"

namespace tc::portmap {

namespace {

// NAT-PMP resends after 250 ms, then 500 ms: three sends in 0.75 s answer
// any router that speaks it; a silent one costs no more.
constexpr int kNatPmpBudgetMs = 800;
constexpr int kNatPmpRemoveBudgetMs = 500;
// SSDP: how long to wait for the router's answer.
constexpr int kSsdpWaitMs = 1000;
// Other external ports tried when the router has ours taken.
constexpr int kUpnpTries = 8;
constexpr const char* kDescription = "Tilecrest";
// UPnP's error numbers.
constexpr int kConflictInMappingEntry = 718;
constexpr int kOnlyPermanentLeases = 725;

using Clock = std::chrono::steady_clock;

// Sends nothing more: waits for the answer to the pending request,
// letting the library resend on its own schedule, until `budgetMs`.
// Returns the library's result: 0, or a NATPMP_ERR_* / NATPMP_TRYAGAIN.
int natpmpAnswer(natpmp_t& n, natpmpresp_t& response, int budgetMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(budgetMs);
    for (;;) {
        timeval tv{};
        if (getnatpmprequesttimeout(&n, &tv) < 0) return NATPMP_ERR_GETTIMEOFDAYERR;
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(end - Clock::now()).count();
        if (left <= 0) return NATPMP_TRYAGAIN;
        const long long wait = static_cast<long long>(tv.tv_sec) * 1000000 + tv.tv_usec;
        if (wait > left) {
            tv.tv_sec = static_cast<time_t>(left / 1000000);
            tv.tv_usec = static_cast<suseconds_t>(left % 1000000);
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(n.s, &fds);
        select(n.s + 1, &fds, nullptr, nullptr, &tv);
        const int r = readnatpmpresponseorretry(&n, &response);
        if (r != NATPMP_TRYAGAIN) return r;
    }
}

std::string natpmpError(int r) { return std::string("NAT-PMP: ") + strnatpmperr(r); }

std::string upnpError(int r) {
    const char* text = strupnperror(r);
    return "UPnP error " + std::to_string(r) + (text ? std::string(": ") + text : std::string());
}

// A result the router itself gave (not a missing or garbled answer).
bool routerRefused(int r) { return r <= NATPMP_ERR_UNSUPPORTEDVERSION && r >= NATPMP_ERR_UNDEFINEDERROR; }

Answer fail(Trouble t, std::string detail) {
    Answer a;
    a.failure.trouble = t;
    a.failure.detail = std::move(detail);
    return a;
}

} // namespace

Answer RouterClient::open(int internalPort, int leaseSeconds) {
    close();
    internalPort_ = internalPort;
    bool natpmpAnswered = false;
    Answer a = openNatPmp(internalPort, internalPort, leaseSeconds, natpmpAnswered);
    if (a.mapping) return checked(a);
    bool upnpAnswered = false;
    Answer b = openUpnp(internalPort, leaseSeconds, upnpAnswered);
    if (b.mapping) return checked(b);
    // The most telling of the two: a router without an outside address of
    // its own, then a router's refusal, over silence.
    if (b.failure.trouble == Trouble::NotPublic) return b;
    if (a.failure.trouble == Trouble::NotPublic) return a;
    if (upnpAnswered) return b;
    if (natpmpAnswered) return a;
    return fail(Trouble::NoRouter, {});
}

Answer RouterClient::checked(Answer a) {
    current_ = a.mapping;
    if (ipv4Kind(a.mapping->externalAddress) == AddressKind::Public) return a;
    // Behind a second router the mapping opens nothing: give it back.
    const std::string outside = a.mapping->externalAddress;
    close();
    Answer f = fail(Trouble::NotPublic, {});
    f.failure.externalAddress = outside;
    return f;
}

Answer RouterClient::renew(int leaseSeconds) {
    if (!current_) return open(internalPort_, leaseSeconds);
    const Mapping was = *current_;
    Answer a;
    if (was.protocol == Protocol::NatPmp) {
        bool answered = false;
        a = openNatPmp(was.internalPort, was.externalPort, leaseSeconds, answered);
    } else {
        a = addUpnp(was.internalPort, was.externalPort, leaseSeconds);
    }
    if (a.mapping) return checked(a);
    // Gone from where it was found (a router that restarted on another
    // address or port, or that gave our port away): ask afresh.
    current_.reset();
    return open(was.internalPort, leaseSeconds);
}

void RouterClient::close() {
    if (!current_) return;
    const Mapping m = *current_;
    current_.reset();
    remove(m);
}

Answer RouterClient::openNatPmp(int internalPort, int wantedExternal, int leaseSeconds, bool& answered) {
    natpmp_t n;
    const int init = initnatpmp(&n, 0, 0);
    if (init < 0) return fail(Trouble::NoRouter, natpmpError(init));
    natpmpresp_t response{};
    int r = sendpublicaddressrequest(&n);
    if (r >= 0) r = natpmpAnswer(n, response, kNatPmpBudgetMs / 2);
    if (r < 0) {
        closenatpmp(&n);
        answered = routerRefused(r);
        // "Network failure" to the address request: a router that has no
        // public address to give (behind another router, or offline).
        if (r == NATPMP_ERR_NETWORKFAILURE) return fail(Trouble::NotPublic, natpmpError(r));
        return fail(answered ? Trouble::Refused : Trouble::NoRouter, natpmpError(r));
    }
    answered = true;
    char outside[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &response.pnu.publicaddress.addr, outside, sizeof outside);
    r = sendnewportmappingrequest(&n, NATPMP_PROTOCOL_TCP, static_cast<uint16_t>(internalPort),
                                  static_cast<uint16_t>(wantedExternal), static_cast<uint32_t>(leaseSeconds));
    if (r >= 0) r = natpmpAnswer(n, response, kNatPmpBudgetMs);
    closenatpmp(&n);
    if (r < 0) return fail(Trouble::Refused, natpmpError(r));
    Answer a;
    a.mapping = Mapping{Protocol::NatPmp, outside, response.pnu.newportmapping.mappedpublicport, internalPort,
                        static_cast<int>(response.pnu.newportmapping.lifetime)};
    return a;
}

Answer RouterClient::openUpnp(int internalPort, int leaseSeconds, bool& answered) {
    // Every kind of gateway asked at once and answered in one wait;
    // upnpDiscover would wait again for each kind a silent network lacks.
    static const char* const kinds[] = {"urn:schemas-upnp-org:device:InternetGatewayDevice:2",
                                        "urn:schemas-upnp-org:device:InternetGatewayDevice:1",
                                        "urn:schemas-upnp-org:service:WANIPConnection:2",
                                        "urn:schemas-upnp-org:service:WANIPConnection:1",
                                        "urn:schemas-upnp-org:service:WANPPPConnection:1", nullptr};
    int error = 0;
    UPNPDev* devices =
        upnpDiscoverDevices(kinds, kSsdpWaitMs, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, 2, &error, 1);
    if (!devices) return fail(Trouble::NoRouter, {});
    UPNPUrls urls{};
    IGDdatas data{};
    char lan[64] = {};
    const int found = UPNP_GetValidIGD(devices, &urls, &data, lan, sizeof lan);
    freeUPNPDevlist(devices);
    if (found != 1 && found != 2) {
        if (found != 0) FreeUPNPUrls(&urls);
        return fail(Trouble::NoRouter, "no Internet Gateway Device among the UPnP devices");
    }
    answered = true;
    controlUrl_ = urls.controlURL ? urls.controlURL : "";
    serviceType_ = data.first.servicetype;
    lanAddress_ = lan;
    FreeUPNPUrls(&urls);
    if (found == 2) {
        // Not connected: often a router whose own outside address is private
        // or shared, which it may still name.
        char outside[40] = {};
        Answer a = fail(Trouble::NotPublic, "the router says it is not connected to the internet");
        if (UPNP_GetExternalIPAddress(controlUrl_.c_str(), serviceType_.c_str(), outside) == UPNPCOMMAND_SUCCESS &&
            ipv4Kind(outside) != AddressKind::Other && ipv4Kind(outside) != AddressKind::Public)
            a.failure.externalAddress = outside;
        return a;
    }

    Answer last;
    for (int i = 0; i < kUpnpTries; ++i) {
        const int external = internalPort + i <= 65535 ? internalPort + i : 1024 + i;
        last = addUpnp(internalPort, external, leaseSeconds);
        if (last.mapping || last.failure.detail.rfind(upnpError(kConflictInMappingEntry), 0) != 0) return last;
    }
    return last;
}

Answer RouterClient::addUpnp(int internalPort, int externalPort, int leaseSeconds) {
    if (controlUrl_.empty()) return fail(Trouble::NoRouter, {});
    char outside[40] = {};
    int r = UPNP_GetExternalIPAddress(controlUrl_.c_str(), serviceType_.c_str(), outside);
    if (r != UPNPCOMMAND_SUCCESS) return fail(Trouble::Refused, upnpError(r));
    const std::string ext = std::to_string(externalPort);
    const std::string in = std::to_string(internalPort);
    int lease = leaseSeconds;
    r = UPNP_AddPortMapping(controlUrl_.c_str(), serviceType_.c_str(), ext.c_str(), in.c_str(), lanAddress_.c_str(),
                            kDescription, "TCP", nullptr, std::to_string(lease).c_str());
    if (r == kOnlyPermanentLeases) {
        lease = 0;  // removed at the end of hosting, and renewed in case the router restarts
        r = UPNP_AddPortMapping(controlUrl_.c_str(), serviceType_.c_str(), ext.c_str(), in.c_str(),
                                lanAddress_.c_str(), kDescription, "TCP", nullptr, "0");
    }
    if (r != UPNPCOMMAND_SUCCESS) return fail(Trouble::Refused, upnpError(r));
    Answer a;
    a.mapping = Mapping{Protocol::Upnp, outside, externalPort, internalPort, lease};
    return a;
}

void RouterClient::remove(const Mapping& m) {
    if (m.protocol == Protocol::Upnp) {
        if (!controlUrl_.empty())
            UPNP_DeletePortMapping(controlUrl_.c_str(), serviceType_.c_str(), std::to_string(m.externalPort).c_str(),
                                   "TCP", nullptr);
        return;
    }
    natpmp_t n;
    if (initnatpmp(&n, 0, 0) < 0) return;
    natpmpresp_t response{};
    // A lifetime of 0 deletes the mapping of this internal port.
    if (sendnewportmappingrequest(&n, NATPMP_PROTOCOL_TCP, static_cast<uint16_t>(m.internalPort), 0, 0) >= 0)
        natpmpAnswer(n, response, kNatPmpRemoveBudgetMs);
    closenatpmp(&n);
}

} // namespace tc::portmap
