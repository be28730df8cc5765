#include "session/ConnectSettings.h"

#include "net/Text.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>

#include "store/IniFile.h"
#include "store/SettingsFile.h"

namespace tc::client {

namespace {

std::string addressKey(std::size_t n) { return ConnectSettings::kAddressKey + std::to_string(n); }

bool contains(const std::vector<std::string>& list, const std::string& address) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& a) { return store::equalsIgnoringCase(a, address); });
}

} // namespace

ConnectSettings ConnectSettings::read(const store::SettingsFile& file) {
    ConnectSettings s;
    s.name = file.readString(kNameKey, "");
    const int port = file.readInteger(kPortKey, kDefaultPort);
    s.port = port >= 1 && port <= 65535 ? port : kDefaultPort;
    s.announce = file.readInteger(kAnnounceKey, 1) != 0;
    s.mapPort = file.readInteger(kMapPortKey, 1) != 0;
    for (std::size_t n = 1; n <= kMaxAddresses; ++n) {
        const std::string a = file.readString(addressKey(n), "");
        if (isHostOrAddress(a) && !contains(s.addresses, a)) s.addresses.push_back(a);
    }
    return s;
}

void ConnectSettings::remember(const std::string& address) {
    if (address.empty()) return;
    std::erase_if(addresses, [&](const std::string& a) { return store::equalsIgnoringCase(a, address); });
    addresses.insert(addresses.begin(), address);
    if (addresses.size() > kMaxAddresses) addresses.resize(kMaxAddresses);
}

bool ConnectSettings::write(store::SettingsFile& file) const {
    std::vector<std::pair<std::string, std::string>> keys{
        {kNameKey, name}, {kPortKey, std::to_string(port)}, {kAnnounceKey, announce ? "1" : "0"},
        {kMapPortKey, mapPort ? "1" : "0"}};
    // Every slot is written, emptied ones too, so a shorter list leaves
    // no stale address behind.
    for (std::size_t n = 1; n <= kMaxAddresses; ++n)
        keys.emplace_back(addressKey(n), n <= addresses.size() ? addresses[n - 1] : std::string());
    return file.write(keys);
}

bool isHostOrAddress(const std::string& host) {
    if (host.empty() || host.size() > 253) return false;
    if (host.find(':') != std::string::npos) {
        // IPv6, with an interface after "%" allowed (fe80::1%eth0).
        const std::string bare = host.substr(0, host.find('%'));
        in6_addr v6{};
        return inet_pton(AF_INET6, bare.c_str(), &v6) == 1;
    }
    return std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.';
    });
}

JoinAddress JoinAddress::parse(const std::string& typed) {
    JoinAddress a;
    const auto first = typed.find_first_not_of(" \t");
    const auto last = typed.find_last_not_of(" \t");
    const std::string text = first == std::string::npos ? std::string() : typed.substr(first, last - first + 1);
    std::string host = text;
    std::string port;
    bool hasPort = false;
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string::npos) {
            a.error = net::translate("Session", "The address has a \"[\" but no \"]\".");
            return a;
        }
        host = text.substr(1, close - 1);
        const std::string after = text.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':') {
                a.error = net::translate("Session", "After \"]\" only \":\" and the port may follow.");
                return a;
            }
            port = after.substr(1);
            hasPort = true;
        }
    } else if (std::count(text.begin(), text.end(), ':') == 1) {
        host = text.substr(0, text.find(':'));
        port = text.substr(text.find(':') + 1);
        hasPort = true;
    }
    if (hasPort) {
        const bool digits = !port.empty() && port.size() <= 5 &&
                            std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; });
        const int n = digits ? std::stoi(port) : 0;
        if (n < 1 || n > 65535) {
            a.error = net::translate("Session", "After the colon comes the port, a number from 1 to 65535; or leave it out "
                                                "and use the Port box.");
            return a;
        }
        a.port = n;
    }
    if (!isHostOrAddress(host)) {
        a.error = host.empty() ? net::translate("Session", "Type the host's address.")
                               : net::fillText(net::translate("Session", "\"%1\" is not a host name or an IP address."), {host});
        a.port = 0;
        return a;
    }
    a.host = host;
    return a;
}

} // namespace tc::client
