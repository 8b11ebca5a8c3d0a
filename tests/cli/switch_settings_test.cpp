#include "board/chip_board.h"
#include "board/demo_board.h"
#include "cli/switch_settings.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

using Settings = std::vector<SwitchSetting>;

Settings Parsed(std::string_view text) {
    auto parsed = ParseSwitchSettings(text);
    EXPECT_TRUE(std::holds_alternative<Settings>(parsed)) << text;
    return std::holds_alternative<Settings>(parsed) ? std::get<Settings>(parsed) : Settings{};
}

std::string Problem(std::string_view text) {
    auto parsed = ParseSwitchSettings(text);
    EXPECT_TRUE(std::holds_alternative<std::string>(parsed)) << text;
    return std::holds_alternative<std::string>(parsed) ? std::get<std::string>(parsed) : "";
}

TEST(SwitchSettings, ParsesNamesAndValuesInEveryBase) {
    EXPECT_EQ(Parsed("U1=0x5A,U3=0x0F,SIA=1"), (Settings{{"U1", 0x5A}, {"U3", 0x0F}, {"SIA", 1}}));
    EXPECT_EQ(Parsed(" u2 = 0b1010 , sib=0 ,U1=255"),
              (Settings{{"u2", 0b1010}, {"sib", 0}, {"U1", 255}}));
    EXPECT_EQ(Parsed("U1=0XfF"), (Settings{{"U1", 0xFF}}));
}

TEST(SwitchSettings, RejectsWhatCannotBeMeant) {
    EXPECT_EQ(Problem(""), "expected NAME=VALUE, not ''");
    EXPECT_EQ(Problem("U1=1,"), "expected NAME=VALUE, not ''");
    EXPECT_EQ(Problem("U1"), "expected NAME=VALUE, not 'U1'");
    EXPECT_EQ(Problem("=5"), "a switch name is missing before '=5'");
    for (const char* bad : {"U1=", "U1=0x", "U1=-1", "U1=+1", "U1=5A", "U1=0b2", "U1=1 2",
                            "U1=99999999999999999999"}) {
        EXPECT_NE(Problem(bad).find("U1 takes a number (decimal"), std::string::npos) << bad;
    }
    EXPECT_NE(Problem("SIA=2").find("SIA takes a number from 0 to 1"), std::string::npos);
}

TEST(SwitchSettings, ApplyFindsChipsAndSyncSwitchesByName) {
    ChipBoard board(DemoBoard());
    EXPECT_EQ(ApplySwitchSettings({{"u3", 0x0F}, {"U1", 1}, {"U1", 0x5A}, {"Sib", 1}}, board),
              std::nullopt);
    EXPECT_EQ(board.Chip(0).Switches, 0x5A) << "a later setting wins";
    EXPECT_EQ(board.Chip(1).Switches, 0x00);
    EXPECT_EQ(board.Chip(2).Switches, 0x0F);
    EXPECT_FALSE(board.SyncSwitchHigh(SyncSwitch::A));
    EXPECT_TRUE(board.SyncSwitchHigh(SyncSwitch::B));
    EXPECT_EQ(ApplySwitchSettings({{"U4", 1}}, board), "the board has no switch named 'U4'");
    EXPECT_EQ(ApplySwitchSettings({{"U1", 256}}, board), "U1 takes a number from 0 to 255, not 256")
        << "a bank of eight switches";
}

} // namespace
} // namespace scanbench
