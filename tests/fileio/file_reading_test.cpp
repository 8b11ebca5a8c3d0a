#include "fileio/move_aside.h"
#include "fileio/private_file.h"
#include "fileio/read_regular_file.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

TEST_F(FileIoReading, APrivateFileIsTakenOnlyAsItsOwnerLeftIt) {
    const PrivateFileWrite written = WritePrivateFile(Folder, "handed-", "the text");
    ASSERT_TRUE(written.Error.empty()) << written.Error;
    EXPECT_TRUE(written.Path.filename().string().starts_with("handed-"));
    // Planted beside it: open to others, a link to it, a second name for it,
    // and (where the test may give files away) someone else's file.
    const auto plant = [&](const char* name, mode_t mode) {
        testing::WriteText(Folder / name, "planted");
        ::chmod((Folder / name).c_str(), mode);
        return Folder / name;
    };
    std::vector<fs::path> refused{plant("open", 0644), plant("readable", 0640)};
    fs::create_symlink(written.Path.filename(), Folder / "link");
    refused.push_back(Folder / "link");
    fs::create_hard_link(plant("named-twice", 0600), Folder / "second-name");
    refused.push_back(Folder / "named-twice");
    if (::geteuid() == 0) {
        refused.push_back(plant("foreign", 0600));
        ASSERT_EQ(::chown(refused.back().c_str(), 65534, 65534), 0);
    }
    for (const fs::path& path : refused) {
        EXPECT_EQ(TakePrivateFile(path, 100).Status, FileReadStatus::NotPrivate) << path;
        EXPECT_TRUE(fs::exists(fs::symlink_status(path))) << path << " is left alone";
    }

    const RegularFileRead taken = TakePrivateFile(written.Path, 100);
    EXPECT_EQ(taken.Status, FileReadStatus::Ok);
    EXPECT_EQ(taken.Bytes, "the text");
    EXPECT_FALSE(fs::exists(written.Path)); // taken once only
    EXPECT_EQ(TakePrivateFile(written.Path, 100).Status, FileReadStatus::Missing);
}

TEST_F(FileIoReading, NamesOfTheSameFileAreKnownBeforeTheFileExists) {
    fs::create_directory(Folder / "sub");
    fs::create_symlink("sub/out.txt", Folder / "link.txt"); // leads to a file still to come
    const fs::path out = Folder / "sub" / "out.txt";
    EXPECT_TRUE(NameTheSameFile(out, Folder / "sub" / ".." / "sub" / "out.txt"));
    EXPECT_TRUE(NameTheSameFile(out, Folder / "link.txt"));
    EXPECT_FALSE(NameTheSameFile(out, Folder / "sub" / "other.txt"));
    EXPECT_FALSE(NameTheSameFile(out, Folder / "out.txt"));

    testing::WriteText(out, "x");
    fs::create_hard_link(out, Folder / "hard.txt");
    EXPECT_TRUE(NameTheSameFile(Folder / "hard.txt", Folder / "link.txt"));
    EXPECT_FALSE(NameTheSameFile(out, Folder / "sub" / "other.txt"));
}

} // namespace
} // namespace scanbench
