#include "fileio/move_aside.h"
#include "fileio/read_regular_file.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace scanbench {
namespace {

namespace fs = std::filesystem;

using FileIoReading = testing::ScratchFolder;

TEST_F(FileIoReading, OnlyRegularFilesWithinTheLimitAreRead) {
    // A FIFO with no writer would block an ordinary open for ever, and
    // /dev/zero would never end.
    ASSERT_EQ(::mkfifo((Folder / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", Folder / "zero");
    for (const char* name : {"fifo", "zero"}) {
        const RegularFileRead read = ReadRegularFile(Folder / name, 1000);
        EXPECT_EQ(read.Status, FileReadStatus::NotRegular) << name;
        EXPECT_TRUE(read.Identity.has_value()) << name;
    }
    EXPECT_EQ(ReadRegularFile(Folder / "none", 1000).Status, FileReadStatus::Missing);

    testing::WriteText(Folder / "exact", std::string(100000, 'a'));
    const RegularFileRead exact = ReadRegularFile(Folder / "exact", 100000);
    EXPECT_EQ(exact.Status, FileReadStatus::Ok);
    EXPECT_EQ(exact.Bytes.size(), 100000U);
    EXPECT_EQ(exact.Identity, IdentityOf(Folder / "exact"));
    const RegularFileRead over = ReadRegularFile(Folder / "exact", 99999);
    EXPECT_EQ(over.Status, FileReadStatus::TooLarge);
    EXPECT_TRUE(over.Bytes.empty());
}

TEST_F(FileIoReading, MovingAsideNeverReplacesAnEarlierCopy) {
    const fs::path file = Folder / "kzt.json";
    std::string error;
    for (const char* text : {"first", "second", "third"}) {
        testing::WriteText(file, text);
        ASSERT_TRUE(MoveAside(file, ".bad", error)) << error;
    }
    EXPECT_FALSE(fs::exists(file));
    std::ifstream first(Folder / "kzt.json.bad");
    std::ifstream third(Folder / "kzt.json.bad-3");
    std::string a;
    std::string c;
    first >> a;
    third >> c;
    EXPECT_EQ(a, "first");
    EXPECT_EQ(c, "third");
    EXPECT_FALSE(MoveAside(file, ".bad", error)); // nothing left to move
    EXPECT_EQ(error, "No such file or directory");
}

} // namespace
} // namespace scanbench
