#include "settings/store_values.h"
#include "store_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace scanbench::testing {
namespace {

using SettingsViewValues = StoreFixture;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(SettingsViewValues, ReadBackWithoutDisturbingTheRest) {
    WriteStore(With(With(With(DefaultMembers(), "zoom", "150"), "line numbers", "1"),
                    "program folder", "\"/home/t/lessons\""));
    Settings settings;
    std::vector<std::string> notices;
    ASSERT_TRUE(MakeStore().LoadSettings(settings, notices));
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(settings.Zoom, 150);
    EXPECT_TRUE(settings.LineNumbers);
    EXPECT_EQ(settings.ProgramFolder, "/home/t/lessons");

    const Settings before = settings;
    settings.Zoom = 200;
    // Another window turned the line numbers off meanwhile: that stays.
    WriteStore(With(With(With(DefaultMembers(), "zoom", "150"), "line numbers", "0"),
                    "program folder", "\"/home/t/lessons\""));
    ASSERT_TRUE(MakeStore().SaveViewValues(before, settings, notices));
    EXPECT_EQ(StoreObject().value("zoom").toInt(), 200);
    EXPECT_EQ(StoreObject().value("line numbers").toInt(), 0);
    EXPECT_FALSE(std::filesystem::exists(AsidePath()));
    ExpectSettledLoad();
}

TEST_F(SettingsViewValues, UnusableValuesAreReportedAndKeptAsideBeforeTheyAreReplaced) {
    WriteStore(With(With(DefaultMembers(), "zoom", "175"), "line numbers", "\"yes\""));
    const std::string before = StoreText();
    Settings settings;
    std::vector<std::string> notices;
    ASSERT_TRUE(MakeStore().LoadSettings(settings, notices));
    EXPECT_EQ(settings.Zoom, 100);
    EXPECT_FALSE(settings.LineNumbers);
    ASSERT_EQ(notices.size(), 2U);
    EXPECT_NE(notices[0].find("\"zoom\" 175"), std::string::npos) << notices[0];
    EXPECT_EQ(StoreText(), before) << "reading changes nothing";

    notices.clear();
    ASSERT_TRUE(MakeStore().SaveViewValues(settings, settings, notices));
    ASSERT_EQ(notices.size(), 1U);
    EXPECT_NE(notices[0].find(AsidePath().string()), std::string::npos);
    EXPECT_EQ(ReadText(AsidePath()), before);
    EXPECT_EQ(StoreObject().value("zoom").toInt(), 100);
    EXPECT_EQ(StoreObject().value("lpt_addr").toInt(), Settings{}.Pins.PortBase);
}

TEST(SettingsZoomLevels, StepWithinTheLevels) {
    EXPECT_EQ(ZoomStep(100, 1), 150);
    EXPECT_EQ(ZoomStep(200, 1), 200);
    EXPECT_EQ(ZoomStep(150, -1), 100);
    EXPECT_EQ(ZoomStep(100, -1), 100);
    EXPECT_EQ(ZoomStep(175, 1), 150) << "not a level: from 100";
}

} // namespace
} // namespace scanbench::testing
