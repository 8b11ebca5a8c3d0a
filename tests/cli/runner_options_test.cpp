#include "cli/runner_options.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace scanbench {
namespace {

RunnerOptions Parse(const std::vector<std::string>& arguments) {
    auto parsed = ParseRunnerOptions(arguments);
    EXPECT_TRUE(std::holds_alternative<RunnerOptions>(parsed));
    return std::holds_alternative<RunnerOptions>(parsed) ? std::get<RunnerOptions>(parsed)
                                                         : RunnerOptions{};
}

std::string Error(const std::vector<std::string>& arguments) {
    auto parsed = ParseRunnerOptions(arguments);
    EXPECT_TRUE(std::holds_alternative<UsageError>(parsed));
    return std::holds_alternative<UsageError>(parsed) ? std::get<UsageError>(parsed).Message : "";
}

TEST(RunnerOptions, EveryOptionOverrides) {
    const RunnerOptions o = Parse({"--board", "open", "--port", "ppdev", "--events", "ev.txt",
                                   "--vcd", "run.vcd", "--max-steps", "1000", "--active-mode",
                                   "off", "--switches", "U1=0x5A,SIA=1", "p.bst"});
    EXPECT_EQ(o.Board, BoardKind::Open);
    EXPECT_EQ(o.Port, PortKind::Ppdev);
    EXPECT_EQ(o.EventsFile, "ev.txt");
    EXPECT_EQ(o.VcdFile, "run.vcd");
    EXPECT_EQ(o.MaxSteps, 1000U);
    EXPECT_EQ(o.ActiveMode, false);
    EXPECT_EQ(o.Switches, (std::vector<SwitchSetting>{{"U1", 0x5A}, {"SIA", 1}}));
    EXPECT_EQ(o.ProgramFile, "p.bst");
}

TEST(RunnerOptions, ProgramAloneLeavesTheSettingsAlone) {
    const RunnerOptions o = Parse({"p.bst"});
    EXPECT_FALSE(o.Board || o.Port || o.EventsFile || o.MaxSteps || o.ActiveMode);
    EXPECT_TRUE(o.Switches.empty());
    EXPECT_EQ(Parse({"--", "--odd.bst"}).ProgramFile, "--odd.bst");
}

TEST(RunnerOptions, BadCommandLinesSayWhatIsWrong) {
    EXPECT_EQ(Error({}), "no program file given");
    EXPECT_EQ(Error({"--verbose", "p.bst"}), "unknown option: --verbose");
    EXPECT_EQ(Error({"p.bst", "--board"}), "option --board needs a value");
    EXPECT_NE(Error({"--board", "closed", "p.bst"})
                  .find("demo, interconnect, loopback, open or a board file"),
              std::string::npos);
    EXPECT_EQ(Parse({"--board", "demo", "p.bst"}).Board, BoardKind::Demo);
    EXPECT_EQ(Parse({"--board", "My.JSON", "p.bst"}).Board,
              BoardChoice(BoardKind::File, "My.JSON"));
    EXPECT_EQ(Parse({"--board", "boards/x", "p.bst"}).Board,
              BoardChoice(BoardKind::File, "boards/x"));
    EXPECT_NE(Error({"--switches", "U1", "p.bst"}).find("--switches: expected NAME=VALUE"),
              std::string::npos);
    EXPECT_NE(Error({"--max-steps", "-1", "p.bst"}).find("whole number"), std::string::npos);
    EXPECT_NE(Error({"--max-steps", "12x", "p.bst"}).find("whole number"), std::string::npos);
    EXPECT_NE(Error({"--active-mode", "yes", "p.bst"}).find("on or off"), std::string::npos);
    EXPECT_NE(Error({"a.bst", "b.bst"}).find("more than one"), std::string::npos);
    EXPECT_NE(Error({"--to-bst", "a.bst"}).find("translates an SVF file"), std::string::npos);
    EXPECT_NE(Error({"--to-bst", "--serve-board", "0"}).find("--to-bst"), std::string::npos);
    EXPECT_TRUE(Parse({"--to-bst", "--svf-tap", "1", "A.SVF"}).ToBst);
}

TEST(RunnerOptions, ServingTakesOnlyTheOptionsItUses) {
    const RunnerOptions o =
        Parse({"--serve-board", "0", "--serve-tap", "1", "--switches", "U3=15"});
    EXPECT_EQ(o.ServeBoardPort, 0);
    EXPECT_EQ(o.ServeTap, 1);
    EXPECT_EQ(Parse({"--serve-board", "3335"}).ServeTap, 0);
    for (const auto& [option, value] :
         std::vector<std::pair<std::string, std::string>>{{"--port", "remote"},
                                                          {"--events", "e.txt"},
                                                          {"--svf", "s.svf"},
                                                          {"--max-steps", "5"}}) {
        EXPECT_EQ(Error({"--serve-board", "0", option, value}),
                  option + " has no effect on --serve-board, which runs no program");
    }
    EXPECT_EQ(Error({"--serve-board", "0", "--board", "loopback"}),
              "--serve-board serves a board of chips: --board demo, interconnect or a board file");
    EXPECT_EQ(Error({"--serve-tap", "1", "p.bst"}), "--serve-tap needs --serve-board");
    EXPECT_NE(Error({"--serve-board", "0", "--serve-tap", "2"}).find("0 or 1"), std::string::npos);
}

TEST(RunnerOptions, FaultsAddUpAndAreRefusedWhenTheyCannotBeMeant) {
    const RunnerOptions o = Parse({"--board", "interconnect", "--fault", "N3=stuck0", "--fault",
                                   "n5+N6=SHORT", "--reveal-faults", "p.bst"});
    EXPECT_EQ(o.Board, BoardKind::Interconnect);
    EXPECT_EQ(NetFaultListText(o.Faults.Faults), "N3=stuck0, n5+N6=short");
    EXPECT_TRUE(o.Faults.Revealed);
    EXPECT_EQ(Parse({"--fault=random:42", "p.bst"}).Faults.Seed, 42U);
    EXPECT_EQ(Parse({"--serve-board", "0", "--fault", "N1=open"}).Faults.Faults.size(), 1U);

    EXPECT_EQ(Error({"--fault", "N2+n2=short", "p.bst"}),
              "--fault: a net cannot be shorted to itself: N2+n2=short");
    EXPECT_NE(Error({"--fault", "N2=broken", "p.bst"}).find("stuck0, stuck1, open or short"),
              std::string::npos);
    EXPECT_NE(Error({"--fault", "N2=short", "p.bst"}).find("two nets"), std::string::npos);
    EXPECT_NE(Error({"--fault", "N2+N3=open", "p.bst"}).find("only a short"), std::string::npos);
    EXPECT_NE(Error({"--fault", "random:x", "p.bst"}).find("whole number"), std::string::npos);
    EXPECT_NE(Error({"--fault", "random:1", "--fault", "N1=open", "p.bst"}).find("no other"),
              std::string::npos);
    EXPECT_EQ(Error({"--reveal-faults", "p.bst"}), "--reveal-faults needs --fault");
}

TEST(RunnerOptions, ValuesIgnoreCaseAndMayFollowAnEqualsSign) {
    const RunnerOptions o =
        Parse({"--board", "OPEN", "--active-mode", "ON", "--port=PpDev", "--max-steps=7", "p.bst"});
    EXPECT_EQ(o.Board, BoardKind::Open);
    EXPECT_EQ(o.ActiveMode, true);
    EXPECT_EQ(o.Port, PortKind::Ppdev);
    EXPECT_EQ(o.MaxSteps, 7U);
    EXPECT_EQ(Parse({"--active-mode", "Off", "p.bst"}).ActiveMode, false);
}

TEST(RunnerOptions, HelpAndVersionNeedNoProgram) {
    for (const char* option : {"--help", "-h"}) {
        const auto parsed = ParseRunnerOptions({option});
        ASSERT_TRUE(std::holds_alternative<RunnerInformation>(parsed)) << option;
        const std::string& text = std::get<RunnerInformation>(parsed).Text;
        EXPECT_TRUE(text.starts_with(RunnerUsage())) << text;
        EXPECT_NE(text.find("--max-steps N"), std::string::npos) << text;
    }
    const auto version = ParseRunnerOptions({"p.bst", "--version"});
    ASSERT_TRUE(std::holds_alternative<RunnerInformation>(version));
    EXPECT_TRUE(std::get<RunnerInformation>(version).Text.starts_with("scanbench-run "));
}

TEST(RunnerOptions, FileNamesKeepTheirBytes) {
    EXPECT_EQ(Parse({"--events", "\xFF\xFE.txt", "caf\xE9.bst"}).EventsFile, "\xFF\xFE.txt");
    EXPECT_EQ(Parse({"caf\xE9.bst"}).ProgramFile, "caf\xE9.bst");
}

} // namespace
} // namespace scanbench
