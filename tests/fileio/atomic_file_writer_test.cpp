#include "fault_injection.h"
#include "fileio/atomic_file_writer.h"
#include "fileio/temp_file_cleanup.h"
#include "fileio/write_file.h"
#include "fileio/writer_stream.h"
#include "scratch_folder.h"
#include "system_calls.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <vector>

namespace scanbench::testing {
namespace {

namespace fs = std::filesystem;

unsigned Mode(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

using FileIoWriter = ScratchFolder;

TEST_F(FileIoWriter, StreamsPiecesAndTakesTheOldFilesPermissionsAndLinks) {
    const fs::path fresh = Folder / "fresh.txt";
    {
        AtomicFileWriter writer(fresh);
        WriterStream stream(writer);
        for (int i = 0; i < 100000; ++i) { // passes the stream's buffer many times
            stream << i << ",\r\n";
        }
        stream.flush();
        ASSERT_TRUE(writer.Commit()) << writer.Error();
    }
    const std::string text = Contents(fresh);
    EXPECT_TRUE(text.starts_with("0,\r\n1,\r\n"));
    EXPECT_TRUE(text.ends_with("99999,\r\n"));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(Mode(fresh), 0666U & ~mask);

    ::chmod(fresh.c_str(), 0640);
    fs::create_symlink("fresh.txt", Folder / "link.txt");
    EXPECT_EQ(WriteFileContents(Folder / "link.txt", "new"), "");
    EXPECT_TRUE(fs::is_symlink(Folder / "link.txt")); // the link stays, its file changes
    EXPECT_EQ(Contents(fresh), "new");
    EXPECT_EQ(Mode(fresh), 0640U);

    { AtomicFileWriter abandoned(fresh); } // never committed
    EXPECT_EQ(Contents(fresh), "new");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"fresh.txt", "link.txt"}));
    EXPECT_EQ(TempFileCleanup::RegisteredCount(), 0);
}

TEST_F(FileIoWriter, StreamKeepsTheOrderOfSmallPiecesAndLargeBlocks) {
    const fs::path file = Folder / "mixed.txt";
    const std::string block(200000, 'b'); // larger than the stream's buffer
    AtomicFileWriter writer(file);
    WriterStream stream(writer);
    stream << "head,";
    stream.write(block.data(), static_cast<std::streamsize>(block.size()));
    stream << ",tail";
    stream.write(block.data(), static_cast<std::streamsize>(block.size()));
    stream.flush();
    ASSERT_TRUE(stream.good());
    ASSERT_TRUE(writer.Commit()) << writer.Error();
    EXPECT_EQ(Contents(file), "head," + block + ",tail" + block);
}

TEST_F(FileIoWriter, FullFileSystemKeepsTheOldFileAndSaysWhy) {
    const fs::path disk = Folder / "disk";
    FullFileSystem full(disk);
    const fs::path file = disk / "kept.txt";
    WriteText(file, "old content");
    full.Fill(64 * 1024);
    const std::string error = WriteFileContents(file, std::string(1 << 20, 'x'));
    EXPECT_TRUE(error == "No space left on device" || error == "File too large") << error;
    EXPECT_EQ(Contents(file), "old content");
    EXPECT_EQ(Entries(disk), std::vector<std::string>{"kept.txt"});

    AtomicFileWriter streamed(file); // the failure sticks until the end
    EXPECT_FALSE(streamed.Write(std::string(1 << 20, 'y')));
    EXPECT_FALSE(streamed.Write("z"));
    EXPECT_FALSE(streamed.Commit());
    EXPECT_FALSE(streamed.Error().empty());
    EXPECT_EQ(Contents(file), "old content");
}

TEST_F(FileIoWriter, RefusesWhatIsNotARegularFileAndTheProtectedFiles) {
    fs::create_directory(Folder / "folder");
    ASSERT_EQ(::mkfifo((Folder / "fifo").c_str(), 0600), 0);
    std::vector<fs::path> refused{Folder / "folder", Folder / "fifo"};
    // A device node of our own where the test may make one (as root).
    if (::mknod((Folder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        refused.push_back(Folder / "null");
    }
    for (const fs::path& target : refused) {
        EXPECT_EQ(WriteFileContents(target, "x"), "Not a regular file") << target;
        EXPECT_FALSE(fs::is_regular_file(target)) << target;
    }

    const fs::path program = Folder / "prog.bst";
    WriteText(program, "RST;\r\n");
    fs::create_symlink("prog.bst", Folder / "alias.bst");
    fs::create_hard_link(program, Folder / "hard.bst");
    const WriteRules rules{.Protected = {Folder / "alias.bst"}};
    for (const char* name : {"prog.bst", "hard.bst", "alias.bst"}) {
        EXPECT_EQ(WriteFileContents(Folder / name, "x", rules),
                  "Is the same file as " + (Folder / "alias.bst").string())
            << name;
    }
    EXPECT_EQ(Contents(program), "RST;\r\n");

    // Replaced by a FIFO between the start and the commit.
    AtomicFileWriter late(Folder / "late.txt");
    ASSERT_TRUE(late.Write("x"));
    ASSERT_EQ(::mkfifo((Folder / "late.txt").c_str(), 0600), 0);
    EXPECT_FALSE(late.Commit());
    EXPECT_EQ(late.Error(), "Not a regular file");
    EXPECT_EQ(Entries().size(), refused.size() + 4);
}

// The writer's two ways to a temporary file: unnamed where the file system
// has them, named everywhere else (forced by a file system without them).
enum class TemporaryKind { Unnamed, Named };

class FileIoWriterKinds : public ScratchFolder,
                          public ::testing::WithParamInterface<TemporaryKind> {
protected:
    void SetUp() override {
        ScratchFolder::SetUp();
        Saved = detail::Hooks();
        if (GetParam() == TemporaryKind::Named) {
            detail::Hooks().OpenUnnamed = [](const char*, mode_t) {
                errno = EOPNOTSUPP;
                return -1;
            };
        } else {
            const int probe = ::open(Folder.c_str(), O_TMPFILE | O_WRONLY, 0600);
            if (probe < 0) {
                GTEST_SKIP() << "no unnamed files on this file system";
            }
            ::close(probe);
        }
    }
    void TearDown() override {
        detail::Hooks() = Saved;
        ScratchFolder::TearDown();
    }
    detail::SystemCallHooks Saved;
};

TEST_P(FileIoWriterKinds, AProcessEndedByAnySignalLeavesNoTemporaryFile) {
    const fs::path file = Folder / "target.txt";
    WriteText(file, "old");
    std::vector<int> signals(std::begin(TempFileCleanup::EndingSignals),
                             std::end(TempFileCleanup::EndingSignals));
    if (GetParam() == TemporaryKind::Unnamed) {
        signals.push_back(SIGKILL); // nothing to clean up: the file has no name
    }
    for (const int signal : signals) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlimit noCore{0, 0}; // the signals that dump a core need not
            ::setrlimit(RLIMIT_CORE, &noCore);
            AtomicFileWriter writer(file);
            (void)writer.Write(std::string(100000, 'x'));
            ::raise(signal);
            ::_exit(0); // not reached: the signal's default action ends the child
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << strsignal(signal);
        EXPECT_EQ(Entries(), std::vector<std::string>{"target.txt"}) << strsignal(signal);
        EXPECT_EQ(Contents(file), "old");
    }
}

namespace {
volatile std::sig_atomic_t AlarmsHandled = 0;
void CountAlarm(int) {
    AlarmsHandled = AlarmsHandled + 1;
}
} // namespace

TEST_P(FileIoWriterKinds, ASignalTheProcessHandlesAndSurvivesKeepsTheFileBeingWritten) {
    // In a fresh process, so the handler is there before the writer's first
    // file (as a fuzzer's or a server's timer is); that process checks and
    // clears its own folder.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::signal(SIGALRM, CountAlarm);
            bool kept = false;
            {
                AtomicFileWriter writer(Folder / "target.txt");
                (void)writer.Write("new");
                ::raise(SIGALRM);
                kept = AlarmsHandled == 1 && writer.Commit();
            }
            kept = kept && Contents(Folder / "target.txt") == "new";
            fs::remove_all(Folder);
            std::_Exit(kept ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_P(FileIoWriterKinds, FailingFlushToTheDiskFailsTheCommitAndKeepsTheOldFile) {
    const fs::path file = Folder / "target.txt";
    WriteText(file, "old");
    detail::Hooks().Fsync = [](int) {
        errno = EIO;
        return -1;
    };
    EXPECT_EQ(WriteFileContents(file, "new"), "Input/output error");
    EXPECT_EQ(Contents(file), "old");
    EXPECT_EQ(Entries(), std::vector<std::string>{"target.txt"});
    EXPECT_EQ(TempFileCleanup::RegisteredCount(), 0);

    detail::Hooks().Fsync = nullptr; // and with the flush working, the file is replaced
    EXPECT_EQ(WriteFileContents(file, "new"), "");
    EXPECT_EQ(Contents(file), "new");
    EXPECT_EQ(Entries(), std::vector<std::string>{"target.txt"});
}

INSTANTIATE_TEST_SUITE_P(Temporary, FileIoWriterKinds,
                         ::testing::Values(TemporaryKind::Unnamed, TemporaryKind::Named),
                         [](const auto& param) {
                             return param.param == TemporaryKind::Unnamed ? "Unnamed" : "Named";
                         });

} // namespace
} // namespace scanbench::testing
