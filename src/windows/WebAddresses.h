#pragma once
// Every address the side windows use, in one place: the maker's web site,
// the one-player edition's page, the lobby installer and the lobby
// program's installed path. The game has no home page of its own: the site
// and the solo page are empty, which stands for the README that ships with
// the game (ShippedDocuments), so a click always opens something real.
// Packagers and tests point them elsewhere with keys of the settings
// file's own section.
#include <string>
#include <string_view>

namespace tc::store {
class SettingsFile;
}

namespace tc::windows {

struct WebAddresses {
    static constexpr const char* kLobbyInstaller = "http://downloads.example.com/velmoralobby/velmoralobby-setup.tar.gz";
    static constexpr const char* kLobbyProgram = "/opt/velmoralobby/velmoralobby";

    // The settings keys that override them.
    static constexpr const char* kMakerSiteKey = "MakerSite";
    static constexpr const char* kSoloPageKey = "SoloPage";
    static constexpr const char* kLobbyInstallerKey = "LobbyInstaller";
    static constexpr const char* kLobbyProgramKey = "LobbyProgram";

    std::string makerSite;  // "": the shipped README
    std::string soloPage;   // "": the shipped README
    std::string lobbyInstaller = kLobbyInstaller;
    std::string lobbyProgram = kLobbyProgram;

    // The defaults with every usable override of `settings` applied. A web
    // address must be http or https with a host, the program an absolute
    // path; anything else keeps the default, so a slip in the file cannot
    // point the browser or the download at a local file.
    static WebAddresses fromSettings(const store::SettingsFile& settings);

    static bool isWebAddress(std::string_view text);
    static bool isAbsolutePath(std::string_view text);
};

} // namespace tc::windows
