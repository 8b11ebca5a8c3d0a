#include "test_support.h"
#include "window_logic/main_window/main_window_model.h"

#include <gtest/gtest.h>

#include <optional>

namespace scanbench {
namespace {

// The model over an engine, driven as the window drives it: each slice it
// asks for is played as one command, the next ones while it says one is due.
// The engine's clock moves a millisecond at each look, so a slice of a frame
// takes the same steps on every machine.
class WindowModel : public ::testing::Test {
protected:
    WindowModel() : Following(f.Eng.Listen(Model)) {}

    void Open(std::string_view program) {
        f.Text.SetText(program);
        f.Eng.OpenProgram();
        Model.ProgramOpened();
    }
    void Play(std::optional<RunSlice> slice) {
        f.Eng.Run().SetContinuous(Model.Continuous());
        if (slice) {
            const ViewFeed::Batch command(f.Eng.Views());
            Model.SliceEnded(f.Eng.Run().Play(*slice));
        }
        f.Eng.Run().SetContinuous(Model.Continuous());
    }
    // Plays the slices that are due, at most `limit`; returns how many.
    int PlayOn(int limit = 1000) {
        int slices = 0;
        while (Model.SliceDue() && slices < limit) {
            Play(Model.NextSlice());
            ++slices;
        }
        return slices;
    }
    // Execute and its timer's ticks, until the timer stops or `ticks` ticks.
    int Execute(int ticks = 1000) {
        Model.Execute();
        Play(std::nullopt);
        int n = 0;
        for (; Model.Continuous() && n < ticks; ++n) {
            Play(Model.SliceDue() ? Model.NextSlice() : Model.ExecuteTick());
        }
        return n;
    }
    const CommandStates& C() const { return Model.Commands(); }
    ControllerRegisters& Regs() { return f.Eng.Registers(); }

    testing::EngineFixture f;
    MainWindowModel Model;
    EngineSubscription Following;
};

TEST_F(WindowModel, StartNewOpenAndEditingDecideWhatMayBeUsed) {
    Model.SetSpeedRunAllowed(true);
    Model.Start();
    EXPECT_FALSE(C().GutterBoxes || C().SaveItems || C().SaveFileButton || C().EventByEvent ||
                 C().SpeedRunButton || C().Reset);
    Model.TextChanged(1);
    EXPECT_TRUE(C().GutterBoxes && C().SaveItems);
    EXPECT_FALSE(C().SaveFileButton || C().EventByEvent || C().Execute || C().SpeedRunButton);
    Model.TextChanged(2);
    EXPECT_TRUE(C().SaveFileButton && C().EventByEvent && C().StepByStep && C().Execute &&
                C().Pause && C().SpeedRunButton && C().SpeedRunItem);
    EXPECT_FALSE(C().Reset);

    f.Eng.OpenProgram();
    Model.ProgramCleared();
    EXPECT_FALSE(C().GutterBoxes || C().SaveItems || C().SaveFileButton || C().Execute ||
                 C().Reset);
    EXPECT_TRUE(C().EditorWritable && C().Search);

    Model.SetSpeedRunAllowed(false);
    Open("RST;\nHALT;");
    EXPECT_EQ(f.Reporter.Status, "Reset");
    EXPECT_TRUE(C().Execute && C().GutterBoxes);
    EXPECT_FALSE(C().SpeedRunButton) << "not without the setting";
}

TEST_F(WindowModel, SteppingMakesTheEditorReadOnlyAndResetWritableAgain) {
    Open("RST;\nTMS0;\nHALT;");
    Play(Model.EventByEvent());
    EXPECT_FALSE(C().EditorWritable);
    EXPECT_FALSE(C().Search);
    EXPECT_TRUE(C().Reset) << "there is a run to reset";
    Play(Model.StepByStep());
    EXPECT_TRUE(C().ShowExecPoint);
    EXPECT_EQ(Regs().CurrentLine, 1);
    f.Eng.ResetSimulation();
    EXPECT_TRUE(C().EditorWritable && C().Search);
    EXPECT_FALSE(C().ShowExecPoint);
}

TEST_F(WindowModel, HaltDisablesTheRunCommandsAndResetEnablesThemAgain) {
    Open("HALT;");
    Play(Model.StepByStep());
    EXPECT_FALSE(C().EventByEvent || C().StepByStep || C().Execute || C().Pause ||
                 C().SpeedRunButton || C().SpeedRunItem);
    f.Eng.ResetSimulation();
    EXPECT_TRUE(C().EventByEvent && C().StepByStep && C().Execute && C().Pause);
    EXPECT_FALSE(C().SpeedRunButton || C().SpeedRunItem);
    Model.SetSpeedRunAllowed(true);
    f.Eng.ResetSimulation();
    EXPECT_TRUE(C().SpeedRunButton && C().SpeedRunItem);
}

TEST_F(WindowModel, ExecuteStopsAtABreakpointAndEndsWithTheProgram) {
    Open("RST;\nTMS0;\nRST;\nHALT;");
    f.Eng.State().Breakpoints.Set(2, true);
    Execute();
    EXPECT_EQ(Regs().CurrentLine, 2);
    EXPECT_FALSE(Model.ExecuteTimerOn() || Model.ActivityTimerOn() || Model.Continuous());
    EXPECT_TRUE(C().Execute) << "paused at the breakpoint";
    f.Eng.State().Breakpoints.Set(2, false);
    Model.SetPace(TimingFor(ExecutePace::Events20)); // one event a tick
    const int ticks = Execute();
    EXPECT_GT(ticks, 10) << "RST's events one by one";
    EXPECT_EQ(f.Reporter.Status, "HALT");
    EXPECT_FALSE(C().Execute || C().SpeedRunItem);
    EXPECT_EQ(Model.ActivityFrame(), 0);
}

TEST_F(WindowModel, ALongStepGoesOnInSlicesWithoutTicksOrCommandsNesting) {
    Open("LD CNT,100000d;\nNSHF 0h;\nTMS0;\nHALT;");
    Play(Model.StepByStep());
    Model.Execute();
    Play(Model.StepByStep()); // the shift: more than a slice
    ASSERT_TRUE(Model.SliceDue());
    EXPECT_TRUE(Model.Continuous());
    EXPECT_FALSE(Model.ExecuteTimerOn()) << "Execute waits for the statement";
    EXPECT_FALSE(Model.ExecuteTick() || Model.StepByStep() || Model.EventByEvent() ||
                 Model.SpeedRun());
    Model.Pause(); // stops Execute; the statement still finishes
    EXPECT_GE(PlayOn(), 2);
    EXPECT_EQ(Regs().CurrentLine, 2);
    EXPECT_TRUE(f.Eng.State().AllPlayed());
    EXPECT_FALSE(Model.Continuous() || Model.ActivityTimerOn());
}

TEST_F(WindowModel, ResetBetweenTheSlicesOfAStepEndsIt) {
    Open("LD CNT,100000d;\nNSHF 0h;\nHALT;");
    Play(Model.StepByStep());
    Play(Model.StepByStep());
    ASSERT_TRUE(Model.SliceDue());
    f.Eng.ResetSimulation();
    EXPECT_FALSE(Model.SliceDue() || Model.Continuous());
    EXPECT_EQ(f.Reporter.Status, "Reset");
    EXPECT_EQ(f.Eng.Events().EventCount(), 0U);
    EXPECT_FALSE(f.Eng.Display().Continuous());
}

TEST_F(WindowModel, SpeedRunEndsAtHaltWithTheStateDiagramsFollowingAgain) {
    Model.SetSpeedRunAllowed(true);
    Open("RST;\nLD CNT,100000d;\nNSHF 0h;\nHALT;");
    Play(Model.SpeedRun());
    EXPECT_FALSE(Model.RefreshWindows()) << "no state diagram redraws while it runs";
    EXPECT_TRUE(f.Eng.Display().Continuous());
    EXPECT_GE(PlayOn(), 2);
    EXPECT_EQ(f.Reporter.Status, "HALT");
    EXPECT_TRUE(Model.RefreshWindows());
    EXPECT_FALSE(f.Eng.Display().Continuous());
    EXPECT_FALSE(C().SpeedRunButton);
    EXPECT_FALSE(C().Execute || C().Pause || C().EventByEvent || C().StepByStep);
    EXPECT_FALSE(C().EditorWritable);
}

TEST_F(WindowModel, SpeedRunStopsAtBreakpointsWithoutDisablingAnything) {
    Model.SetSpeedRunAllowed(true);
    Open("RST;\nTMS0;\nHALT;");
    f.Eng.State().Breakpoints.Set(1, true);
    Play(Model.SpeedRun());
    EXPECT_FALSE(Model.SliceDue());
    EXPECT_EQ(Regs().CurrentLine, 1);
    EXPECT_TRUE(C().Execute && C().SpeedRunButton);
    EXPECT_TRUE(Model.RefreshWindows());
}

TEST_F(WindowModel, AnEndlessSpeedRunStopsOnPauseOrResetBetweenSlices) {
    Model.SetSpeedRunAllowed(true);
    Open("L: TMS0;\nJMP L;");
    Play(Model.SpeedRun());
    EXPECT_EQ(PlayOn(3), 3);
    Model.Pause();
    EXPECT_FALSE(Model.SliceDue() || Model.Continuous());
    EXPECT_FALSE(Model.NextSlice().has_value());
    EXPECT_TRUE(C().Execute) << "paused, not ended";
    EXPECT_TRUE(Model.RefreshWindows());
    Play(Model.SpeedRun());
    f.Eng.ResetSimulation();
    EXPECT_FALSE(Model.SliceDue());
    EXPECT_EQ(f.Reporter.Status, "Reset");
    EXPECT_TRUE(Model.RefreshWindows());
}

TEST_F(WindowModel, HousekeepingKeepsSpeedRunOffWhileExecuteIsOff) {
    Model.SetSpeedRunAllowed(true);
    Open("HALT;");
    Play(Model.StepByStep());
    Play(Model.EventByEvent()); // sets the Speed Run button from the setting
    EXPECT_TRUE(C().SpeedRunButton);
    Model.HousekeepingTick();
    EXPECT_FALSE(C().SpeedRunButton);
}

TEST_F(WindowModel, TheIndicatorTurnsThroughEightFramesAndCommandsClearTheAboutClicks) {
    for (int i = 0; i < 9; ++i) {
        Model.ActivityTick();
    }
    EXPECT_EQ(Model.ActivityFrame(), 1);
    Model.AboutClicks() = 3;
    Model.HousekeepingTick();
    EXPECT_EQ(Model.AboutClicks(), 3) << "the housekeeping tick is no command";
    Model.Pause();
    EXPECT_EQ(Model.AboutClicks(), 0);
    EXPECT_EQ(Model.ActivityFrame(), 0);
}

// Tells how often the model changed.
class ChangeCount : public MainWindowModelListener {
public:
    void ModelChanged() override { ++Changes; }
    int Changes = 0;
};

TEST_F(WindowModel, ToolsPutTheRunCommandsBackAndListenersHearEveryChange) {
    ChangeCount window;
    const auto showing = Model.Subscribe(window);
    Open("RST;\nHALT;");
    const CommandStates before = C();
    Play(Model.StepByStep());
    Play(Model.StepByStep()); // HALT
    EXPECT_FALSE(C().Execute);
    Model.RestoreRunCommands(before);
    EXPECT_TRUE(C().Execute);
    EXPECT_FALSE(C().EditorWritable) << "only the run commands come back";
    EXPECT_GE(window.Changes, 4);
}

} // namespace
} // namespace scanbench
