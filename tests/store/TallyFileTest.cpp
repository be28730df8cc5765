#include <gtest/gtest.h>

#include <filesystem>

#include "StoreTestSupport.h"
#include "store/TallyFile.h"
#include "store/Tlzrw1.h"

using namespace tc::store;
using tc::storetest::slurp;
using tc::storetest::spill;
using tc::storetest::TempDir;

TEST(TallyFile, SavedTallyReadsBackWithFreshSession) {
    TempDir dir;
    TallyFile file(dir.file("Ridgeplaytally.tld"));
    EXPECT_EQ(file.load().status, TallyFile::Loaded::Missing);
    TallyTable t;
    t.addOpponent("Zoë");
    t.addGame({"Zoë"}, "Zoë", false);
    std::string error;
    ASSERT_TRUE(file.save(t, error)) << error;
    EXPECT_EQ(dir.entries(), 1u);  // no scratch file anywhere

    // The file is the container around Windows-1252 text.
    const std::string text = Tlzrw1::unpack(slurp(file.path()), 1 << 20, "t");
    EXPECT_EQ(text.substr(0, 14), "9\r\n2\r\n0\r\nZo\xEB\r\n");

    const TallyFile::LoadResult back = TallyFile(file.path()).load();
    ASSERT_EQ(back.status, TallyFile::Loaded::Ok);
    EXPECT_EQ(back.table.tallied(), (std::vector<std::string>{"Zoë"}));
    EXPECT_EQ(back.table.cell(1, 1), "1");  // totals kept
    EXPECT_EQ(back.table.cell(5, 1), "0");  // the session starts at 0
    EXPECT_EQ(back.table.cell(1, 0), "1");
}

TEST(TallyFile, DamagedFilesAreMovedAsideNeverOverwritten) {
    TempDir dir;
    const std::string path = dir.file("Ridgeplaytally.tld");
    spill(path, "garbage one");
    TallyFile first(path);
    TallyFile::LoadResult r = first.load();
    EXPECT_EQ(r.status, TallyFile::Loaded::Damaged);
    EXPECT_EQ(r.problem, path + " : Lzrw1 decompression : this file has no valid header !");
    EXPECT_EQ(r.movedTo, path + ".damaged");
    EXPECT_EQ(r.table.rowCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(path));

    // A container whose text is not a tally is damaged too.
    spill(path, Tlzrw1::pack("9\r\n5\r\n", "x"));
    r = TallyFile(path).load();
    EXPECT_EQ(r.problem, path + " : the tally's cells do not fit its row count !");
    EXPECT_EQ(r.movedTo, path + ".damaged.1");
    EXPECT_EQ(slurp(path + ".damaged"), "garbage one");

    // Counting goes on into a new file.
    TallyTable t;
    t.addToMineIncrease(1);
    std::string error;
    ASSERT_TRUE(first.save(t, error)) << error;
    EXPECT_EQ(TallyFile(path).load().table.cell(1, 0), "1");
    EXPECT_EQ(dir.entries(), 3u);
}

TEST(TallyFile, AnUnreadableFileIsNeverWrittenOver) {
    TempDir dir;
    const std::string path = dir.file("Ridgeplaytally.tld");
    std::filesystem::create_directory(path);  // in the way, and no file to read
    TallyFile file(path);
    const TallyFile::LoadResult r = file.load();
    EXPECT_EQ(r.status, TallyFile::Loaded::Unreadable);
    EXPECT_EQ(r.problem, "Cannot read the tally file " + path + "; this session's games are not kept.");
    TallyTable t;
    t.addToMineIncrease(1);
    std::string error;
    EXPECT_FALSE(file.save(t, error));
    EXPECT_EQ(error, "the tally file could not be read at start-up and is left alone");
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(dir.entries(), 1u);
}
