#include "engine/interpreter/result_codes.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace scanbench {
namespace {

using testing::EngineFixture;

class LineExecutionTest : public ::testing::Test {
protected:
    void Open(std::string_view program) { f.Open(program); }
    void Step() { f.Eng.ExecuteStep(); }
    // Steps until the statement just fetched has played all its events.
    void Statement() {
        do {
            Step();
        } while (!f.Eng.State().AllPlayed());
    }
    const RunState& Run() { return f.Eng.State().Run; }
    ControllerRegisters& Regs() { return f.Eng.Registers(); }
    EngineFixture f;
};

TEST_F(LineExecutionTest, OpeningResetsAndTheFirstStepChecksTheCode) {
    Open("RST;\nHALT;");
    EXPECT_EQ(f.Reporter.Status, "Reset");
    EXPECT_EQ(f.Reporter.Colour, StatusColour::Green);
    EXPECT_FALSE(Run().CodeChecked);
    Step();
    EXPECT_TRUE(Run().CodeChecked);
    EXPECT_EQ(f.Reporter.Status, "Line processed");
    EXPECT_EQ(Regs().CurrentLine, 1);
    EXPECT_EQ(f.Eng.Events().EventCount(), 12U);
    EXPECT_EQ(f.Eng.Events().PlayedCount(), 1U);
}

TEST_F(LineExecutionTest, StepWithUnplayedEventsOnlyPlays) {
    Open("RST;\nTMS0;");
    Step();
    f.Reporter.Status = "marker";
    const int statusCount = f.Reporter.StatusCount;
    Step();
    EXPECT_EQ(Regs().CurrentLine, 1);
    EXPECT_EQ(f.Eng.Events().EventCount(), 12U);
    EXPECT_EQ(f.Eng.Events().PlayedCount(), 2U);
    EXPECT_EQ(f.Reporter.StatusCount, statusCount);
}

TEST_F(LineExecutionTest, HaltEndsTheRunAndStopsTheProgram) {
    Open("RST;\nHALT;\nTMS0;");
    f.RunToEnd();
    EXPECT_EQ(f.Reporter.Status, "HALT");
    EXPECT_EQ(f.Reporter.Colour, StatusColour::Green);
    EXPECT_EQ(Regs().CurrentLine, 2);
    EXPECT_EQ(f.Reporter.News.back(), RunNews::ProgramStopped);
}

TEST_F(LineExecutionTest, ErrorStopsAndALaterStepRetriesFromTheNextStatement) {
    Open("FOO;\nTMS0;");
    f.RunToEnd();
    EXPECT_EQ(f.Reporter.Status, "Line compiled with errors");
    EXPECT_EQ(f.Reporter.Colour, StatusColour::Red);
    EXPECT_TRUE(Run().ProgramEnded);
    EXPECT_EQ(f.Reporter.Heard(RunNews::ProgramStopped), 1);
    Step();
    EXPECT_EQ(f.Reporter.Status, "Line processed");
    EXPECT_EQ(Regs().CurrentLine, 2);
}

TEST_F(LineExecutionTest, RunningOffTheEndEndsTheProgram) {
    Open("NOP;\n\n");
    Step();
    EXPECT_FALSE(Run().ProgramEnded);
    Step();
    EXPECT_TRUE(Run().ProgramEnded) << "a blank last line";
    Open("NOP;");
    Step();
    EXPECT_FALSE(Run().ProgramEnded) << "a statement was fetched";
    Step();
    EXPECT_TRUE(Run().ProgramEnded) << "the fetch past the end yields nothing";
    EXPECT_EQ(f.Reporter.Status, "Line processed");
}

TEST_F(LineExecutionTest, FlushEmptiesTheStoreAtTheEndOfItsStep) {
    Open("RST;\nFLUSH;\nTMS0;");
    Statement();
    Step();
    EXPECT_EQ(f.Reporter.Status, "Warning: FLUSH executed");
    EXPECT_EQ(f.Reporter.Colour, StatusColour::Yellow);
    EXPECT_EQ(f.Eng.Events().EventCount(), 0U);
    Step();
    EXPECT_EQ(f.Eng.Events().EventCount(), 3U);
}

TEST_F(LineExecutionTest, JumpsFollowTheirConditions) {
    Open("LD CNT,2d;\nL1: DEC;\nJNZ L1;\nJZ L2;\nNOP;\nL2: HALT;");
    std::vector<std::int32_t> lines;
    while (!Run().ProgramEnded) {
        Step();
        lines.push_back(Regs().CurrentLine);
    }
    // LD; DEC to 1; JNZ taken back to the DEC; DEC to 0; JNZ not taken; JZ
    // taken to L2 (skipping the NOP); HALT.
    EXPECT_EQ(lines, (std::vector<std::int32_t>{1, 2, 1, 2, 3, 5, 6}));
    EXPECT_EQ(f.Reporter.Status, "HALT");
}

TEST_F(LineExecutionTest, UntakenJumpChangesNothingAndShowsNoMessage) {
    Open("LD CNT,1d;\nJZ L1;\nL1: NOP;");
    Step();
    const int statusCount = f.Reporter.StatusCount;
    Step();
    EXPECT_EQ(f.Reporter.StatusCount, statusCount);
    EXPECT_EQ(Regs().CurrentLine, 2);
}

TEST_F(LineExecutionTest, JumpToAMissingLabelStops) {
    Open("JMP nowhere;\nNOP;");
    Step();
    EXPECT_EQ(f.Reporter.Status, "Error: label not found");
    EXPECT_EQ(f.Reporter.Colour, StatusColour::Red);
    EXPECT_TRUE(Run().ProgramEnded);
    EXPECT_EQ(f.Reporter.Heard(RunNews::ProgramStopped), 1);
}

TEST_F(LineExecutionTest, DecAtZeroThenJz) {
    Open("LD CNT,0d;\nDEC;\nJZ L1;\nHALT;\nL1: SSA1;\nHALT;");
    f.RunToEnd();
    EXPECT_EQ(f.Reporter.Status, "HALT");
    EXPECT_EQ(Regs().CurrentLine, 6);
    EXPECT_EQ(Regs().SyncOutA, 1);
}

TEST_F(LineExecutionTest, FailedCompareOnFlag3IsSeenByJerr) {
    f.Port.Rx = {1, 1}; // the device answers all ones
    Open("RST;\nSERFLG3;\nLD CNT,4d;\nNSHFCP 0h,0h,Fh;\nJERR bad;\nHALT;\nbad: NOP;\nHALT;");
    f.RunToEnd();
    EXPECT_EQ(Regs().FlagMask[0], 8);
    EXPECT_EQ(Regs().Flags[0], 8);
    EXPECT_EQ(Regs().CurrentLine, 8) << "the jump was taken";
    EXPECT_EQ(f.Reporter.FlagBits, (std::array<int, 2>{3, 0}));
    EXPECT_EQ(f.Reporter.Flags[0], "00001000b");
}

TEST_F(LineExecutionTest, WaitPollsWithoutFetchingUntilTheInputArrives) {
    Open("WSA1;\nTMS0;");
    Statement();
    EXPECT_EQ(f.Reporter.Status, "Waiting SIA to go high...");
    EXPECT_EQ(f.Reporter.Colour, StatusColour::Purple);
    for (int i = 0; i < 5; ++i) {
        Step();
        EXPECT_EQ(Regs().CurrentLine, 1);
        EXPECT_EQ(f.Reporter.Status, "Waiting SIA to go high...");
    }
    f.Port.Sia = 1;
    Step();
    EXPECT_FALSE(Regs().WaitingSync);
    EXPECT_EQ(Regs().CurrentLine, 1);
    Step();
    EXPECT_EQ(Regs().CurrentLine, 2);
    EXPECT_EQ(f.Reporter.Status, "Line processed");
}

// Without Active mode the store keeps its last three chunks: short
// statements' chunks are freed before the next fetch, a long statement's
// as soon as it has played them.
TEST_F(LineExecutionTest, WithActiveModeOffTheLastThreeChunksAreKept) {
    f.Eng.Switches().ActiveMode = false;
    Open("LD CNT,12501d;\nL: RST;\nDEC;\nJNZ L;\nHALT;"); // 150012 events, then HALT's
    f.RunToEnd();
    EXPECT_EQ(f.Eng.Events().GetLastChunk(), 2U);
    EXPECT_EQ(f.Eng.Events().EventCount(), 100013U) << "the first chunk went before HALT";

    Open("LD CNT,49999d;\nNSHF 0h;\nNSHF 0h;\nNOP;"); // two chunks per shift
    Statement();
    Statement();
    Statement();
    EXPECT_EQ(f.Eng.Events().GetLastChunk(), 2U)
        << "the fourth chunk's first event freed the first";
    EXPECT_EQ(f.Eng.Events().EventCount(), 150000U);
    EXPECT_LE(f.Eng.Events().ChunksHeld(), 3U);
    Step();
    EXPECT_EQ(f.Eng.Events().EventCount(), 150000U) << "nothing left to trim at the fetch";
}

TEST_F(LineExecutionTest, AnInvalidLabelStopsTheRunInsteadOfLoopingForEver) {
    Open("NOP;\n:TMS0;\nNOP;");
    Step();
    EXPECT_EQ(f.Reporter.Status, "Invalid Label");
    EXPECT_TRUE(Run().ProgramEnded);
    EXPECT_EQ(f.Reporter.News.back(), RunNews::ProgramStopped);
    EXPECT_EQ(f.Eng.Events().EventCount(), 0U);
    EXPECT_EQ(f.Port.Writes.size(), 0U) << "nothing is played";
}

TEST_F(LineExecutionTest, ExecutionPointAndHighlight) {
    Open("NOP;\nSELTAP1;\nNOP;");
    Step();
    EXPECT_EQ(f.Reporter.ExecPoint, 1);
    Step();
    EXPECT_EQ(f.Reporter.ExecPoint, 2);
    EXPECT_EQ(f.Reporter.Heard(RunNews::Started), 1) << "once, at the first event played";
}

TEST_F(LineExecutionTest, OutOfMemoryStopsTheRun) {
    EngineFixture small("LD CNT,7FFFFFFFh;\nNTCK;\nHALT;", EventBudget{1000});
    small.Open();
    small.RunToEnd();
    EXPECT_EQ(small.Reporter.Status, "Error: not enough memory");
    EXPECT_EQ(small.Reporter.Colour, StatusColour::Red);
    EXPECT_EQ(small.Eng.Events().EventCount(), 0U);
}

// Runs taken in one go leave everything as single steps do: the store, the
// registers, the read-outs, the port traffic (a capture still reads RX
// itself, as this port may answer differently the second time) and what
// the views hear, also when the step limit falls inside a statement.
TEST(LineExecutionRuns, LeaveWhatSingleStepsLeave) {
    const std::string_view program = "SELTAP1;\nRST;\nSTATE IRSHIFT;\nLD CNT,4d;\nSERFLG2;\n"
                                     "NSHFCP Fh,Ah,Fh;\nSELTAP0;\nRST;\nSTATE DRSHIFT;\n"
                                     "LD CNT,40d;\nNSHFCP 123456789Ah,123456789Ah,FFFFFFFFFFh;\n"
                                     "NTCK;\nSTATE IDLE;\nHALT;\n";
    for (const bool batched : {false, true}) {
        for (const int limit : {1000000, 61, 130}) {
            EngineFixture single(program);
            EngineFixture runs(program);
            for (EngineFixture* f : {&single, &runs}) {
                f->Port.Loopback = true;
                f->Port.RxFlipAt = 30; // one captured bit comes back wrong
                f->Open();
            }
            int steps = 0;
            {
                std::optional<ViewFeed::Batch> batch;
                if (batched) {
                    batch.emplace(single.Eng.Views());
                }
                steps = single.RunToEnd(limit);
            }
            {
                std::optional<ViewFeed::Batch> batch;
                if (batched) {
                    batch.emplace(runs.Eng.Views());
                }
                EXPECT_EQ(runs.Eng.ExecuteSteps(static_cast<std::uint64_t>(limit)),
                          static_cast<std::uint64_t>(steps));
            }
            SCOPED_TRACE(::testing::Message() << "batched " << batched << " limit " << limit);
            const EventStore& a = single.Eng.Events();
            const EventStore& b = runs.Eng.Events();
            ASSERT_EQ(a.EventCount(), b.EventCount());
            EXPECT_EQ(a.PlayedCount(), b.PlayedCount());
            for (std::uint32_t i = 0; i < a.EventCount(); ++i) {
                ASSERT_EQ(a.GetEvent(i), b.GetEvent(i)) << "event " << i;
                ASSERT_EQ(a.ReadEvent(i).TapStates, b.ReadEvent(i).TapStates) << "event " << i;
            }
            EXPECT_EQ(single.Eng.Registers().Flags, runs.Eng.Registers().Flags);
            EXPECT_EQ(single.Eng.Registers().CurrentLine, runs.Eng.Registers().CurrentLine);
            EXPECT_EQ(single.Eng.State().Playback.ReceivedBits,
                      runs.Eng.State().Playback.ReceivedBits);
            EXPECT_EQ(single.Eng.State().Run.ProgramEnded, runs.Eng.State().Run.ProgramEnded);
            EXPECT_EQ(single.Eng.Taps().State(0), runs.Eng.Taps().State(0));
            EXPECT_EQ(single.Reporter.Flags, runs.Reporter.Flags);
            EXPECT_EQ(single.Reporter.Counter, runs.Reporter.Counter);
            EXPECT_EQ(single.Reporter.Status, runs.Reporter.Status);
            EXPECT_EQ(single.Reporter.ExecPoint, runs.Reporter.ExecPoint);
            EXPECT_EQ(single.Port.Writes, runs.Port.Writes);
            EXPECT_EQ(single.Port.RxReads, runs.Port.RxReads);
            EXPECT_EQ(single.Views.Deliveries, runs.Views.Deliveries);
            EXPECT_EQ(single.Views.StateRedraws, runs.Views.StateRedraws);
            EXPECT_EQ(single.Views.Received, runs.Views.Received);
        }
    }
}

} // namespace
} // namespace scanbench
