#include "windows/WebAddresses.h"

#include <cctype>

#include "store/SettingsFile.h"

namespace tc::windows {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

bool hasControlOrSpace(std::string_view text) {
    for (unsigned char c : text)
        if (c <= 0x20 || c == 0x7F) return true;
    return false;
}

void override(const store::SettingsFile& settings, const char* key, std::string& value,
              bool (*usable)(std::string_view)) {
    const std::string read = settings.readString(key, "");
    if (usable(read)) value = read;
}

} // namespace

bool WebAddresses::isWebAddress(std::string_view text) {
    if (hasControlOrSpace(text)) return false;
    std::string_view rest;
    if (startsWithNoCase(text, "http://")) rest = text.substr(7);
    else if (startsWithNoCase(text, "https://")) rest = text.substr(8);
    else return false;
    // A host must follow the scheme.
    return !rest.empty() && rest.front() != '/' && rest.front() != '?' && rest.front() != '#';
}

bool WebAddresses::isAbsolutePath(std::string_view text) {
    if (text.size() < 2 || text.front() != '/') return false;
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

WebAddresses WebAddresses::fromSettings(const store::SettingsFile& settings) {
    WebAddresses a;
    override(settings, kMakerSiteKey, a.makerSite, &isWebAddress);
    override(settings, kSoloPageKey, a.soloPage, &isWebAddress);
    override(settings, kLobbyInstallerKey, a.lobbyInstaller, &isWebAddress);
    override(settings, kLobbyProgramKey, a.lobbyProgram, &isAbsolutePath);
    return a;
}

} // namespace tc::windows
