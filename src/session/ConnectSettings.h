#pragma once
// What the connect dialog remembers in the settings file's section: the
// player's name, the port and the last five hosts joined successfully,
// newest first, each without its port (the port has its own key). Keys of
// their own, so nothing else in the section changes.
#include <string>
#include <vector>

namespace tc::store {
class SettingsFile;
}

namespace tc::client {

struct ConnectSettings {
    static constexpr int kDefaultPort = 7772;
    static constexpr std::size_t kMaxAddresses = 5;
    static constexpr const char* kNameKey = "PlayerName";
    static constexpr const char* kPortKey = "GamePort";
    // Followed by 1..kMaxAddresses.
    static constexpr const char* kAddressKey = "RecentAddress";
    // "0": hosted games are not announced on the local network.
    static constexpr const char* kAnnounceKey = "AnnounceGame";
    // "0": a hosted game does not ask the home router to open its port.
    static constexpr const char* kMapPortKey = "MapPort";

    std::string name;
    int port = kDefaultPort;
    std::vector<std::string> addresses;
    bool announce = true;
    bool mapPort = true;

    // Missing keys give an empty name, port 7772 and no addresses; a port
    // outside 1..65535 reads as 7772; empty, repeated and odd addresses
    // (anything but a host name or a bare IP address: with a port, in
    // brackets, with spaces) are skipped, and at most kMaxAddresses are kept. Announcing
    // is on unless the key reads 0, and so is opening the port on the router.
    static ConnectSettings read(const store::SettingsFile& file);

    // Puts `address` (a host as JoinAddress gives it) first (once: an equal one further down, compared
    // without regard to case, goes) and keeps at most kMaxAddresses.
    // An empty address changes nothing.
    void remember(const std::string& address);

    // All keys in one replacement of the file; false when it could not be
    // written (the file on disk is then unchanged).
    bool write(store::SettingsFile& file) const;
};

// What the player typed in the address field, understood: "HOST",
// "HOST:PORT", a bare IPv6 address, "[IPv6]" or "[IPv6]:PORT".
struct JoinAddress {
    std::string host;      // without brackets; empty when `error` is set
    int port = 0;          // 0: none given, the Port box counts
    std::string error;     // why the text is no address, for the dialog

    static JoinAddress parse(const std::string& typed);
};

// A host name (letters, digits, "-", "_", "." up to 253 characters) or an
// IPv4 or IPv6 address, without port or brackets.
bool isHostOrAddress(const std::string& host);

} // namespace tc::client
