#include "store_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace scanbench::testing {
namespace {

using SettingsLoad = StoreFixture;

TEST_F(SettingsLoad, FirstStartCreatesTheStoreWithTheDefaultSet) {
    Settings settings;
    ASSERT_TRUE(MakeStore().LoadSettings(settings));

    ASSERT_TRUE(std::filesystem::exists(StorePath()));
    ExpectDefaultsInMemory(settings);
    EXPECT_TRUE(settings.InstallDir.empty());
    ExpectDefaultsInFile();
    std::vector<std::string> expectedKeys;
    for (const auto& member : DefaultMembers()) {
        expectedKeys.push_back(member.first);
    }
    EXPECT_EQ(StoreKeys(), expectedKeys); // written in the defaults' order
    EXPECT_EQ(StoreObject().value("always_on_top").toInt(), 1);
    EXPECT_FALSE(StoreObject().contains("instdir"));
    EXPECT_FALSE(StoreObject().contains("refresh windows"));
}

TEST_F(SettingsLoad, CompleteStoreIsReadWithoutBeingRewritten) {
    auto members = With(DefaultMembers(), "lpt_addr", "632");
    members = With(members, "tms_pin0", "21");
    members = With(members, "tck_pin1", "22");
    members = With(members, "tdo_pin0", "23"); // the controller's data out
    members = With(members, "tdi_pin1", "24"); // the controller's data in
    members = With(members, "sib_pin", "25");
    members = With(members, "show Z", "1");
    members = With(members, "active mode", "0");
    members = With(members, "instdir", "\"/opt/scan bench\"");
    members = With(members, "refresh windows", "0"); // never read back
    WriteStore(members);
    const std::string before = StoreText();

    Settings settings;
    ASSERT_TRUE(MakeStore().LoadSettings(settings));

    EXPECT_EQ(settings.Pins.PortBase, 632);
    EXPECT_EQ(settings.Pins.TmsPin[0], 21);
    EXPECT_EQ(settings.Pins.TckPin[1], 22);
    EXPECT_EQ(settings.Pins.TxPin[0], 23);
    EXPECT_EQ(settings.Pins.RxPin[1], 24);
    EXPECT_EQ(settings.Pins.SibPin, 25);
    EXPECT_TRUE(settings.ShowZ);
    EXPECT_FALSE(settings.ActiveMode);
    EXPECT_FALSE(settings.SpeedRun);
    EXPECT_EQ(settings.InstallDir, "/opt/scan bench");
    EXPECT_TRUE(settings.RefreshWindows);
    EXPECT_EQ(StoreText(), before);
}

TEST_F(SettingsLoad, MissingValueResetsEverythingIncludingValuesReadBeforeIt) {
    WriteStore(Without(With(DefaultMembers(), "lpt_addr", "632"), "sib_pin"));

    Settings settings = Unusual();
    ASSERT_TRUE(MakeStore().LoadSettings(settings));

    EXPECT_EQ(settings.Pins.PortBase, 888);
    EXPECT_EQ(StoreObject().value("lpt_addr").toInt(), 888);
    ExpectDefaultsInMemory(settings);
    ExpectDefaultsInFile();
}

TEST_F(SettingsLoad, WronglyTypedValueResetsEverythingButKeepsTheFileAsideAndSaysSo) {
    const RawMember wrongValues[] = {
        {"tms_pin0", "\"3\""},      {"tms_pin0", "1.5"},          {"tms_pin0", "true"},
        {"tms_pin0", "null"},       {"tms_pin0", "2147483648"},   {"tms_pin0", "-2147483649"},
        {"tms_pin0", "[3]"},        {"tms_pin0", "{\"pin\": 3}"}, {"lpt_addr", "1e300"},
        {"active mode", "\"yes\""}, {"sib_pin", "false"},         {"instdir", "null"}};
    for (const auto& [key, wrong] : wrongValues) {
        SCOPED_TRACE(key + " = " + wrong);
        std::filesystem::remove(AsidePath());
        WriteStore(With(With(DefaultMembers(), "lpt_addr", "632"), key, wrong));
        const std::string userText = StoreText();
        Settings settings = Unusual();
        std::vector<std::string> notices;
        ASSERT_TRUE(MakeStore().LoadSettings(settings, notices));
        ExpectDefaultsInMemory(settings);
        ExpectDefaultsInFile();
        EXPECT_EQ(ReadFile(AsidePath()), userText);
        ASSERT_EQ(notices.size(), 1U);
        EXPECT_NE(notices[0].find("\"" + key + "\""), std::string::npos) << notices[0];
        EXPECT_NE(notices[0].find(AsidePath().string()), std::string::npos) << notices[0];
        ExpectSettledLoad();
    }
}

TEST_F(SettingsLoad, ResetThatLosesNothingKeepsNoCopy) {
    WriteStore(Without(DefaultMembers(), "sib_pin")); // every value present is a default
    std::vector<std::string> notices;
    Settings settings;
    ASSERT_TRUE(MakeStore().LoadSettings(settings, notices));
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(StoreFolderEntries(), std::vector<std::string>{"kzt.json"});
    ExpectDefaultsInFile();
}

TEST_F(SettingsLoad, PinsKeepTheLowEightBitsAndSwitchesAreOnWhenNonZero) {
    auto members = With(DefaultMembers(), "tms_pin0", "259");
    members = With(members, "sob_pin", "256");
    members = With(members, "soa_pin", "-1");
    members = With(members, "tck_pin0", "2147483647");
    members = With(members, "lpt_addr", "-2147483648");
    members = With(members, "speed run", "5");
    members = With(members, "show Z", "-1");
    members = With(members, "active mode", "0");
    WriteStore(members);
    Settings settings;
    ASSERT_TRUE(MakeStore().LoadSettings(settings));
    EXPECT_EQ(settings.Pins.TmsPin[0], 3);
    EXPECT_EQ(settings.Pins.SobPin, 0);
    EXPECT_EQ(settings.Pins.SoaPin, 255);
    EXPECT_EQ(settings.Pins.TckPin[0], 255);
    EXPECT_EQ(settings.Pins.PortBase, -2147483648);
    EXPECT_TRUE(settings.SpeedRun);
    EXPECT_TRUE(settings.ShowZ);
    EXPECT_FALSE(settings.ActiveMode);
}

TEST_F(SettingsLoad, DefaultWriteOverwritesOnlyTheDefaultSet) {
    auto members = With(DefaultMembers(), "sia_pin", "null");
    members = With(members, "always_on_top", "0");
    members = With(members, "instdir", "\"/opt/kept\"");
    members = With(members, "refresh windows", "0");
    members = With(members, "port", "\"ppdev\"");
    members = With(members, "user note", "\"hello\"");
    WriteStore(members);

    Settings settings;
    settings.InstallDir = "/in/memory";
    ASSERT_TRUE(MakeStore().LoadSettings(settings));

    const QJsonObject stored = StoreObject();
    EXPECT_EQ(stored.value("always_on_top").toInt(), 1);
    EXPECT_EQ(stored.value("instdir").toString(), "/opt/kept");
    EXPECT_EQ(stored.value("refresh windows").toInt(), 0);
    EXPECT_EQ(stored.value("port").toString(), "ppdev");
    EXPECT_EQ(stored.value("user note").toString(), "hello");
    // instdir is not read on this path: memory keeps what it had. The port
    // choice does not belong to the reset set and is still read.
    EXPECT_EQ(settings.InstallDir, "/in/memory");
    EXPECT_EQ(settings.Port, PortKind::Ppdev);
}

TEST_F(SettingsLoad, InstallFolderIsOptionalButMustBeText) {
    WriteStore(DefaultMembers());
    Settings settings;
    settings.InstallDir = "/stale";
    ASSERT_TRUE(MakeStore().LoadSettings(settings));
    EXPECT_EQ(settings.InstallDir, ""); // missing reads as empty

    WriteStore(With(DefaultMembers(), "instdir", "\"\""));
    settings.InstallDir = "/stale";
    ASSERT_TRUE(MakeStore().LoadSettings(settings));
    EXPECT_EQ(settings.InstallDir, "");

    WriteStore(With(With(DefaultMembers(), "instdir", "42"), "lpt_addr", "632"));
    settings.InstallDir = "/before";
    ASSERT_TRUE(MakeStore().LoadSettings(settings));
    EXPECT_EQ(settings.Pins.PortBase, 888);
    EXPECT_EQ(StoreObject().value("lpt_addr").toInt(), 888);
    EXPECT_EQ(settings.InstallDir, "/before");
    // Kept in the copy aside, dropped from the store so that the next start
    // does not reset again.
    EXPECT_NE(ReadFile(AsidePath()).find("\"instdir\": 42"), std::string::npos);
    EXPECT_FALSE(StoreObject().contains("instdir"));
    ExpectSettledLoad();
}

TEST_F(SettingsLoad, PortChoiceMissingValidOrInvalid) {
    struct Case {
        const char* Port;
        const char* Board;
        PortKind ExpectedPort;
        BoardKind ExpectedBoard;
        std::size_t Notices; // one for each value present but unknown
    };
    const Case cases[] = {
        {nullptr, nullptr, PortKind::Board, BoardKind::Demo, 0},
        {"\"board\"", "\"loopback\"", PortKind::Board, BoardKind::Loopback, 0},
        {"\"ppdev\"", "\"open\"", PortKind::Ppdev, BoardKind::Open, 0},
        {"\"direct\"", nullptr, PortKind::Direct, BoardKind::Demo, 0},
        {"\"DIRECT\"", "\"Open\"", PortKind::Direct, BoardKind::Open, 0},
        {"\"board\"", "\"Demo\"", PortKind::Board, BoardKind::Demo, 0},
        {"\"ppdv\"", "\"shorted\"", PortKind::Board, BoardKind::Demo, 2},
        {"\"\"", nullptr, PortKind::Board, BoardKind::Demo, 1},
        {"1", "true", PortKind::Board, BoardKind::Demo, 2},
        {nullptr, "[\"open\"]", PortKind::Board, BoardKind::Demo, 1},
        {nullptr, "\"file\"", PortKind::Board, BoardKind::Demo, 1}, // but no "board file"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Port ? c.Port : "-") + " " + (c.Board ? c.Board : "-"));
        auto members = With(DefaultMembers(), "lpt_addr", "632");
        if (c.Port != nullptr) {
            members = With(members, "port", c.Port);
        }
        if (c.Board != nullptr) {
            members = With(members, "board", c.Board);
        }
        WriteStore(members);
        const std::string before = StoreText();

        Settings settings = Unusual();
        std::vector<std::string> notices;
        ASSERT_TRUE(MakeStore().LoadSettings(settings, notices));
        EXPECT_EQ(notices.size(), c.Notices);
        EXPECT_EQ(settings.Port, c.ExpectedPort);
        EXPECT_EQ(settings.Board, c.ExpectedBoard);
        // An unknown choice neither resets the other values nor is rewritten.
        EXPECT_EQ(settings.Pins.PortBase, 632);
        EXPECT_EQ(StoreText(), before);
    }
}

// A classroom machine keeps the faults prepared for its simulated board; a
// value that cannot be read leaves the board without faults and says so.
TEST_F(SettingsLoad, FaultsPreparedForTheBoard) {
    const struct {
        const char* Stored;
        const char* Expected; // as written back; nullptr: refused
    } cases[] = {
        {"\"N3=stuck0, n5+N6=SHORT\"", "N3=stuck0, n5+N6=short"},
        {"\"random:42\"", "random:42"},
        {"\"\"", ""},
        {"\"N3=melted\"", nullptr},
        {"\"N3+N3=short\"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        WriteStore(With(With(DefaultMembers(), "faults", c.Stored), "faults revealed", "1"));
        Settings settings = Unusual();
        std::vector<std::string> notices;
        ASSERT_TRUE(MakeStore().LoadSettings(settings, notices));
        EXPECT_EQ(notices.size(), c.Expected ? 0U : 1U);
        EXPECT_EQ(FaultChoiceText(settings.Faults), c.Expected ? c.Expected : "");
        EXPECT_TRUE(settings.Faults.Revealed);
    }
    Settings prepared;
    prepared.Faults = {{}, 7, true};
    ASSERT_TRUE(MakeStore().SaveSettings(prepared));
    Settings read;
    std::vector<std::string> notices;
    ASSERT_TRUE(MakeStore().LoadSettings(read, notices));
    EXPECT_EQ(read.Faults, prepared.Faults);
}

} // namespace
} // namespace scanbench::testing
