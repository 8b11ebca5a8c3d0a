#include "engine/interpreter/result_codes.h"
#include "engine/tap/tap_controller.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace scanbench {
namespace {

using testing::EngineFixture;

class RunControlTest : public ::testing::Test {
protected:
    void Open(std::string_view program) { f.Open(program); }
    const RunState& State() { return f.Eng.State().Run; }
    ControllerRegisters& Regs() { return f.Eng.Registers(); }
    BreakpointFlags& Breaks() { return f.Eng.State().Breakpoints; }
    // One slice, as one command of a window plays it.
    SliceOutcome Play(const RunSlice& slice) {
        const ViewFeed::Batch command(f.Eng.Views());
        return f.Eng.Run().Play(slice);
    }
    SliceOutcome Statement(bool stopsAtBreakpoints = false) {
        return Play({.Goal = RunGoal::Statement, .StopsAtBreakpoints = stopsAtBreakpoints});
    }
    // Statements that stop at breakpoints, as Execute plays them, until one
    // stops or the program ends.
    void Execute() {
        for (int i = 0; i < 1000; ++i) {
            const SliceOutcome outcome = Statement(true);
            if (outcome.AtBreakpoint || outcome.ProgramEnded) {
                return;
            }
        }
    }
    EngineFixture f;
};

TEST_F(RunControlTest, AStatementSlicePlaysOneWholeStatementAnEventSliceOneEvent) {
    Open("RST;\nTMS0;\nHALT;");
    const SliceOutcome outcome = Statement();
    EXPECT_TRUE(outcome.GoalReached);
    EXPECT_EQ(outcome.Steps, 12U);
    EXPECT_EQ(Regs().CurrentLine, 1);
    EXPECT_TRUE(f.Eng.State().AllPlayed());
    const auto event = Play({.Goal = RunGoal::Event});
    EXPECT_EQ(event.Steps, 1U);
    EXPECT_EQ(f.Eng.Events().PlayedCount(), 13U);
}

TEST_F(RunControlTest, ExecuteStopsBeforeABreakpointAndHoldsThere) {
    Open("RST;\nTMS0;\nTMS1;\nHALT;");
    Breaks().Set(2, true);
    Execute();
    EXPECT_EQ(Regs().CurrentLine, 2) << "stopped before the statement at line 2";
    EXPECT_EQ(f.Reporter.BreakpointStop, 3);
    EXPECT_FALSE(State().ProgramEnded);
    EXPECT_TRUE(Statement(true).AtBreakpoint) << "the breakpoint holds";
    EXPECT_TRUE(Play({.Goal = RunGoal::Event, .StopsAtBreakpoints = true}).AtBreakpoint);
    EXPECT_TRUE(Play({.Goal = RunGoal::End, .StopsAtBreakpoints = true}).AtBreakpoint);
    EXPECT_EQ(Regs().CurrentLine, 2);
    Statement(); // Step-by-Step moves past it
    EXPECT_EQ(Regs().CurrentLine, 3);
    Execute();
    EXPECT_EQ(f.Reporter.Status, "HALT");
}

TEST_F(RunControlTest, BreakpointOnASecondStatementLineIsNeverHitInSequence) {
    Open("LD CNT,1d;\nNSHF 1\nh;\nHALT;"); // the shift spans lines 1 and 2
    Breaks().Set(2, true);
    Execute();
    EXPECT_EQ(f.Reporter.Status, "HALT");
    Open("LD CNT,1d;\nNSHF 1\nh;\nHALT;");
    Breaks().Set(1, true);
    Execute();
    EXPECT_EQ(Regs().CurrentLine, 1) << "its first line is where the fetch starts";
}

TEST_F(RunControlTest, ARunToTheEndStopsAtHaltOrBeforeABreakpoint) {
    Open("RST;\nLD CNT,1000d;\nNSHF 0h;\nTMS0;\nHALT;");
    Breaks().Set(3, true);
    SliceOutcome outcome = Play({.Goal = RunGoal::End, .StopsAtBreakpoints = true});
    EXPECT_TRUE(outcome.AtBreakpoint);
    EXPECT_EQ(Regs().CurrentLine, 3);
    EXPECT_TRUE(f.Eng.State().AllPlayed()) << "the shift before the breakpoint was played";
    outcome = Play({.Goal = RunGoal::End});
    EXPECT_TRUE(outcome.GoalReached && outcome.ProgramEnded);
    EXPECT_EQ(f.Reporter.Status, "HALT");
    EXPECT_TRUE(f.Views.Received.Has(ViewChange::TapStates));
    EXPECT_TRUE(f.Views.Received.Has(ViewChange::Waveforms));
    // Playing on after the end fetches once more from where it ended.
    outcome = Play({.Goal = RunGoal::End, .PlaysOnAfterEnd = true});
    EXPECT_EQ(outcome.Steps, 1U);
    EXPECT_TRUE(outcome.ProgramEnded);
}

// A slice ends once its time has passed on the engine's clock or its steps
// are taken, and the run goes on in the next one exactly as it would have
// gone in one piece.
TEST_F(RunControlTest, SlicesKeepToTheirBoundsAndChangeNothingOfTheRun) {
    constexpr std::string_view Program = "RST;\nSTATE DRSHIFT;\nLD CNT,20000d;\n"
                                         "NSHFCP 0h,0h,0h;\nLD CNT,30d;\nL1: TMS0;\nDEC;\n"
                                         "JNZ L1;\nHALT;";
    EngineFixture whole(Program);
    whole.Open();
    (void)whole.Eng.ExecuteSteps(UINT64_MAX);

    Open(Program);
    // The fixture's clock moves a millisecond at each look.
    const auto timed =
        Play({.Goal = RunGoal::Statement, .MaxTime = std::chrono::milliseconds(3)}); // RST
    EXPECT_TRUE(timed.GoalReached);
    (void)Statement();
    (void)Statement();
    const auto cut = Play({.Goal = RunGoal::Statement, .MaxTime = std::chrono::milliseconds(3)});
    EXPECT_FALSE(cut.GoalReached) << "40,000 events are more than three looks at the clock";
    EXPECT_GE(cut.Steps, RunControl::StepsPerClockCheck);
    EXPECT_LE(cut.Steps, 1 + 3 * RunControl::StepsPerClockCheck);
    int slices = 0;
    for (bool ended = false; !ended; ++slices) {
        ended = Play({.Goal = RunGoal::End, .MaxSteps = 777}).GoalReached;
    }
    EXPECT_GT(slices, 20);
    EXPECT_EQ(f.Reporter.Status, whole.Reporter.Status);
    EXPECT_EQ(Regs().CurrentLine, whole.Eng.Registers().CurrentLine);
    EXPECT_EQ(Regs().Flags, whole.Eng.Registers().Flags);
    EXPECT_EQ(f.Eng.Events().EventCount(), whole.Eng.Events().EventCount());
    EXPECT_EQ(testing::Levels(f.Eng.Events()), testing::Levels(whole.Eng.Events()));
}

TEST_F(RunControlTest, ResetArmsTheFirstEdgeOfTheSelectedTapOnly) {
    Open("NOP;");
    f.Eng.State().Playback.FirstEdge = {false, false};
    Regs().SelectedTap = 1;
    f.Eng.ResetSimulation();
    EXPECT_EQ(f.Eng.State().Playback.FirstEdge, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(Regs().SelectedTap, 0);
}

TEST_F(RunControlTest, ResetRestoresRegistersButKeepsSavedCounterAndBreakpoints) {
    Open("RST;\nLD CNT,7d;\nSAVE;\nSERFLG2;\nSSA1;");
    f.RunToEnd();
    Breaks().Set(3, true);
    f.Eng.ResetSimulation();
    const ControllerRegisters& r = Regs();
    EXPECT_EQ(r.Counter, (std::array<std::int32_t, 2>{0, 0}));
    EXPECT_EQ(r.SavedCounter[0], 7);
    EXPECT_EQ(r.FlagMask, (std::array<std::uint8_t, 2>{1, 1}));
    EXPECT_FALSE(r.ResetDone[0]);
    EXPECT_FALSE(r.CounterLoaded[0]);
    EXPECT_EQ(r.SyncOutA, 1) << "cleared by the next code check, not by reset";
    EXPECT_TRUE(Breaks().IsSet(3));
    EXPECT_EQ(f.Reporter.Counter[0], "00000000h");
    EXPECT_EQ(f.Reporter.Flags[0], "00000000b");
    EXPECT_EQ(f.Reporter.FlagBits, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(f.Eng.Events().EventCount(), 0U);
    EXPECT_FALSE(State().CodeChecked);
    EXPECT_EQ(f.Eng.State().Labels.LabelCount(), 0);
}

TEST(EngineListeners, HearWhileSubscribedInTheOrderTheySubscribed) {
    testing::FakeSignalPort port;
    Engine engine(port);
    testing::RecordingReporter first;
    testing::RecordingReporter second;
    engine.Display().ShowStatus("lost", StatusColour::Green);
    std::optional<EngineSubscription> one(engine.Listen(first));
    auto two = engine.Listen(second);
    std::vector<std::string> order;
    first.OnStatus = [&] { order.emplace_back("first"); };
    second.OnStatus = [&] {
        order.emplace_back("second");
        one.reset(); // the first window closes while the second is told
    };
    engine.Display().ShowStatus("HALT", StatusColour::Green);
    engine.Display().ShowStatus("after", StatusColour::Red);
    EXPECT_EQ(order, (std::vector<std::string>{"first", "second", "second"}));
    EXPECT_EQ(first.Status, "HALT");
    EXPECT_EQ(second.Status, "after");
}

// Records both TAP states after every model step.
class StateTrail : public ViewListener {
public:
    void RefreshView(ViewChanges changes) override {
        if (changes.Has(ViewChange::TapStates)) {
            Trail.push_back({Eng->Taps().State(0), Eng->Taps().State(1)});
        }
    }
    const Engine* Eng = nullptr;
    std::vector<std::array<std::uint8_t, 2>> Trail;
};

TEST(ResetScramble, EveryDrawOfEveryResetStepsTheModels) {
    StateTrail trail;
    testing::FakeSignalPort port;
    Engine engine(port);
    trail.Eng = &engine;
    const auto subscription = engine.Views().Subscribe(trail);
    // Each reset carries the generator on; the second one draws two 50s,
    // which still give TMS 0.
    std::array<TapController, 2> reference{};
    std::uint32_t seed = 0;
    std::vector<std::array<std::uint8_t, 2>> expected;
    for (int reset = 0; reset < 3; ++reset) {
        engine.ResetSimulation();
        for (int i = 0; i < 2 * ResetScrambler::Iterations; ++i) {
            seed = seed * 134775813U + 1U;
            const std::uint64_t percent = (std::uint64_t{seed} * 100U) >> 32;
            reference[static_cast<std::size_t>(i % 2)].Step(percent <= 50 ? 0 : 1);
            expected.push_back({reference[0].StateIndex(), reference[1].StateIndex()});
        }
    }
    EXPECT_EQ(trail.Trail, expected);
}

} // namespace
} // namespace scanbench
