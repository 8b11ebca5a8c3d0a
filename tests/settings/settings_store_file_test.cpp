#include "settings/store_file.h"
#include "store_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace scanbench::testing {
namespace {

using SettingsStoreFile = StoreFixture;

TEST_F(SettingsStoreFile, TextThatIsNotAJsonObjectIsKeptAsideAndDefaultsWritten) {
    // Each one is kept under a name of its own; none replaces an earlier copy.
    const std::string texts[] = {"{\"lpt_addr\": 632, \"tms_pin0\": \n\x01 garbage",
                                 "[888, 3, 7]",
                                 "888",
                                 "",
                                 "{} {}",
                                 "{\"x\": \"" + std::string(StoreFile::MaxBytes, 'a') + "\"}"};
    int kept = 0;
    for (const std::string& broken : texts) {
        SCOPED_TRACE(broken.substr(0, 40));
        WriteStoreText(broken);
        Settings settings = Unusual();
        std::vector<std::string> notices;
        ASSERT_TRUE(MakeStore().LoadSettings(settings, notices));

        EXPECT_EQ(ReadFile(AsidePath(++kept)), broken);
        ASSERT_EQ(notices.size(), 1U);
        EXPECT_NE(notices[0].find(AsidePath(kept).string()), std::string::npos) << notices[0];
        ExpectDefaultsInMemory(settings);
        ExpectDefaultsInFile();
    }
}

TEST_F(SettingsStoreFile, FifoOrDeviceAtTheStorePathIsMovedAsideUnread) {
    std::filesystem::create_directories(StorePath().parent_path());
    ASSERT_EQ(::mkfifo(StorePath().c_str(), 0600), 0); // would block an ordinary open
    Settings settings;
    ASSERT_TRUE(MakeStore().LoadSettings(settings));
    EXPECT_EQ(std::filesystem::status(AsidePath()).type(), std::filesystem::file_type::fifo);
    ExpectDefaultsInFile();

    std::filesystem::remove(StorePath());
    std::filesystem::create_symlink("/dev/zero", StorePath()); // would never end
    ASSERT_TRUE(MakeStore().LoadSettings(settings));
    EXPECT_TRUE(std::filesystem::is_symlink(AsidePath(2)));
    ExpectDefaultsInFile();
}

TEST_F(SettingsStoreFile, SaveOverBrokenTextKeepsItAsideToo) {
    WriteStoreText("not json");
    ASSERT_TRUE(MakeStore().SaveSettings(Unusual()));
    std::filesystem::path aside = StorePath();
    aside += ".bad";
    EXPECT_EQ(ReadFile(aside), "not json");
    EXPECT_EQ(StoreObject().value("lpt_addr").toInt(), 0x278);
}

TEST_F(SettingsStoreFile, StoreThatCannotBeCreatedLeavesDefaults) {
    // The folder would have to be created below a regular file.
    WriteFile(Root() / "config", "not a folder");
    Settings settings = Unusual();
    EXPECT_FALSE(MakeStore().LoadSettings(settings));
    ExpectDefaultsInMemory(settings);
    EXPECT_TRUE(settings.InstallDir.empty());
    EXPECT_EQ(settings.Port, PortKind::Board);
    EXPECT_EQ(settings.Board, BoardKind::Demo);
    EXPECT_TRUE(settings.RefreshWindows);

    EXPECT_FALSE(MakeStore().SaveSettings(Unusual()));
    EXPECT_TRUE(ToolRuns.empty()); // nothing registered either
    EXPECT_FALSE(std::filesystem::exists(DataHome()));
}

TEST_F(SettingsStoreFile, StoreThatCannotBeReadIsLeftAlone) {
    std::filesystem::create_directories(StorePath()); // a folder in the file's place
    Settings settings = Unusual();
    EXPECT_FALSE(MakeStore().LoadSettings(settings));
    ExpectDefaultsInMemory(settings);
    EXPECT_FALSE(MakeStore().SaveSettings(Unusual()));
    EXPECT_TRUE(std::filesystem::is_directory(StorePath()));
}

TEST_F(SettingsStoreFile, NoTemporaryFilesAreLeftBehind) {
    SettingsStore store = MakeStore();
    Settings settings;
    ASSERT_TRUE(store.LoadSettings(settings));
    ASSERT_TRUE(store.SaveSettings(Unusual()));
    ASSERT_TRUE(store.SaveSettings(settings));
    EXPECT_EQ(StoreFolderEntries(), std::vector<std::string>{"kzt.json"});
    std::vector<std::string> dataFiles;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(DataHome())) {
        if (entry.is_regular_file()) {
            dataFiles.push_back(entry.path().lexically_relative(DataHome()).string());
        }
    }
    std::sort(dataFiles.begin(), dataFiles.end());
    EXPECT_EQ(dataFiles, (std::vector<std::string>{"applications/scanbench.desktop",
                                                   "mime/packages/scanbench-bst.xml"}));
}

TEST_F(SettingsStoreFile, StoreIsAnOrdinaryUserFile) {
    Settings settings;
    ASSERT_TRUE(MakeStore().LoadSettings(settings));
    // Read-write for everyone as far as the umask allows, like any file the
    // user creates; not the private mode of a temporary file.
    const std::string status = ReadFile("/proc/self/status");
    const std::size_t umaskLine = status.find("Umask:");
    ASSERT_NE(umaskLine, std::string::npos);
    const auto umask = static_cast<unsigned>(std::stoul(status.substr(umaskLine + 6), nullptr, 8));
    const auto permissions = std::filesystem::status(StorePath()).permissions();
    EXPECT_EQ(static_cast<unsigned>(permissions), 0666U & ~umask);
}

} // namespace
} // namespace scanbench::testing
