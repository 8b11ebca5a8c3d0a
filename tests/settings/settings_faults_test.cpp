#include "fault_injection.h"
#include "store_fixture.h"
#include "system_calls.h"

#include <QJsonObject>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace scanbench::testing {
namespace {

using SettingsFaults = StoreFixture;

bool Mentions(const std::vector<std::string>& notices, const std::string& text) {
    return std::any_of(notices.begin(), notices.end(), [&](const std::string& notice) {
        return notice.find(text) != std::string::npos;
    });
}

TEST_F(SettingsFaults, FullDiskNeverEmptiesTheStoreAndIsReported) {
    FullFileSystem disk(StorePath().parent_path());
    WriteStore(Without(With(DefaultMembers(), "lpt_addr", "632"), "sib_pin"));
    const std::string before = StoreText();
    disk.Fill(16);

    std::vector<std::string> notices;
    EXPECT_FALSE(MakeStore().SaveSettings(Unusual(), notices));
    EXPECT_TRUE(Mentions(notices, "No space left on device") ||
                Mentions(notices, "File too large"));
    EXPECT_EQ(StoreText(), before);

    // The reset on load cannot be written either: the file is put back whole.
    notices.clear();
    Settings settings;
    EXPECT_FALSE(MakeStore().LoadSettings(settings, notices));
    ASSERT_EQ(notices.size(), 1U);
    EXPECT_NE(notices[0].find("\"sib_pin\""), std::string::npos) << notices[0];
    EXPECT_EQ(StoreText(), before);
    EXPECT_EQ(StoreFolderEntries(), std::vector<std::string>{"kzt.json"});
    ExpectDefaultsInMemory(settings);
}

TEST_F(SettingsFaults, ReadOnlyFolderStillUsesThePortChoiceAndSaysWhy) {
    WriteStore(With(
        With(Without(With(DefaultMembers(), "lpt_addr", "632"), "sib_pin"), "port", "\"ppdev\""),
        "board", "\"open\""));
    const std::string before = StoreText();
    const ReadOnlyFolder readOnly(StorePath().parent_path());
    const AsOrdinaryUser user;

    Settings settings;
    std::vector<std::string> notices;
    EXPECT_FALSE(MakeStore().LoadSettings(settings, notices));
    EXPECT_EQ(settings.Port, PortKind::Ppdev);
    EXPECT_EQ(settings.Board, BoardKind::Open);
    ExpectDefaultsInMemory(settings);
    EXPECT_TRUE(Mentions(notices, "Permission denied"));
    EXPECT_EQ(StoreText(), before);
}

TEST_F(SettingsFaults, ProcessesRacingOnABrokenFileNeverLoseTheUsersText) {
    constexpr int Trials = 30;
    for (int trial = 0; trial < Trials; ++trial) {
        const std::string userText = "{ broken settings " + std::to_string(trial);
        WriteStoreText(userText);
        int gate[2];
        ASSERT_EQ(::pipe(gate), 0);
        std::vector<pid_t> children;
        for (int i = 0; i < 4; ++i) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::close(gate[1]);
                char go = 0;
                (void)::read(gate[0], &go, 1); // all start when the gate closes
                Settings settings;
                ::_exit(MakeStore().LoadSettings(settings) ? 0 : 1);
            }
            children.push_back(child);
        }
        ::close(gate[0]);
        ::close(gate[1]);
        for (const pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
        }
        bool kept = false;
        for (const std::string& name : StoreFolderEntries()) {
            if (name.starts_with("kzt.json.bad")) {
                kept = kept || ReadFile(StorePath().parent_path() / name) == userText;
                std::filesystem::remove(StorePath().parent_path() / name);
            }
        }
        ASSERT_TRUE(kept) << "trial " << trial;
        ExpectDefaultsInFile();
    }
}

TEST_F(SettingsFaults, TwoWindowsSavingAtOnceKeepEachOthersChanges) {
    WriteStore(DefaultMembers()); // the store exists before either starts
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    constexpr int Saves = 100;
    std::vector<pid_t> children;
    for (int window = 0; window < 2; ++window) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(gate[1]);
            char go = 0;
            (void)::read(gate[0], &go, 1);
            const SettingsStore store = MakeStore();
            Settings shown;
            bool saved = store.LoadSettings(shown);
            for (int i = 1; i <= Saves; ++i) {
                Settings changed = shown; // each window changes a pin of its own
                (window == 0 ? changed.Pins.TmsPin[0] : changed.Pins.SobPin) =
                    static_cast<std::uint8_t>(i);
                std::vector<std::string> notices;
                saved = store.SaveSettings(shown, changed, notices) && saved;
                shown = changed;
            }
            ::_exit(saved ? 0 : 1);
        }
        children.push_back(child);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    const QJsonObject stored = StoreObject();
    EXPECT_EQ(stored.value("tms_pin0").toInt(), Saves);
    EXPECT_EQ(stored.value("sob_pin").toInt(), Saves);
    EXPECT_EQ(stored.value("tms_pin1").toInt(), Settings{}.Pins.TmsPin[1]) << "untouched";
}

// Whether the settings folder was locked each time a file was flushed to the
// disk: a save holds the lock from its reading to its writing.
std::filesystem::path LockedFolder;
std::vector<bool> LockedAtFlush;

int FlushNotingTheLock(int fd) {
    // Only the settings file's own writes count (not the file type's).
    const std::filesystem::path file =
        std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd));
    if (file.parent_path() == LockedFolder) {
        const int folder = ::open(LockedFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        LockedAtFlush.push_back(::flock(folder, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK);
        ::close(folder);
    }
    return ::fsync(fd);
}

TEST_F(SettingsFaults, EveryWriteHoldsTheSettingsFolderLocked) {
    WriteStore(Without(DefaultMembers(), "sib_pin")); // the load resets, and writes
    const detail::SystemCallHooks saved = detail::Hooks();
    LockedFolder = std::filesystem::canonical(StorePath().parent_path());
    LockedAtFlush.clear();
    detail::Hooks().Fsync = FlushNotingTheLock;
    Settings settings;
    (void)MakeStore().LoadSettings(settings);
    Settings changed = settings;
    changed.Pins.SobPin = 9;
    changed.Zoom = 150;
    std::vector<std::string> notices;
    (void)MakeStore().SaveSettings(settings, changed, notices);
    (void)MakeStore().SaveViewValues(settings, changed, notices);
    detail::Hooks() = saved;
    EXPECT_EQ(LockedAtFlush, std::vector<bool>(3, true)) << "load, save, view values";
    EXPECT_EQ(StoreObject().value("sob_pin").toInt(), 9);
    EXPECT_EQ(StoreObject().value("zoom").toInt(), 150);
}

TEST_F(SettingsFaults, PpdevBaseWithoutADeviceIsReported) {
    Settings settings;
    settings.Port = PortKind::Ppdev;
    for (const std::int32_t base : {888, 632, 956}) {
        settings.Pins.PortBase = base;
        EXPECT_TRUE(PortChoiceNotices(settings).empty()) << base;
    }
    settings.Pins.PortBase = 0x2BC;
    const std::vector<std::string> notices = PortChoiceNotices(settings);
    ASSERT_EQ(notices.size(), 1U);
    EXPECT_NE(notices[0].find("700"), std::string::npos) << notices[0];
    EXPECT_NE(notices[0].find("/dev/parport0"), std::string::npos) << notices[0];
    settings.Port = PortKind::Board; // the simulated board has no device
    EXPECT_TRUE(PortChoiceNotices(settings).empty());
}

} // namespace
} // namespace scanbench::testing
