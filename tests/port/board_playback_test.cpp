// Whole programs played on the demo board through the same port interface
// the runner uses: a run of events played in one go must leave what single
// steps leave, down to the value change dump.

#include "engine/events/vcd_writer.h"
#include "engine/feed/engine_listener.h"
#include "engine/run/engine.h"
#include "port/port_signals.h"
#include "port/simulated_board_port.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace scanbench {
namespace {

// IDCODEs of U1 and U2, an instruction scan loading BYPASS, the data
// delayed by the two BYPASS bits; then U3's BYPASS on TAP 1.
constexpr std::string_view Program = "SELTAP0;\nRST;\nSTATE DRSHIFT;\nLD CNT,64d;\nSERFLG0;\n"
                                     "NSHFCP 0000000000000000h,BFF4D3A8BFF8D3A8h,\n"
                                     "FFFFFFFFFFFFFFFFh;\nSTATE IRSHIFT;\nLD CNT,8d;\nSERFLG1;\n"
                                     "NSHFCP FFh,AAh,FFh;\nSTATE DRSHIFT;\nSERFLG2;\n"
                                     "NSHFCP A5h,29h,FFh;\nSELTAP1;\nRST;\nSTATE IRSHIFT;\n"
                                     "LD CNT,4d;\nNSHFCP Fh,Ah,Fh;\nSTATE DRSHIFT;\nLD CNT,9d;\n"
                                     "SERFLG3;\nNSHFCP B38h,598h,FF8h;\nSTATE IDLE;\nHALT;\n";

// U3's BYPASS shifts a statement of several chunks' events, made as it
// is played, and a check after it.
constexpr std::string_view LongProgram =
    "SELTAP1;\nRST;\nSTATE IRSHIFT;\nLD CNT,4d;\nNSHF Fh;\n"
    "STATE DRSHIFT;\nLD CNT,120001d;\nNSHF 0h;\n"
    "STATE DRSHIFT;\nLD CNT,9d;\nSERFLG3;\nNSHFCP B38h,598h,FF8h;\n"
    "STATE IDLE;\nHALT;\n";

struct DemoRun {
    explicit DemoRun(bool inRuns, std::string_view program = Program, bool activeMode = true)
        : Text(program) {
        Engine_.Switches().ActiveMode = activeMode;
        Engine_.SetProgram(Text);
        Engine_.OpenProgram();
        const auto observing = Engine_.ObservePlayback(Recorder);
        if (inRuns) {
            Engine_.ExecuteSteps(UINT64_MAX);
        } else {
            while (!Engine_.State().Run.ProgramEnded) {
                Engine_.ExecuteStep();
            }
        }
        Recorder.Finish();
    }

    PinSettings Pins;
    SimulatedBoardPort Board{Pins, BoardKind::Demo};
    PortSignals Signals{Board, Pins};
    StringProgramText Text;
    Engine Engine_{Signals};
    std::ostringstream Dump;
    VcdRecorder Recorder{Dump, "today"};
};

void ExpectTheSame(DemoRun& single, DemoRun& runs) {
    EXPECT_EQ(single.Engine_.State().Run.ProgramEnded, runs.Engine_.State().Run.ProgramEnded);
    EXPECT_EQ(single.Engine_.Registers().Flags, runs.Engine_.Registers().Flags);
    const EventStore& a = single.Engine_.Events();
    const EventStore& b = runs.Engine_.Events();
    ASSERT_EQ(a.EventCount(), b.EventCount());
    EXPECT_EQ(a.PlayedCount(), b.PlayedCount());
    for (std::uint32_t i = 0; i < a.EventCount(); ++i) {
        ASSERT_EQ(a.GetEvent(i), b.GetEvent(i)) << "event " << i;
        ASSERT_EQ(a.ReadEvent(i).TapStates, b.ReadEvent(i).TapStates) << "event " << i;
    }
    EXPECT_EQ(single.Dump.str(), runs.Dump.str());
    EXPECT_EQ(single.Board.Chips()->Snapshot().Chips, runs.Board.Chips()->Snapshot().Chips);
}

TEST(DemoBoardPlayback, RunsInOneGoLeaveWhatSingleStepsLeave) {
    DemoRun single(false);
    DemoRun runs(true);
    EXPECT_EQ(single.Engine_.Registers().Flags[0], 0) << "the checks on TAP 0 pass";
    EXPECT_EQ(single.Engine_.Registers().Flags[1], 0) << "the check on TAP 1 passes";
    ExpectTheSame(single, runs);
}

// With Active mode off the long statement is trimmed while it plays, in
// steps as in runs, to what the trim before the next statement leaves.
TEST(DemoBoardPlayback, LongStatementPlaysAlikeInStepsAndRunsWithActiveModeOnAndOff) {
    for (const bool activeMode : {true, false}) {
        SCOPED_TRACE(activeMode ? "Active mode on" : "Active mode off");
        DemoRun single(false, LongProgram, activeMode);
        DemoRun runs(true, LongProgram, activeMode);
        EXPECT_EQ(single.Engine_.Registers().Flags[1], 0) << "the check after the shift passes";
        ExpectTheSame(single, runs);
        if (activeMode) {
            EXPECT_GT(runs.Engine_.Events().EventCount(), 240000U);
        } else {
            EXPECT_LE(runs.Engine_.Events().ChunksHeld(), 3U);
        }
    }
}

} // namespace
} // namespace scanbench
