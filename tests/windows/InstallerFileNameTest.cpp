#include <gtest/gtest.h>

#include "windows/InstallerFileName.h"

using tc::windows::InstallerFileName;

TEST(InstallerFileName, TheLastSegmentOfThePathNamesTheFile) {
    EXPECT_EQ(InstallerFileName::fromAddress("http://example.com/a/b/setup.tar.gz"), "setup.tar.gz");
    EXPECT_EQ(InstallerFileName::fromAddress("http://example.com/setup.run?mirror=2#top"), "setup.run");
    EXPECT_EQ(InstallerFileName::fromAddress("https://example.com:8080/x/%2E%2E%2Fetc"), "%2E%2E%2Fetc");
    EXPECT_EQ(InstallerFileName::lastSegment("http://example.com/dir/"), "");
    EXPECT_EQ(InstallerFileName::lastSegment("http://example.com"), "");
}

TEST(InstallerFileName, NamesThatWouldWriteElsewhereOrNowhereGetTheFixedName) {
    const std::string fixed = InstallerFileName::kFallback;
    for (const char* address :
         {"http://example.com/", "http://example.com", "http://example.com/dir/", "http://example.com/dir/.",
          "http://example.com/dir/..", "http://example.com/a\\..\\..\\evil", "http://example.com/a\x01z",
          "http://example.com/c:setup"})
        EXPECT_EQ(InstallerFileName::fromAddress(address), fixed) << address;
    EXPECT_EQ(InstallerFileName::fromAddress("http://example.com/" + std::string(201, 'a')), fixed);
    EXPECT_EQ(InstallerFileName::fromAddress("http://example.com/" + std::string(200, 'a')), std::string(200, 'a'));
}

TEST(InstallerFileName, FilesTheProgramKeepsAreNeverOverwritten) {
    const std::vector<std::string> reserved{"tilecrest", "velmoralobby.ini"};
    EXPECT_EQ(InstallerFileName::fromAddress("http://example.com/tilecrest", reserved), InstallerFileName::kFallback);
    EXPECT_EQ(InstallerFileName::fromAddress("http://example.com/VelmoraLobby.INI", reserved),
              InstallerFileName::kFallback);
    EXPECT_EQ(InstallerFileName::fromAddress("http://example.com/tilecrest.tar.gz", reserved), "tilecrest.tar.gz");
}
