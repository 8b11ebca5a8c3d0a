#include "engine/result_codes.h"
#include "engine/tap_controller.h"
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
    RunControl& Run() { return f.Eng.Run(); }
    const RunState& State() { return f.Eng.State().Run; }
    ControllerRegisters& Regs() { return f.Eng.Registers(); }
    BreakpointFlags& Breaks() { return f.Eng.State().Breakpoints; }
    // Execute until the timer stops (breakpoint, end) or `ticks` ticks.
    int Execute(int ticks = 1000) {
        Run().StartExecute();
        int n = 0;
        while (f.Reporter.ExecuteTimer && n < ticks) {
            Run().ExecuteTick();
            ++n;
        }
        return n;
    }
    EngineFixture f;
};

TEST_F(RunControlTest, StepByStepPlaysOneWholeStatement) {
    Open("RST;\nTMS0;\nHALT;");
    Run().StepByStep();
    EXPECT_EQ(Regs().CurrentLine, 1);
    EXPECT_TRUE(f.Eng.State().AllPlayed());
    EXPECT_EQ(f.Eng.Events().PlayedCount(), 12U);
    EXPECT_FALSE(f.Reporter.Commands.EditorWritable);
    EXPECT_TRUE(f.Reporter.Commands.ShowExecPoint);
    EXPECT_FALSE(f.Reporter.Commands.Search);
}

TEST_F(RunControlTest, EventByEventPlaysOneEvent) {
    Open("RST;");
    Run().EventByEvent();
    EXPECT_EQ(f.Eng.Events().PlayedCount(), 1U);
    EXPECT_FALSE(f.Reporter.Commands.EditorWritable);
    EXPECT_FALSE(f.Reporter.Commands.Search);
}

TEST_F(RunControlTest, ExecuteStopsBeforeABreakpointAndHoldsThere) {
    Open("RST;\nTMS0;\nTMS1;\nHALT;");
    Breaks().Set(2, true);
    Execute();
    EXPECT_EQ(Regs().CurrentLine, 2) << "stopped before the statement at line 2";
    EXPECT_FALSE(f.Reporter.ExecuteTimer);
    EXPECT_FALSE(State().ProgramEnded);
    Execute();
    EXPECT_EQ(Regs().CurrentLine, 2) << "the breakpoint holds";
    Run().StepByStep();
    EXPECT_EQ(Regs().CurrentLine, 3);
    Execute();
    EXPECT_EQ(f.Reporter.Status, "HALT");
    EXPECT_FALSE(f.Reporter.Commands.Execute);
    EXPECT_FALSE(f.Reporter.Commands.SpeedRunItem);
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

TEST_F(RunControlTest, SpeedRunEndsAtHaltAndRestoresRefreshWindows) {
    f.Eng.Switches().SpeedRun = true;
    Open("RST;\nLD CNT,1000d;\nNSHF 0h;\nHALT;");
    f.Views.StateRedraws = 0;
    Run().SpeedRun();
    EXPECT_EQ(f.Reporter.Status, "HALT");
    EXPECT_EQ(f.Views.StateRedraws, 1)
        << "no state diagram redraws during a speed run, one for the states it ends in";
    EXPECT_TRUE(f.Eng.Switches().RefreshWindows);
    const CommandStates& c = f.Reporter.Commands;
    EXPECT_FALSE(c.SpeedRunButton);
    EXPECT_FALSE(c.Execute || c.Pause || c.EventByEvent || c.StepByStep);
}

TEST_F(RunControlTest, SpeedRunStopsAtBreakpointsWithoutDisablingAnything) {
    f.Eng.Switches().SpeedRun = true;
    Open("RST;\nTMS0;\nHALT;");
    Breaks().Set(1, true);
    Run().SpeedRun();
    EXPECT_EQ(Regs().CurrentLine, 1);
    EXPECT_TRUE(f.Reporter.Commands.Execute);
    EXPECT_TRUE(f.Reporter.Commands.SpeedRunButton);
}

TEST_F(RunControlTest, SpeedRunOfAnEndlessLoopStopsOnPauseAtAYield) {
    f.Eng.Switches().SpeedRun = true;
    Open("L: TMS0;\nJMP L;");
    int yields = 0;
    f.Reporter.OnYield = [&] {
        if (++yields == 2) {
            Run().Pause();
        }
    };
    Run().SpeedRun();
    EXPECT_EQ(yields, 2);
    EXPECT_TRUE(f.Reporter.Commands.Execute) << "paused, not ended";
    f.Reporter.OnYield = [&] { f.Eng.ResetSimulation(); };
    Run().SpeedRun();
    EXPECT_EQ(f.Reporter.Status, "Reset");
    EXPECT_FALSE(State().ProgramEnded);
}

TEST_F(RunControlTest, ResetDuringALongStepByStepEndsItAtTheNextYield) {
    Open("LD CNT,5000d;\nNSHF 0h;\nHALT;");
    Run().StepByStep();
    f.Reporter.OnYield = [&] { f.Eng.ResetSimulation(); };
    Run().StepByStep();
    EXPECT_EQ(f.Reporter.Yields, 1);
    EXPECT_EQ(f.Reporter.Status, "Reset");
    EXPECT_EQ(f.Eng.Events().EventCount(), 0U);
    EXPECT_EQ(Regs().CurrentLine, 0);
}

TEST_F(RunControlTest, StepByStepYieldsEvery101StepsAndAnimates) {
    Open("LD CNT,1000d;\nNSHF 0h;");
    Run().StepByStep();
    Run().StepByStep();
    EXPECT_EQ(f.Reporter.Yields, 2002 / 101);
}

TEST_F(RunControlTest, TicksDuringAYieldDoNotNestAStepByStep) {
    Open("LD CNT,1000d;\nNSHF 0h;\nNSHF 0h;\nHALT;");
    Run().StartExecute();
    int nested = 0;
    f.Reporter.OnYield = [&] {
        const std::int32_t line = Regs().CurrentLine;
        Run().ExecuteTick();
        Run().StepByStep();
        Run().SpeedRun();
        Run().EventByEvent();
        nested += Regs().CurrentLine != line ? 1 : 0;
    };
    Run().ExecuteTick();
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(Regs().CurrentLine, 1);
}

TEST_F(RunControlTest, AfterHaltResetEnablesTheRunCommandsAgain) {
    Open("HALT;");
    Run().StepByStep();
    EXPECT_FALSE(f.Reporter.Commands.EventByEvent);
    f.Eng.ResetSimulation();
    const CommandStates& c = f.Reporter.Commands;
    EXPECT_TRUE(c.EventByEvent && c.StepByStep && c.Execute && c.Pause);
    EXPECT_FALSE(c.SpeedRunButton || c.SpeedRunItem);
    EXPECT_TRUE(c.EditorWritable && c.Search);
    EXPECT_FALSE(c.ShowExecPoint);
    f.Eng.Switches().SpeedRun = true;
    f.Eng.ResetSimulation();
    EXPECT_TRUE(f.Reporter.Commands.SpeedRunButton && f.Reporter.Commands.SpeedRunItem);
}

TEST_F(RunControlTest, HousekeepingKeepsSpeedRunOffWhileExecuteIsOff) {
    f.Eng.Switches().SpeedRun = true;
    Open("HALT;");
    Run().StepByStep();
    Run().EventByEvent(); // sets the Speed Run button from the setting
    EXPECT_TRUE(f.Reporter.Commands.SpeedRunButton);
    Run().HousekeepingTick();
    EXPECT_FALSE(f.Reporter.Commands.SpeedRunButton);
}

TEST_F(RunControlTest, ActivityIndicatorCyclesThroughEightFrames) {
    for (int i = 0; i < 9; ++i) {
        Run().ActivityTick();
    }
    EXPECT_EQ(State().ActivityFrame, 1);
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
    std::array<TTapController, 2> reference{};
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
