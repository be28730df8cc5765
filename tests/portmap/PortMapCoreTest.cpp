// The router core: which addresses are behind a router, the lease and
// retry schedule, the switch, and the exact lines the host reads.
#include <gtest/gtest.h>

#include <cstdlib>

#include "net/Text.h"
#include "portmap/AddressKind.h"
#include "portmap/LeaseSchedule.h"
#include "portmap/MappingSwitch.h"
#include "portmap/PortMapText.h"

namespace tc::portmap {
namespace {

TEST(AddressKind, PrivateSharedAndPublicRangesToTheirEdges) {
    EXPECT_EQ(ipv4Kind("10.0.0.1"), AddressKind::Private);
    EXPECT_EQ(ipv4Kind("10.255.255.255"), AddressKind::Private);
    EXPECT_EQ(ipv4Kind("11.0.0.1"), AddressKind::Public);
    EXPECT_EQ(ipv4Kind("9.255.255.255"), AddressKind::Public);
    EXPECT_EQ(ipv4Kind("172.15.255.255"), AddressKind::Public);
    EXPECT_EQ(ipv4Kind("172.16.0.0"), AddressKind::Private);
    EXPECT_EQ(ipv4Kind("172.31.255.255"), AddressKind::Private);
    EXPECT_EQ(ipv4Kind("172.32.0.0"), AddressKind::Public);
    EXPECT_EQ(ipv4Kind("192.168.1.20"), AddressKind::Private);
    EXPECT_EQ(ipv4Kind("192.169.0.1"), AddressKind::Public);
    EXPECT_EQ(ipv4Kind("100.63.255.255"), AddressKind::Public);
    EXPECT_EQ(ipv4Kind("100.64.0.0"), AddressKind::Shared);
    EXPECT_EQ(ipv4Kind("100.127.255.255"), AddressKind::Shared);
    EXPECT_EQ(ipv4Kind("100.128.0.0"), AddressKind::Public);
    EXPECT_EQ(ipv4Kind("127.0.0.1"), AddressKind::Loopback);
    EXPECT_EQ(ipv4Kind("169.254.3.4"), AddressKind::LinkLocal);
    EXPECT_EQ(ipv4Kind("::ffff:192.168.0.7"), AddressKind::Private);
}

TEST(AddressKind, ReservedDocumentationMulticastAndGarbageAreNeverPublic) {
    for (const char* a : {"0.0.0.0", "0.1.2.3", "224.0.0.1", "239.255.255.250", "255.255.255.255", "240.0.0.1",
                          "192.0.2.1", "198.51.100.9", "203.0.113.7", "198.18.0.1", "198.19.255.255", "192.0.0.8",
                          "", "10.0.0", "10.0.0.256", "1.2.3.4.5", "example.org", "::1", "2001:db8::1"})
        EXPECT_EQ(ipv4Kind(a), AddressKind::Other) << a;
    EXPECT_EQ(ipv4Kind("198.17.255.255"), AddressKind::Public);
    EXPECT_EQ(ipv4Kind("198.20.0.0"), AddressKind::Public);
}

TEST(AddressKind, GlobalIpv6IsTwoThousandSlashThreeWithoutTheDocumentationRange) {
    EXPECT_TRUE(isGlobalIpv6("2a01:4f8::1"));
    EXPECT_TRUE(isGlobalIpv6("3fff:ffff::1"));
    EXPECT_TRUE(isGlobalIpv6("2001:470::5%eth0"));
    EXPECT_FALSE(isGlobalIpv6("2001:db8::1"));
    EXPECT_FALSE(isGlobalIpv6("4000::1"));
    EXPECT_FALSE(isGlobalIpv6("1fff::1"));
    EXPECT_FALSE(isGlobalIpv6("fe80::1"));
    EXPECT_FALSE(isGlobalIpv6("fd00::2"));
    EXPECT_FALSE(isGlobalIpv6("::1"));
    EXPECT_FALSE(isGlobalIpv6("ff02::1"));
    EXPECT_FALSE(isGlobalIpv6("11.22.33.1"));
    EXPECT_FALSE(isGlobalIpv6("2a01:4f8::g"));
    EXPECT_EQ(globalIpv6({"fe80::1%eth0", "2a01:4f8::1%eth0", "10.0.0.2", "2a01:4f8::1", "2600::7"}),
              (std::vector<std::string>{"2a01:4f8::1", "2600::7"}));
}

TEST(AddressKind, AHostAsksOnlyFromBehindARouter) {
    EXPECT_TRUE(behindRouter({"127.0.0.1", "192.168.1.20", "fe80::1"}));
    EXPECT_TRUE(behindRouter({"100.64.7.1"}));
    EXPECT_FALSE(behindRouter({"192.168.1.20", "11.22.33.4"}));  // a public address of its own
    EXPECT_FALSE(behindRouter({"127.0.0.1", "::1"}));
    EXPECT_FALSE(behindRouter({"2a01:4f8::1"}));
    EXPECT_FALSE(behindRouter({}));
}

TEST(LeaseSchedule, RenewedAtHalfTheLeaseAndRetriedLessOftenEachTime) {
    EXPECT_EQ(kLeaseSeconds, 3600);
    EXPECT_EQ(renewAfterSeconds(3600, 3600), 1800);
    EXPECT_EQ(renewAfterSeconds(7200, 3600), 3600);  // what the router granted counts
    EXPECT_EQ(renewAfterSeconds(4, 4), 2);
    EXPECT_EQ(renewAfterSeconds(1, 4), 1);
    EXPECT_EQ(renewAfterSeconds(0, 3600), 1800);  // kept until removed: asked again in case it restarted
    EXPECT_EQ(renewAfterSeconds(0, 0), 1);
    EXPECT_EQ(retryAfterSeconds(1), 60);
    EXPECT_EQ(retryAfterSeconds(2), 120);
    EXPECT_EQ(retryAfterSeconds(5), 960);
    EXPECT_EQ(retryAfterSeconds(6), 1800);
    EXPECT_EQ(retryAfterSeconds(1000), 1800);
}

TEST(MappingSwitch, AnyValueButEmptyOrZeroTurnsMappingOff) {
    const char* was = std::getenv(kSwitchVariable);
    const std::string saved = was ? was : "";
    ::unsetenv(kSwitchVariable);
    EXPECT_FALSE(mappingSwitchedOff());
    ::setenv(kSwitchVariable, "", 1);
    EXPECT_FALSE(mappingSwitchedOff());
    ::setenv(kSwitchVariable, "0", 1);
    EXPECT_FALSE(mappingSwitchedOff());
    ::setenv(kSwitchVariable, "1", 1);
    EXPECT_TRUE(mappingSwitchedOff());
    ::setenv(kSwitchVariable, "yes", 1);
    EXPECT_TRUE(mappingSwitchedOff());
    if (was) ::setenv(kSwitchVariable, saved.c_str(), 1);
    else ::unsetenv(kSwitchVariable);
}

TEST(MappingSwitch, TheTestRunnerTurnsMappingOffForEveryTest) {
    // ctest reads tests/no-port-map.cmake before any test.
    ASSERT_TRUE(mappingSwitchedOff()) << "run through ctest, which sets " << kSwitchVariable;
}

TEST(PortMapText, TheLinesTheHostReads) {
    const Mapping m{Protocol::NatPmp, "203.0.113.7", 7772, 7772, 3600};
    EXPECT_EQ(openedLine(m), "Players on the internet can join at 203.0.113.7 port 7772 (your router opened it).");
    EXPECT_EQ(openedLine({Protocol::Upnp, "11.22.33.1", 7773, 7772, 3600}),
              "Players on the internet can join at 11.22.33.1 port 7773 (your router opened it).");
    EXPECT_EQ(copyText({Protocol::Upnp, "11.22.33.1", 7773, 7772, 3600}), "11.22.33.1:7773");
    EXPECT_EQ(failedLine({Trouble::NoRouter, "", ""}, 7772),
              "No router answered when the game asked it to open port 7772, so players on the internet cannot "
              "join yet. Players on your network can join; for players on the internet, forward TCP port 7772 on "
              "your router by hand, or host on a machine with a public address.");
    EXPECT_EQ(failedLine({Trouble::Refused, "UPnP error 718: ConflictInMappingEntry", ""}, 7772),
              "Your router refused to open port 7772 (UPnP error 718: ConflictInMappingEntry), so players on the "
              "internet cannot join yet. Players on your network can join; for players on the internet, forward "
              "TCP port 7772 on your router by hand, or host on a machine with a public address.");
    EXPECT_EQ(failedLine({Trouble::NotPublic, "", "100.64.0.9"}, 7772),
              "Your router's own outside address 100.64.0.9 is not on the internet: another router (perhaps your "
              "provider's) stands between, so players on the internet cannot join yet. Players on your network "
              "can join; for players on the internet, forward TCP port 7772 on that other router by hand, or host "
              "on a machine with a public address.");
    EXPECT_EQ(failedLine({Trouble::NotPublic, "NAT-PMP: network failure", ""}, 7772),
              "Your router has no address on the internet of its own: another router (perhaps your provider's) "
              "stands between, so players on the internet cannot join yet. Players on your network can join; for "
              "players on the internet, forward TCP port 7772 on that other router by hand, or host on a machine "
              "with a public address.");
    EXPECT_EQ(lostLine({Trouble::NoRouter, "", ""}, 7773),
              "Your router no longer keeps port 7773 open for this game, so players on the internet cannot join "
              "until it does; the game asks it again later.");
}

TEST(PortMapText, TheIpv6LineNamesOnlyGlobalAddresses) {
    EXPECT_EQ(ipv6Line({"192.168.1.20", "fe80::1", "fd00::5"}, 7772), "");
    EXPECT_EQ(ipv6Line({"192.168.1.20", "2a01:4f8::1"}, 7772),
              "Players with IPv6 can join at 2a01:4f8::1 port 7772 with no port to open, though your router's "
              "firewall may still block them.");
    EXPECT_EQ(ipv6Line({"2a01:4f8::1", "2600::7", "2600::8"}, 7000),
              "Players with IPv6 can join at 2a01:4f8::1, 2600::7 or 2600::8 port 7000 with no port to open, "
              "though your router's firewall may still block them.");
    std::vector<std::string> many;
    for (int i = 1; i <= 9; ++i) many.push_back("2600::" + std::to_string(i));
    const std::string line = ipv6Line(many, 7772);
    EXPECT_NE(line.find("2600::5 or 2600::6 port"), std::string::npos) << line;
    EXPECT_EQ(line.find("2600::7"), std::string::npos) << line;
}

TEST(PortMapText, TheServersLogLines) {
    const Mapping m{Protocol::NatPmp, "11.22.33.1", 7772, 7772, 3600};
    EXPECT_EQ(logOpened(m, false), "router: opened 11.22.33.1 port 7772 to port 7772 by NAT-PMP, lease 3600 s");
    EXPECT_EQ(logOpened({Protocol::Upnp, "11.22.33.1", 7773, 7772, 0}, true),
              "router: renewed 11.22.33.1 port 7773 to port 7772 by UPnP, lease until removed");
    EXPECT_EQ(logFailed({Trouble::NoRouter, "", ""}, 7772), "router: no router answered for port 7772");
    EXPECT_EQ(logFailed({Trouble::Refused, "NAT-PMP: not authorized", ""}, 7772),
              "router: refused port 7772 (NAT-PMP: not authorized)");
    EXPECT_EQ(logFailed({Trouble::NotPublic, "", "10.0.0.1"}, 7772),
              "router: its outside address 10.0.0.1 is not public; port 7772 not opened");
    EXPECT_EQ(logFailed({Trouble::NotPublic, "NAT-PMP: network failure", ""}, 7772),
              "router: it has no public address; port 7772 not opened (NAT-PMP: network failure)");
    EXPECT_EQ(logRemoved(m), "router: removed 11.22.33.1 port 7772");
}

// A translator that wraps every text it is asked for, in the context the
// catalogues file it under.
std::string wrapped(const char* context, const char* source) {
    return std::string("[") + context + ":" + source + "]";
}

struct WrappingHooks {
    WrappingHooks() { net::setTextHooks({&wrapped, nullptr}); }
    ~WrappingHooks() { net::setTextHooks({}); }
};

TEST(PortMapText, TheChatLinesAreTranslatedAndTheLogLinesAreNot) {
    const WrappingHooks hooks;
    const Mapping m{Protocol::Upnp, "11.22.33.1", 7773, 7772, 3600};
    EXPECT_EQ(openedLine(m), "[PortMap:Players on the internet can join at 11.22.33.1 port 7773 (your router opened it).]");
    EXPECT_EQ(failedLine({Trouble::Refused, "UPnP error 718", ""}, 7772),
              "[PortMap:Your router refused to open port 7772 (UPnP error 718), so players on the internet cannot "
              "join yet.] [PortMap:Players on your network can join; for players on the internet, forward TCP port "
              "7772 on your router by hand, or host on a machine with a public address.]");
    EXPECT_EQ(failedLine({Trouble::NotPublic, "", "100.64.0.9"}, 7772),
              "[PortMap:Your router's own outside address 100.64.0.9 is not on the internet: another router (perhaps "
              "your provider's) stands between, so players on the internet cannot join yet.] [PortMap:Players on "
              "your network can join; for players on the internet, forward TCP port 7772 on that other router by "
              "hand, or host on a machine with a public address.]");
    EXPECT_EQ(lostLine({Trouble::NoRouter, "", ""}, 7773),
              "[PortMap:Your router no longer keeps port 7773 open for this game, so players on the internet cannot "
              "join until it does; the game asks it again later.]");
    EXPECT_EQ(ipv6Line({"2a01:4f8::1", "2600::7", "2600::8"}, 7000),
              "[PortMap:Players with IPv6 can join at 2a01:4f8::1[PortMap:, ]2600::7[PortMap: or ]2600::8 port 7000 "
              "with no port to open, though your router's firewall may still block them.]");
    // The server's log is read by whoever runs it, in English.
    EXPECT_EQ(logOpened(m, false), "router: opened 11.22.33.1 port 7773 to port 7772 by UPnP, lease 3600 s");
    EXPECT_EQ(logFailed({Trouble::NoRouter, "", ""}, 7772), "router: no router answered for port 7772");
}

} // namespace
} // namespace tc::portmap
