#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "session/ConnectSettings.h"
#include "session/ReachableAddresses.h"
#include "store/SettingsFile.h"

namespace fs = std::filesystem;
using tc::client::ConnectSettings;
using tc::client::joinAddressesLine;
using tc::client::reachableFromOthers;
using Strings = std::vector<std::string>;

namespace {

struct TempFile {
    TempFile() {
        std::string pattern = (fs::temp_directory_path() / "tc-connect-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
        path = (fs::path(dir) / "velmoralobby.ini").string();
    }
    ~TempFile() { fs::remove_all(dir); }
    void write(const std::string& bytes) const { std::ofstream(path, std::ios::binary) << bytes; }
    std::string read() const {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string dir, path;
};

} // namespace

TEST(ConnectSettings, RemembersFiveAddressesNewestFirstEachOnce) {
    ConnectSettings s;
    for (const char* a : {"a.lan", "b.lan", "c.lan", "d.lan", "e.lan"}) s.remember(a);
    EXPECT_EQ(s.addresses, (Strings{"e.lan", "d.lan", "c.lan", "b.lan", "a.lan"}));
    s.remember("C.LAN");  // names are not case-sensitive: moves up, once
    EXPECT_EQ(s.addresses, (Strings{"C.LAN", "e.lan", "d.lan", "b.lan", "a.lan"}));
    s.remember("f.lan");  // the oldest drops out
    EXPECT_EQ(s.addresses, (Strings{"f.lan", "C.LAN", "e.lan", "d.lan", "b.lan"}));
    s.remember("");
    EXPECT_EQ(s.addresses.size(), 5u);
}

TEST(ConnectSettings, WritesItsOwnKeysAndKeepsTheRestOfTheFile) {
    TempFile f;
    f.write("[Other]\r\nPlayerName=Keep\r\n[Tilecrest]\r\nTop=40\r\n");
    tc::store::SettingsFile file(f.path);
    ConnectSettings s = ConnectSettings::read(file);
    EXPECT_EQ(s.name, "");
    EXPECT_EQ(s.port, 7772);
    EXPECT_TRUE(s.addresses.empty());
    EXPECT_TRUE(s.announce);
    EXPECT_TRUE(s.mapPort);

    s.name = "Ann";
    s.announce = false;
    s.mapPort = false;
    s.port = 7900;
    s.remember("10.0.0.5");
    s.remember("::1");
    ASSERT_TRUE(s.write(file));
    EXPECT_EQ(f.read(),
              "[Other]\r\nPlayerName=Keep\r\n[Tilecrest]\r\nTop=40\r\nPlayerName=Ann\r\nGamePort=7900\r\n"
              "AnnounceGame=0\r\nMapPort=0\r\nRecentAddress1=::1\r\nRecentAddress2=10.0.0.5\r\nRecentAddress3=\r\n"
              "RecentAddress4=\r\nRecentAddress5=\r\n");

    const ConnectSettings again = ConnectSettings::read(tc::store::SettingsFile(f.path));
    EXPECT_EQ(again.name, "Ann");
    EXPECT_EQ(again.port, 7900);
    EXPECT_EQ(again.addresses, (Strings{"::1", "10.0.0.5"}));
    EXPECT_FALSE(again.announce);
    EXPECT_FALSE(again.mapPort);
}

TEST(ConnectSettings, BadValuesReadAsDefaults) {
    TempFile f;
    f.write("[tilecrest]\nGamePort=70000\nAnnounceGame=yes\nMapPort=off\nRecentAddress1=\nRecentAddress2=x.lan\n"
            "RecentAddress3=X.lan\nRecentAddress5=y.lan\n");
    ConnectSettings s = ConnectSettings::read(tc::store::SettingsFile(f.path));
    EXPECT_EQ(s.port, 7772);
    EXPECT_EQ(s.addresses, (Strings{"x.lan", "y.lan"}));
    EXPECT_TRUE(s.announce);  // only 0 turns it off
    EXPECT_TRUE(s.mapPort);
    f.write("[Tilecrest]\nGamePort=0\n");
    EXPECT_EQ(ConnectSettings::read(tc::store::SettingsFile(f.path)).port, 7772);
    // What an older copy kept of failed joins, and other oddities, is dropped.
    f.write("[Tilecrest]\nRecentAddress1=127.0.0.1:7772\nRecentAddress2=[::1]\nRecentAddress3=host.lan\n"
            "RecentAddress4=a b\nRecentAddress5=fe80::1%eth0\n");
    EXPECT_EQ(ConnectSettings::read(tc::store::SettingsFile(f.path)).addresses, (Strings{"host.lan", "fe80::1%eth0"}));
}

TEST(JoinAddress, HostPortAndBracketsAreUnderstood) {
    using tc::client::JoinAddress;
    struct Case {
        const char* typed;
        const char* host;
        int port;
    };
    for (const Case& c : {Case{"192.168.1.20", "192.168.1.20", 0}, Case{" host.lan:7773 ", "host.lan", 7773},
                          Case{"::1", "::1", 0}, Case{"[::1]", "::1", 0}, Case{"[fd00::2]:7900", "fd00::2", 7900},
                          Case{"fe80::1%eth0", "fe80::1%eth0", 0}, Case{"10.0.0.5:1", "10.0.0.5", 1}}) {
        const JoinAddress a = JoinAddress::parse(c.typed);
        EXPECT_EQ(a.error, "") << c.typed;
        EXPECT_EQ(a.host, c.host) << c.typed;
        EXPECT_EQ(a.port, c.port) << c.typed;
    }
    const std::string portHelp =
        "After the colon comes the port, a number from 1 to 65535; or leave it out and use the Port box.";
    for (const auto& [typed, error] : std::vector<std::pair<std::string, std::string>>{
             {"host.lan:", portHelp},
             {"host.lan:0", portHelp},
             {"host.lan:65536", portHelp},
             {"host.lan:77x", portHelp},
             {"[::1]:", portHelp},
             {"[::1", "The address has a \"[\" but no \"]\"."},
             {"[::1]7772", "After \"]\" only \":\" and the port may follow."},
             {"  ", "Type the host's address."},
             {":7772", "Type the host's address."},
             {"my host", "\"my host\" is not a host name or an IP address."},
             {"1:2:zz::1", "\"1:2:zz::1\" is not a host name or an IP address."}}) {
        const JoinAddress a = JoinAddress::parse(typed);
        EXPECT_EQ(a.error, error) << typed;
        EXPECT_EQ(a.host, "") << typed;
    }
}

TEST(ReachableAddresses, LoopbackLinkLocalAndNonsenseAreNotGivenOut) {
    for (const char* a : {"127.0.0.1", "127.8.9.1", "::1", "fe80::fc:ff:fe00:1", "fe80::1%eth0", "169.254.3.4",
                          "0.0.0.0", "::", "224.0.0.251", "ff02::1", "::ffff:127.0.0.1", "", "host.lan",
                          "192.168.1.300"})
        EXPECT_FALSE(reachableFromOthers(a)) << a;
    for (const char* a : {"192.168.1.20", "10.0.0.5", "fd00::2", "2001:db8::5", "::ffff:192.168.1.20"})
        EXPECT_TRUE(reachableFromOthers(a)) << a;
}

TEST(ReachableAddresses, TheLineListsIPv4FirstEachOnceWithThePort) {
    EXPECT_EQ(joinAddressesLine({"127.0.0.1", "192.168.1.20", "fe80::1%eth0"}, 7772),
              "Others can join at 192.168.1.20 port 7772.");
    EXPECT_EQ(joinAddressesLine({"fd00::2", "::1", "192.0.2.2", "10.0.0.5", "192.0.2.2", "::ffff:10.0.0.5"}, 7900),
              "Others can join at 192.0.2.2, 10.0.0.5 or fd00::2 port 7900.");
    EXPECT_EQ(joinAddressesLine({"127.0.0.1", "::1", "fe80::1"}, 7772),
              "Only this machine can reach the game: no network address was found (port 7772).");
    EXPECT_EQ(joinAddressesLine({}, 7000),
              "Only this machine can reach the game: no network address was found (port 7000).");
    Strings many;
    for (int i = 1; i <= 8; ++i) many.push_back("10.0.0." + std::to_string(i));
    EXPECT_EQ(joinAddressesLine(many, 7772),
              "Others can join at 10.0.0.1, 10.0.0.2, 10.0.0.3, 10.0.0.4, 10.0.0.5, 10.0.0.6 (and 2 more) port 7772.");
}
