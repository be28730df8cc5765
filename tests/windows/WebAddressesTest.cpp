#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "store/SettingsFile.h"
#include "windows/WebAddresses.h"

using tc::windows::WebAddresses;

namespace {

std::string settingsWith(const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("tc_webaddresses_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini");
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

} // namespace

TEST(WebAddresses, TheSiteAndSoloPageDefaultToTheShippedReadme) {
    // Empty stands for the README installed with the game: never a
    // placeholder page that leads nowhere.
    const WebAddresses a;
    EXPECT_EQ(a.makerSite, "");
    EXPECT_EQ(a.soloPage, "");
    EXPECT_TRUE(WebAddresses::isWebAddress(a.lobbyInstaller));
    EXPECT_TRUE(WebAddresses::isAbsolutePath(a.lobbyProgram));
}

TEST(WebAddresses, TheSettingsSectionOverridesOnlyUsableValues) {
    const std::string path = settingsWith(
        "[Other]\nMakerSite=http://other.invalid/\n"
        "[tilecrest]\nmakersite=https://127.0.0.1:8443/home\nSoloPage=file:///etc/passwd\n"
        "LobbyInstaller=http://127.0.0.1:1/get/setup.bin\nLobbyProgram=relative/lobby\n");
    const tc::store::SettingsFile settings(path);
    const WebAddresses a = WebAddresses::fromSettings(settings);
    EXPECT_EQ(a.makerSite, "https://127.0.0.1:8443/home");
    EXPECT_EQ(a.soloPage, "");  // a local file is refused: the shipped README stays
    EXPECT_EQ(a.lobbyInstaller, "http://127.0.0.1:1/get/setup.bin");
    EXPECT_EQ(a.lobbyProgram, WebAddresses::kLobbyProgram);
    std::remove(path.c_str());
}

TEST(WebAddresses, WhatCountsAsAWebAddressOrAPath) {
    for (const char* good : {"http://a", "HTTPS://a.b/c?d", "http://127.0.0.1:7/x"})
        EXPECT_TRUE(WebAddresses::isWebAddress(good)) << good;
    for (const char* bad : {"", "http://", "http:///x", "ftp://a/", "javascript:alert(1)", "http://a b/",
                            "http://a/\n", "file:///tmp/x"})
        EXPECT_FALSE(WebAddresses::isWebAddress(bad)) << bad;
    EXPECT_TRUE(WebAddresses::isAbsolutePath("/opt/lobby"));
    EXPECT_FALSE(WebAddresses::isAbsolutePath("/"));
    EXPECT_FALSE(WebAddresses::isAbsolutePath("lobby"));
    EXPECT_FALSE(WebAddresses::isAbsolutePath("/opt/lo\tbby"));
}
