#pragma once
// What the connect dialog remembers in the settings file's section: the
// player's name, the port and the last five addresses joined, newest first.
// Keys of their own, so nothing else in the section changes.
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

    std::string name;
    int port = kDefaultPort;
    std::vector<std::string> addresses;
    bool announce = true;

    // Missing keys give an empty name, port 7772 and no addresses; a port
    // outside 1..65535 reads as 7772; empty and repeated addresses are
    // skipped, and at most kMaxAddresses are kept. Announcing is on unless
    // the key reads 0.
    static ConnectSettings read(const store::SettingsFile& file);

    // Puts `address` first (once: an equal one further down, compared
    // without regard to case, goes) and keeps at most kMaxAddresses.
    // An empty address changes nothing.
    void remember(const std::string& address);

    // All keys in one replacement of the file; false when it could not be
    // written (the file on disk is then unchanged).
    bool write(store::SettingsFile& file) const;
};

} // namespace tc::client
