#include "store_fixture.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scanbench::testing {
namespace {

using SettingsSave = StoreFixture;

const std::vector<std::string> SavedOrder = {
    "lpt_addr",    "tms_pin0",    "tms_pin1",    "tck_pin0",        "tck_pin1",       "tdo_pin0",
    "tdo_pin1",    "tdi_pin0",    "tdi_pin1",    "refresh windows", "speed run",      "show Z",
    "active mode", "soa_pin",     "sob_pin",     "sia_pin",         "sib_pin",        "port",
    "board",       "remote_host", "remote_port", "faults",          "faults revealed"};

TEST_F(SettingsSave, WritesEveryValueInOrderAndNothingElse) {
    ASSERT_TRUE(MakeStore().SaveSettings(Unusual()));

    EXPECT_EQ(StoreKeys(), SavedOrder);
    const QJsonObject stored = StoreObject();
    EXPECT_EQ(stored.value("lpt_addr").toInt(), 0x278);
    EXPECT_EQ(stored.value("tms_pin0").toInt(), 21);
    EXPECT_EQ(stored.value("tms_pin1").toInt(), 22);
    EXPECT_EQ(stored.value("tck_pin0").toInt(), 23);
    EXPECT_EQ(stored.value("tck_pin1").toInt(), 24);
    EXPECT_EQ(stored.value("tdo_pin0").toInt(), 25); // TxPin
    EXPECT_EQ(stored.value("tdo_pin1").toInt(), 26);
    EXPECT_EQ(stored.value("tdi_pin0").toInt(), 27); // RxPin
    EXPECT_EQ(stored.value("tdi_pin1").toInt(), 28);
    EXPECT_EQ(stored.value("soa_pin").toInt(), 31);
    EXPECT_EQ(stored.value("sob_pin").toInt(), 32);
    EXPECT_EQ(stored.value("sia_pin").toInt(), 33);
    EXPECT_EQ(stored.value("sib_pin").toInt(), 34);
    // Switches are stored as the integers 0 and 1, not as JSON booleans.
    EXPECT_TRUE(stored.value("speed run").isDouble());
    EXPECT_EQ(stored.value("speed run").toInt(), 1);
    EXPECT_EQ(stored.value("show Z").toInt(), 1);
    EXPECT_EQ(stored.value("active mode").toInt(), 0);
    EXPECT_EQ(stored.value("refresh windows").toInt(), 0);
    EXPECT_EQ(stored.value("port").toString(), "direct");
    EXPECT_EQ(stored.value("board").toString(), "open");
}

TEST_F(SettingsSave, KeepsValuesItDoesNotWriteAfterItsOwn) {
    auto members = DefaultMembers();
    members = With(members, "instdir", "\"/opt/scanbench\"");
    members = With(members, "port", "\"ppdev\"");
    members = With(members, "board", "\"open\"");
    members = With(members, "user note", "{\"nested\": [1, \"two\"]}");
    WriteStore(members);

    Settings settings = Unusual(); // its InstallDir must not be written
    settings.Port = PortKind::Direct;
    settings.Board = BoardKind::Loopback;
    ASSERT_TRUE(MakeStore().SaveSettings(settings));

    std::vector<std::string> expected = SavedOrder;
    // The untouched keys follow in their old order.
    for (const char* key : {"always_on_top", "instdir", "user note"}) {
        expected.emplace_back(key);
    }
    EXPECT_EQ(StoreKeys(), expected);
    const QJsonObject stored = StoreObject();
    EXPECT_EQ(stored.value("always_on_top").toInt(), 1);
    EXPECT_EQ(stored.value("instdir").toString(), "/opt/scanbench");
    EXPECT_EQ(stored.value("port").toString(), "direct");
    EXPECT_EQ(stored.value("board").toString(), "loopback");
    EXPECT_EQ(stored.value("user note").toObject().value("nested").toArray().at(1).toString(),
              "two");
}

TEST_F(SettingsSave, TheLastBoardFileIsKeptWhateverTheBoard) {
    WriteStore(
        With(With(DefaultMembers(), "board", "\"file\""), "board file", "\"/boards/m3.json\""));
    Settings settings;
    ASSERT_TRUE(MakeStore().LoadSettings(settings));
    EXPECT_EQ(settings.Board, BoardChoice(BoardKind::File, "/boards/m3.json"));

    settings.Board.Kind = BoardKind::Demo;
    ASSERT_TRUE(MakeStore().SaveSettings(settings));
    EXPECT_EQ(StoreObject().value("board").toString(), "demo");
    EXPECT_EQ(StoreObject().value("board file").toString(), "/boards/m3.json");
    Settings again;
    ASSERT_TRUE(MakeStore().LoadSettings(again));
    EXPECT_EQ(again.Board.Kind, BoardKind::Demo);
    EXPECT_EQ(again.Board.File, "/boards/m3.json") << "offered again in Setup";
}

TEST_F(SettingsSave, NonZeroSwitchIsSavedAsOne) {
    WriteStore(With(DefaultMembers(), "speed run", "5"));
    SettingsStore store = MakeStore();
    Settings settings;
    ASSERT_TRUE(store.LoadSettings(settings));
    ASSERT_TRUE(store.SaveSettings(settings));
    EXPECT_EQ(StoreObject().value("speed run").toInt(), 1);
}

TEST_F(SettingsSave, RegistersTheFileTypeOnEverySave) {
    SettingsStore store = MakeStore();
    Settings settings;
    settings.InstallDir = "/opt/scan bench";
    ASSERT_TRUE(store.SaveSettings(settings));
    ASSERT_EQ(ToolRuns.size(), 2U);
    const std::string entry = ReadFile(DataHome() / "applications" / "scanbench.desktop");
    EXPECT_NE(entry.find("Exec=\"/opt/scan bench/scanbench\" %f\n"), std::string::npos) << entry;
    EXPECT_TRUE(std::filesystem::exists(DataHome() / "mime" / "packages" / "scanbench-bst.xml"));

    std::filesystem::remove(DataHome() / "applications" / "scanbench.desktop");
    ASSERT_TRUE(store.SaveSettings(settings)); // nothing changed, registered again
    EXPECT_EQ(ToolRuns.size(), 4U);
    EXPECT_TRUE(std::filesystem::exists(DataHome() / "applications" / "scanbench.desktop"));
}

TEST_F(SettingsSave, EmptyInstallFolderRegistersTheRunningProgramsFolder) {
    ASSERT_TRUE(MakeStore().SaveSettings(Settings{}));
    const std::string entry = ReadFile(DataHome() / "applications" / "scanbench.desktop");
    const std::filesystem::path ownFolder =
        std::filesystem::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(SettingsStore::ProgramPath(Settings{}), ownFolder / "scanbench");
    EXPECT_EQ(entry.find("Exec=/scanbench"), std::string::npos) << entry;
    EXPECT_NE(entry.find((ownFolder / "scanbench").string()), std::string::npos) << entry;

    Settings installed;
    installed.InstallDir = "/opt/scanbench/";
    EXPECT_EQ(SettingsStore::ProgramPath(installed), "/opt/scanbench/scanbench");
}

TEST_F(SettingsSave, FailedRegistrationDoesNotFailTheSave) {
    WriteFile(DataHome(), "a file where the data folder should be");
    ASSERT_TRUE(MakeStore().SaveSettings(Settings{}));
    EXPECT_TRUE(ToolRuns.empty());
    EXPECT_EQ(StoreKeys(), SavedOrder);
}

} // namespace
} // namespace scanbench::testing
