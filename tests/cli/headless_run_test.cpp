#include "cli/headless_run.h"
#include "vcd_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace scanbench {
namespace {

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome RunProgram(const std::string& program, RunnerOptions options = {}, Settings settings = {}) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunHeadless(options, settings, program, out, err);
    return {code, out.str(), err.str()};
}

TEST(HeadlessRun, LoopbackCompareThatPassesEndsAtHalt) {
    const Outcome o = RunProgram("RST;\nSTATE DRSHIFT;\nLD CNT,8d;\nNSHFCP A5h,A5h,FFh;\n"
                                 "JERR bad;\nHALT;\nbad: NOP;\n");
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "status: HALT\n"
                     "end: halt\n"
                     "line: 6\n"
                     "tap0: state=DREXIT1 counter=00000008h flags=00000000b\n"
                     "tap1: state=IDLE counter=00000000h flags=00000000b\n"
                     "events: 40 played: 40\n");
}

TEST(HeadlessRun, OpenBoardReadsAllOnesSoTheCompareFails) {
    RunnerOptions options;
    options.Board = BoardKind::Open;
    const Outcome o = RunProgram("RST;\nSTATE DRSHIFT;\nLD CNT,8d;\nNSHFCP A5h,A5h,FFh;\n"
                                 "JNERR good;\nSERFLG7;\nHALT;\ngood: NOP;\n",
                                 options);
    EXPECT_EQ(o.code, 0);
    EXPECT_NE(o.out.find("flags=00000001b"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("end: halt"), std::string::npos);
}

TEST(HeadlessRun, ErrorsEndWithCodeOne) {
    const Outcome o = RunProgram("RST;\nSTATE NOWHERE;\nHALT;");
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.out.find("status: Error: state not known\nend: error\nline: 2\n"),
              std::string::npos)
        << o.out;
}

TEST(HeadlessRun, RunningOffTheEndIsEndOfText) {
    const Outcome o = RunProgram("RST;\nTMS0;\n");
    EXPECT_EQ(o.code, 0);
    EXPECT_NE(o.out.find("status: Line processed\nend: end-of-text\nline: 3\n"), std::string::npos)
        << o.out;
}

TEST(HeadlessRun, StepLimitEndsWithCodeThree) {
    RunnerOptions options;
    options.MaxSteps = 5;
    const Outcome o = RunProgram("L: TMS0;\nJMP L;\n", options);
    EXPECT_EQ(o.code, 3);
    EXPECT_NE(o.out.find("end: max-steps"), std::string::npos);
}

TEST(HeadlessRun, BeforeTheFirstStepTheStatusIsReset) {
    RunnerOptions options;
    options.MaxSteps = 0;
    const Outcome o = RunProgram("RST;\n", options);
    EXPECT_NE(o.out.find("status: Reset\n"), std::string::npos) << o.out;
}

TEST(HeadlessRun, WaitsCompleteThroughTheLoopbackSyncWires) {
    const Outcome o = RunProgram("SSA1;\nWSA1;\nSSB1;\nWSB1;\nSSA0;\nWSA0;\nHALT;\n");
    EXPECT_EQ(o.code, 0) << o.out;
    EXPECT_NE(o.out.find("end: halt"), std::string::npos) << o.out;
    RunnerOptions options;
    options.MaxSteps = 1000;
    const Outcome waiting = RunProgram("SSA1;\nWSA0;\nHALT;\n", options); // SIA follows SOA
    EXPECT_EQ(waiting.code, 3);
    EXPECT_NE(waiting.out.find("status: Waiting SIA to go low..."), std::string::npos);
}

TEST(HeadlessRun, UnavailablePortIsReportedButTheProgramStillRuns) {
    RunnerOptions options;
    options.Port = PortKind::Ppdev;
    Settings settings;
    settings.Pins.PortBase = 1; // no such device
    const Outcome o = RunProgram("RST;\nHALT;\n", options, settings);
    EXPECT_NE(o.err.find("Couldnt start driver. Something wrong !"), std::string::npos);
    EXPECT_NE(o.out.find("end: halt"), std::string::npos);
}

TEST(HeadlessRun, ExportsTheEventsWithCrLf) {
    const auto path = std::filesystem::temp_directory_path() / "scanbench_headless_export.txt";
    RunnerOptions options;
    options.EventsFile = path.string();
    const Outcome o = RunProgram("TMS1;\nHALT;\n", options);
    ASSERT_EQ(o.code, 0);
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const std::string s = text.str();
    EXPECT_TRUE(s.starts_with("//\r\n"));
    EXPECT_NE(s.find("\r\n\r\n0, 1, 0, 0, 1, "), std::string::npos);
    EXPECT_TRUE(s.ends_with("4, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r\n")) << s;
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".part"));
    std::filesystem::remove(path);

    options.EventsFile = "/nonexistent-folder/events.txt";
    const Outcome failed = RunProgram("HALT;\n", options);
    EXPECT_EQ(failed.code, 2);
    EXPECT_NE(failed.err.find("cannot write"), std::string::npos);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The dump is written while the program runs; it agrees with the export of
// the same run, and its state vectors end where the models ended.
TEST(HeadlessRun, DumpsTheRunAsAWellFormedVcdThatAgreesWithTheExport) {
    const auto folder = std::filesystem::temp_directory_path() / "scanbench_headless_vcd";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    RunnerOptions options;
    options.EventsFile = (folder / "events.txt").string();
    options.VcdFile = (folder / "run.vcd").string();
    const Outcome o = RunProgram("RST;\nSTATE DRSHIFT;\nLD CNT,8d;\nNSHFCP A5h,A5h,FFh;\n"
                                 "SELTAP1;\nRST;\nSTATE IRPAUSE;\nSSA1;\nWSA1;\nHALT;\n",
                                 options);
    ASSERT_EQ(o.code, 0) << o.err;
    const auto dump = testing::ReadVcd(ReadFile(folder / "run.vcd"));
    ASSERT_EQ(dump.Error, "");
    EXPECT_EQ(testing::CompareWithExport(dump, ReadFile(folder / "events.txt")), "");
    EXPECT_NE(o.out.find("tap0: state=DREXIT1"), std::string::npos) << o.out;
    EXPECT_EQ(dump.Steps.back().at("tap0.state"), "1000");
    EXPECT_EQ(dump.Steps.back().at("tap1.state"), "1011");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2)
        << "no temporary file left";

    // A file that cannot be written is reported before the run.
    options.EventsFile.reset();
    options.VcdFile = folder.string();
    const Outcome refused = RunProgram("HALT;\n", options);
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("not a regular file"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out, "");
    std::filesystem::remove_all(folder);
}

TEST(HeadlessRun, ActiveModeOffKeepsOnlyTheLastChunks) {
    RunnerOptions options;
    options.ActiveMode = false;
    const Outcome o = RunProgram("SELTAP1;\nLD CNT,20d;\nL: SELTAP0;\nLD CNT,9999d;\nNSHF 0h;\n"
                                 "SELTAP1;\nDEC;\nJNZ L;\nHALT;\n",
                                 options);
    EXPECT_EQ(o.code, 0);
    // 20 shifts of 20000 events each; before the HALT is fetched the store is
    // trimmed to its last three chunks.
    EXPECT_NE(o.out.find("events: 150001 played: 150001"), std::string::npos) << o.out;
}

} // namespace
} // namespace scanbench
