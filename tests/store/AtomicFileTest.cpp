#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "store/AtomicFile.h"

namespace fs = std::filesystem;
using namespace tc::store;

namespace {

struct TempDir {
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tc-store-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const char* name) const { return (fs::path(path) / name).string(); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path), fs::directory_iterator()));
    }
    std::string path;
};

std::string slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(AtomicFile, ReplacesWholeAndLeavesNoScratch) {
    TempDir dir;
    const auto f = dir.file("a.ini");
    std::string err;
    ASSERT_TRUE(writeFileAtomically(f, "one", err));
    ASSERT_TRUE(writeFileAtomically(f, std::string("t\0o", 3), err));
    EXPECT_EQ(slurp(f), std::string("t\0o", 3));
    EXPECT_EQ(dir.entries(), 1u);

    std::string back;
    EXPECT_EQ(readWholeFile(f, 3, back), ReadStatus::Ok);
    EXPECT_EQ(back, std::string("t\0o", 3));
    EXPECT_EQ(readWholeFile(f, 2, back), ReadStatus::TooLarge);
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(readWholeFile(dir.file("none"), 10, back), ReadStatus::Missing);
    EXPECT_EQ(readWholeFile(dir.path, 10, back), ReadStatus::Failed);
}

TEST(AtomicFile, FailedRenameKeepsTheOldAndRemovesTheNew) {
    TempDir dir;
    // A folder in the file's place cannot be replaced by a rename.
    const auto f = dir.file("a.ini");
    fs::create_directory(f);
    std::ofstream(f + "/inside") << "old";
    std::string err;
    EXPECT_FALSE(writeFileAtomically(f, "new", err));
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(slurp(f + "/inside"), "old");
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(AtomicFile, WriteIntoAMissingFolderFails) {
    TempDir dir;
    std::string err;
    EXPECT_FALSE(writeFileAtomically(dir.file("no/such/a.ini"), "x", err));
    EXPECT_FALSE(err.empty());
}

TEST(AtomicFile, ASymbolicLinkStaysAndItsTargetIsReplaced) {
    TempDir dir;
    fs::create_directory(fs::path(dir.path) / "real");
    const auto target = dir.file("real/velmoralobby.ini");
    const auto link = dir.file("velmoralobby.ini");
    std::string err;
    ASSERT_TRUE(writeFileAtomically(target, "old", err));
    fs::create_symlink("real/velmoralobby.ini", link);  // relative, from the link's folder
    EXPECT_EQ(followLinks(link), dir.file("real/velmoralobby.ini"));
    ASSERT_TRUE(writeFileAtomically(link, "new", err)) << err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(target), "new");
    EXPECT_EQ(dir.entries(), 2u);  // the link and the folder, no scratch
    // A damaged file behind the link moves aside; the link stays and the
    // next write makes the file anew.
    EXPECT_EQ(moveAside(link, ".damaged"), target + ".damaged");
    EXPECT_TRUE(fs::is_symlink(link));
    ASSERT_TRUE(writeFileAtomically(link, "again", err));
    EXPECT_EQ(slurp(target), "again");
    EXPECT_EQ(slurp(target + ".damaged"), "new");
    // A loop of links is written as the name itself would be: it fails
    // rather than follow for ever.
    fs::create_symlink("b", dir.file("a"));
    fs::create_symlink("a", dir.file("b"));
    EXPECT_EQ(followLinks(dir.file("a")), dir.file("a"));
}

TEST(AtomicFile, MoveAsideNeverOverwrites) {
    TempDir dir;
    const auto f = dir.file("t.tld");
    std::string err;
    ASSERT_TRUE(writeFileAtomically(f, "first", err));
    EXPECT_EQ(moveAside(f, ".damaged"), f + ".damaged");
    ASSERT_TRUE(writeFileAtomically(f, "second", err));
    EXPECT_EQ(moveAside(f, ".damaged"), f + ".damaged.1");
    EXPECT_FALSE(fs::exists(f));
    EXPECT_EQ(slurp(f + ".damaged"), "first");
    EXPECT_EQ(slurp(f + ".damaged.1"), "second");
    EXPECT_EQ(moveAside(f, ".damaged"), "");  // nothing left to move
}

} // namespace

#include "store/SettingsFile.h"

namespace {

TEST(SettingsFile, EachWriteKeepsWhatOthersChangedOnDisk) {
    TempDir dir;
    const auto f = dir.file("velmoralobby.ini");
    std::ofstream(f, std::ios::binary) << "[Lobby]\nNick=Ann\n";
    SettingsFile settings(f);
    ASSERT_TRUE(settings.writeString("Top", "10"));
    // Another program edits its own section meanwhile.
    std::ofstream(f, std::ios::binary | std::ios::trunc) << "[Lobby]\nNick=Bob\n[tilecrest]\nTop=10\n";
    EXPECT_EQ(settings.ini().readString("Lobby", "Nick", ""), "Ann");
    settings.reload();
    EXPECT_EQ(settings.ini().readString("Lobby", "Nick", ""), "Bob");
    ASSERT_TRUE(settings.write({{"Left", "4"}, {"Top", "11"}}));
    EXPECT_EQ(slurp(f), "[Lobby]\nNick=Bob\n[tilecrest]\nTop=11\nLeft=4\n");
    EXPECT_EQ(SettingsFile(f).readInteger("LEFT", 0), 4);
    fs::remove(f);
    settings.reload();
    EXPECT_EQ(settings.readInteger("Left", 0), 0);
}

TEST(SettingsFile, AnUnreadableFileIsMovedAsideNotOverwrittenAndToldOnce) {
    TempDir dir;
    const auto f = dir.file("velmoralobby.ini");
    fs::create_directory(f);  // cannot be read as a file
    SettingsFile settings(f);
    EXPECT_EQ(settings.readInteger("Top", 3), 3);
    ASSERT_TRUE(settings.writeString("Top", "5"));
    EXPECT_TRUE(fs::is_directory(f + ".damaged"));
    EXPECT_EQ(slurp(f), "[Tilecrest]\r\nTop=5\r\n");
    EXPECT_EQ(settings.takeMovedAside(), f + ".damaged");
    EXPECT_EQ(settings.takeMovedAside(), "");
    ASSERT_TRUE(settings.writeString("Top", "6"));
    EXPECT_EQ(settings.takeMovedAside(), "");
}

} // namespace
