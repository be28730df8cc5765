#include "session/ConnectSettings.h"

#include <algorithm>

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
    for (std::size_t n = 1; n <= kMaxAddresses; ++n) {
        const std::string a = file.readString(addressKey(n), "");
        if (!a.empty() && !contains(s.addresses, a)) s.addresses.push_back(a);
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
        {kNameKey, name}, {kPortKey, std::to_string(port)}, {kAnnounceKey, announce ? "1" : "0"}};
    // Every slot is written, emptied ones too, so a shorter list leaves
    // no stale address behind.
    for (std::size_t n = 1; n <= kMaxAddresses; ++n)
        keys.emplace_back(addressKey(n), n <= addresses.size() ? addresses[n - 1] : std::string());
    return file.write(keys);
}

} // namespace tc::client
