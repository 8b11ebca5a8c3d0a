#include "cli/headless_run.h"
#include "scratch_folder.h"
#include "vcd_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace scanbench {
namespace {

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

using testing::Contents;

Outcome RunProgram(const std::string& program, RunnerOptions options = {}, Settings settings = {}) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunHeadless(options, settings, program, out, err);
    return {code, out.str(), err.str()};
}

RunnerOptions OnBoard(BoardKind board) {
    RunnerOptions options;
    options.Board = board;
    return options;
}

TEST(HeadlessRun, LoopbackCompareThatPassesEndsAtHalt) {
    const Outcome o = RunProgram("RST;\nSTATE DRSHIFT;\nLD CNT,8d;\nNSHFCP A5h,A5h,FFh;\n"
                                 "JERR bad;\nHALT;\nbad: NOP;\n",
                                 OnBoard(BoardKind::Loopback));
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
    RunnerOptions options = OnBoard(BoardKind::Loopback);
    options.MaxSteps = 1000;
    const Outcome o = RunProgram("SSA1;\nWSA1;\nSSB1;\nWSB1;\nSSA0;\nWSA0;\nHALT;\n", options);
    EXPECT_EQ(o.code, 0) << o.out;
    EXPECT_NE(o.out.find("end: halt"), std::string::npos) << o.out;
    const Outcome waiting = RunProgram("SSA1;\nWSA0;\nHALT;\n", options); // SIA follows SOA
    EXPECT_EQ(waiting.code, 3);
    EXPECT_NE(waiting.out.find("status: Waiting SIA to go low..."), std::string::npos);
}

TEST(HeadlessRun, PortThatCannotBeOpenedStopsBeforeRunning) {
    RunnerOptions options;
    options.Port = PortKind::Ppdev;
    Settings settings;
    settings.Pins.PortBase = 1; // no device of its own, and /dev/parport0 is not there either
    const Outcome o = RunProgram("RST;\nHALT;\n", options, settings);
    EXPECT_EQ(o.code, 2);
    EXPECT_NE(o.err.find("Couldnt start driver. Something wrong !"), std::string::npos);
    EXPECT_NE(o.err.find("ppdev port at 1, not 888, 632 or 956"), std::string::npos) << o.err;
    EXPECT_EQ(o.out, ""); // no result lines: nothing ran
}

using HeadlessExport = testing::ScratchFolder;

TEST_F(HeadlessExport, ExportsTheEventsWithCrLf) {
    const auto path = Folder / "events.txt";
    RunnerOptions options = OnBoard(BoardKind::Loopback);
    options.EventsFile = path.string();
    const Outcome o = RunProgram("TMS1;\nHALT;\n", options);
    ASSERT_EQ(o.code, 0);
    const std::string s = Contents(path);
    EXPECT_TRUE(s.starts_with("//\r\n"));
    EXPECT_NE(s.find("\r\n\r\n0, 1, 0, 0, 1, "), std::string::npos);
    EXPECT_TRUE(s.ends_with("4, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r\n")) << s;
    EXPECT_EQ(Entries(), std::vector<std::string>{"events.txt"});

    options.EventsFile = "/nonexistent-folder/events.txt";
    const Outcome failed = RunProgram("HALT;\n", options);
    EXPECT_EQ(failed.code, 2);
    EXPECT_NE(failed.err.find("cannot write"), std::string::npos);
    EXPECT_EQ(failed.out, "");
}

TEST_F(HeadlessExport, RefusesDevicesAndTheProgramItselfBeforeRunning) {
    const auto program = Folder / "prog.bst";
    testing::WriteText(program, "TMS1;\r\nHALT;\r\n");
    ASSERT_EQ(::mkfifo((Folder / "fifo").c_str(), 0600), 0);
    std::vector<std::filesystem::path> refused{program, Folder / "fifo"};
    if (::mknod((Folder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        refused.push_back(Folder / "null"); // as root: a device node of our own
    }
    for (const auto& target : refused) {
        RunnerOptions options;
        options.ProgramFile = program.string();
        options.EventsFile = target.string();
        const Outcome o = RunProgram("TMS1;\nHALT;\n", options);
        EXPECT_EQ(o.code, 2) << target;
        EXPECT_EQ(o.out, "") << target;
        EXPECT_NE(o.err.find("cannot write " + target.string()), std::string::npos) << o.err;
        EXPECT_FALSE(std::filesystem::is_regular_file(target) && target != program) << target;
    }
    EXPECT_EQ(Contents(program), "TMS1;\r\nHALT;\r\n");
}

TEST_F(HeadlessExport, LinkAtAnOldTemporaryNameIsNotWrittenThrough) {
    testing::WriteText(Folder / "victim.txt", "precious");
    std::filesystem::create_symlink(Folder / "victim.txt", Folder / "events.txt.part");
    RunnerOptions options;
    options.EventsFile = (Folder / "events.txt").string();
    ASSERT_EQ(RunProgram("TMS1;\nHALT;\n", options).code, 0);
    EXPECT_EQ(Contents(Folder / "victim.txt"), "precious");
    EXPECT_TRUE(Contents(Folder / "events.txt").starts_with("//\r\n"));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"events.txt", "events.txt.part", "victim.txt"}));
}

TEST(HeadlessRun, DemoBoardIsTheDefaultAndItsChipsAreReported) {
    // U3's IDCODE 15CB3FFDh leaves bit 0 first: written in arrival order it reads BFFCD3A8h.
    const Outcome o = RunProgram("SELTAP1;\nRST;\nSTATE DRSHIFT;\nLD CNT,32d;\n"
                                 "NSHFCP 0h,BFFCD3A8h,FFFFFFFFh;\nHALT;\n");
    EXPECT_EQ(o.code, 0);
    EXPECT_NE(o.out.find("tap1: state=DREXIT1 counter=00000020h flags=00000000b\n"),
              std::string::npos)
        << o.out;
    EXPECT_NE(o.out.find("chip U1: tap0 state="), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("chip U3: tap1 state=DREXIT1 instruction=IDCODE dr=IDCODE "
                         "leds=00000000b switches=00000000b\nsync: SIA=0 SIB=0\n"),
              std::string::npos)
        << o.out;
}

TEST(HeadlessRun, SwitchesAreSetBeforeTheRunAndOnlyOnTheDemoBoard) {
    RunnerOptions options;
    options.Switches = {{"U3", 0x0F}, {"sia", 1}};
    const Outcome o = RunProgram("WSA1;\nHALT;\n", options);
    EXPECT_EQ(o.code, 0);
    EXPECT_NE(o.out.find("leds=00001111b switches=00001111b\nsync: SIA=1 SIB=0"), std::string::npos)
        << o.out;

    options.Switches = {{"U9", 1}};
    const Outcome unknown = RunProgram("HALT;\n", options);
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("no switch named 'U9'"), std::string::npos);

    options = OnBoard(BoardKind::Loopback);
    options.Switches = {{"SIA", 1}};
    const Outcome wired = RunProgram("HALT;\n", options);
    EXPECT_EQ(wired.code, 2);
    EXPECT_NE(wired.err.find("needs a board of chips"), std::string::npos);
    EXPECT_EQ(wired.out, "");
}

// The dump is written while the program runs; it agrees with the export of
// the same run, and its state vectors end where the models ended.
TEST_F(HeadlessExport, DumpsTheRunAsAWellFormedVcdThatAgreesWithTheExport) {
    RunnerOptions options = OnBoard(BoardKind::Loopback); // SIA follows SOA, so WSA1 completes
    options.MaxSteps = 1000;
    options.EventsFile = (Folder / "events.txt").string();
    options.VcdFile = (Folder / "run.vcd").string();
    const Outcome o = RunProgram("RST;\nSTATE DRSHIFT;\nLD CNT,8d;\nNSHFCP A5h,A5h,FFh;\n"
                                 "SELTAP1;\nRST;\nSTATE IRPAUSE;\nSSA1;\nWSA1;\nHALT;\n",
                                 options);
    ASSERT_EQ(o.code, 0) << o.err << o.out;
    const auto dump = testing::ReadVcd(Contents(Folder / "run.vcd"));
    ASSERT_EQ(dump.Error, "");
    EXPECT_EQ(testing::CompareWithExport(dump, Contents(Folder / "events.txt")), "");
    EXPECT_NE(o.out.find("tap0: state=DREXIT1"), std::string::npos) << o.out;
    EXPECT_EQ(dump.Steps.back().at("tap0.state"), "1000");
    EXPECT_EQ(dump.Steps.back().at("tap1.state"), "1011");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"events.txt", "run.vcd"}))
        << "no temporary file left";

    // A file that cannot be written is reported before the run.
    options.EventsFile.reset();
    options.VcdFile = Folder.string();
    const Outcome refused = RunProgram("HALT;\n", options);
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("cannot write " + Folder.string()), std::string::npos)
        << refused.err;
    EXPECT_EQ(refused.out, "");
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
