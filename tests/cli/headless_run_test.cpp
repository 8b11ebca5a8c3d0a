#include "cli/headless_run.h"
#include "fake_ppdev_system.h"
#include "port/ppdev_port.h"
#include "scratch_folder.h"
#include "vcd_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
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

Outcome RunProgram(const std::string& program, RunnerOptions options = {}, Settings settings = {},
                   const RunnerPortOpener& openPort = {}) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunHeadless(options, settings, program, out, err, nullptr, openPort);
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

TEST(HeadlessRun, PortThatCannotBeOpenedStopsBeforeRunningAndSaysWhy) {
    RunnerOptions options;
    options.Port = PortKind::Ppdev;
    Settings settings;
    settings.Pins.PortBase = 1; // no device of its own
    std::vector<std::string> journal;
    const auto deniedDevice = [&journal](const Settings& chosen) -> std::unique_ptr<PortAccess> {
        auto device = std::make_unique<FakePpdevSystem>(journal);
        device->OpenError = EACCES;
        return std::make_unique<PpdevPort>(chosen.Pins.PortBase, std::move(device));
    };
    const Outcome o = RunProgram("RST;\nHALT;\n", options, settings, deniedDevice);
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.err, "scanbench-run: ppdev port at 1, not 888, 632 or 956: /dev/parport0 is used.\n"
                     "scanbench-run: Couldnt start driver. Something wrong ! The ppdev port "
                     "cannot be opened; nothing was run.\n"
                     "scanbench-run: cannot open /dev/parport0: Permission denied (the user "
                     "needs read and write access to it: on Debian, membership of the group "
                     "lp)\n");
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

TEST_F(HeadlessExport, TwoOutputsNamingOneFileRunNothing) {
    std::filesystem::create_symlink("same.out", Folder / "alias.out"); // to a file still to come
    RunnerOptions options;
    options.EventsFile = (Folder / "same.out").string();
    options.VcdFile = (Folder / "run.vcd").string();
    options.SvfFile = (Folder / "alias.out").string();
    const Outcome o = RunProgram("TMS1;\nHALT;\n", options);
    EXPECT_EQ(o.code, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "scanbench-run: --events and --svf both write " + *options.SvfFile +
                         "; nothing was run\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"alias.out"});
}

// The SVF of a run carries what its NSHFCPs compare (what a replay checks),
// and says on standard error what SVF cannot; a dump of the same run is
// written beside it.
TEST_F(HeadlessExport, SvfCarriesTheComparisonsAndNamesWhatItCannotSay) {
    RunnerOptions options;
    options.SvfFile = (Folder / "run.svf").string();
    options.VcdFile = (Folder / "run.vcd").string();
    options.SvfTap = 1;
    const Outcome o = RunProgram("SELTAP1;\nRST;\nSSA1;\nWSA0;\nSTATE DRSHIFT;\nLD CNT,32d;\n"
                                 "NSHFCP 0h,BFFCD3A8h,FFFFFFFFh;\nSTATE IDLE;\nHALT;\n",
                                 options);
    ASSERT_EQ(o.code, 0) << o.err;
    // U3's IDCODE, its bit 0 shifted first, is what SVF writes as TDO.
    EXPECT_NE(Contents(Folder / "run.svf")
                  .find("SDR 32 TDI (00000000) TDO (15CB3FFD) MASK (FFFFFFFF);\n"),
              std::string::npos)
        << Contents(Folder / "run.svf");
    const auto dump = testing::ReadVcd(Contents(Folder / "run.vcd"));
    EXPECT_EQ(dump.Error, "");
    EXPECT_EQ(dump.Steps.back().at("tap1.state"), "0001") << "ends in Run-Test/Idle";
    EXPECT_NE(o.err.find("scanbench-run: --svf: line 3: SSA1 sets the synchronisation output SOA"),
              std::string::npos)
        << o.err;
    EXPECT_NE(o.err.find("scanbench-run: --svf: line 4: WSA0 waits for the synchronisation "
                         "input SIA"),
              std::string::npos)
        << o.err;
}

// A remote_bitbang server that answers every read twice: the second answer
// comes unasked, and would be taken for the answer to the next read.
TEST(HeadlessRun, ServerSendingBytesNobodyAskedForLosesThePort) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    std::thread server([listener] {
        const int client = ::accept(listener, nullptr, nullptr);
        char bytes[256];
        ssize_t n = 0;
        while ((n = ::recv(client, bytes, sizeof bytes, 0)) > 0) {
            for (ssize_t i = 0; i < n; ++i) {
                if (bytes[i] == 'R') {
                    (void)::send(client, "11", 2, MSG_NOSIGNAL);
                }
            }
        }
        ::close(client);
    });
    RunnerOptions options;
    options.Port = PortKind::Remote;
    Settings settings;
    settings.Remote = {"127.0.0.1", ntohs(address.sin_port)};
    const Outcome o =
        RunProgram("RST;\nSTATE DRSHIFT;\nLD CNT,8d;\nNSHF 0h;\nHALT;\n", options, settings);
    server.join();
    ::close(listener);
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.out.find("end: port-lost\n"), std::string::npos) << o.out;
    EXPECT_NE(o.err.find("sent bytes nobody asked for"), std::string::npos) << o.err;
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
