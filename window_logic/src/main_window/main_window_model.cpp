#include "window_logic/main_window/main_window_model.h"

namespace scanbench {

template <typename Change>
void MainWindowModel::Update(Change&& change) {
    change(Enabled);
}

void MainWindowModel::Changed() {
    Listeners.ForEach([](MainWindowModelListener& l) { l.ModelChanged(); });
}

void MainWindowModel::FollowEveryStep() {
    FollowSteps = true;
    Changed();
}

std::optional<RunSlice> MainWindowModel::EventByEvent() {
    if (SliceDue()) {
        return std::nullopt;
    }
    ClearAboutClicks();
    Playing = Asked::Event;
    return RunSlice{.Goal = RunGoal::Event};
}

std::optional<RunSlice> MainWindowModel::StepByStep() {
    if (SliceDue()) {
        return std::nullopt;
    }
    ClearAboutClicks();
    return BeginStatement(false);
}

RunSlice MainWindowModel::BeginStatement(bool stopsAtBreakpoints) {
    ActivityTicks = true;
    Playing = Asked::Statement;
    Changed();
    return {
        .Goal = RunGoal::Statement, .StopsAtBreakpoints = stopsAtBreakpoints, .MaxTime = SliceTime};
}

void MainWindowModel::Execute() {
    ClearAboutClicks();
    Executing = true;
    ActivityTicks = true;
    Changed();
}

std::optional<RunSlice> MainWindowModel::ExecuteTick() {
    if (!ExecuteTimerOn()) {
        return std::nullopt;
    }
    ClearAboutClicks();
    if (!Timing.OneEventPerTick) {
        return BeginStatement(true);
    }
    ActivityTicks = true;
    Playing = Asked::Event;
    Changed();
    return RunSlice{.Goal = RunGoal::Event, .StopsAtBreakpoints = true};
}

std::optional<RunSlice> MainWindowModel::SpeedRun() {
    if (SliceDue()) {
        return std::nullopt;
    }
    ClearAboutClicks();
    // The state diagrams are not redrawn while it runs: they show the
    // states it ends in.
    FollowStepsBefore = FollowSteps;
    FollowSteps = false;
    Going = Continuation::SpeedRun;
    ActivityTicks = true;
    Playing = Asked::SpeedRun;
    Changed();
    return SpeedRunSlice(true);
}

RunSlice MainWindowModel::SpeedRunSlice(bool first) const {
    return {.Goal = RunGoal::End,
            .StopsAtBreakpoints = true,
            .PlaysOnAfterEnd = first,
            .MaxTime = SliceTime};
}

std::optional<RunSlice> MainWindowModel::NextSlice() {
    switch (Going) {
    case Continuation::None:
        return std::nullopt;
    case Continuation::Statement:
        Playing = Asked::Statement;
        return RunSlice{.Goal = RunGoal::Statement, .MaxTime = SliceTime};
    case Continuation::SpeedRun:
        Playing = Asked::SpeedRun;
        return SpeedRunSlice(false);
    }
    return std::nullopt;
}

void MainWindowModel::SliceEnded(const SliceOutcome& outcome) {
    const Asked played = Playing;
    Playing = Asked::Nothing;
    switch (played) {
    case Asked::Nothing:
        return;
    case Asked::Event:
        EventEnded(outcome);
        break;
    case Asked::Statement:
        StatementEnded(outcome);
        break;
    case Asked::SpeedRun:
        SpeedRunEnded(outcome);
        break;
    }
    Changed();
}

void MainWindowModel::EventEnded(const SliceOutcome& outcome) {
    if (outcome.AtBreakpoint) {
        Executing = false;
        ActivityTicks = false;
        return;
    }
    const bool speedRun = SpeedRunSetting;
    Update([speedRun](CommandStates& c) {
        c.EditorWritable = false;
        c.Search = false;
        c.SpeedRunButton = speedRun;
    });
    if (Executing && outcome.ProgramEnded) {
        StopActivity();
        Update([](CommandStates& c) { c.DisableRunCommands(); });
    }
}

void MainWindowModel::StatementEnded(const SliceOutcome& outcome) {
    if (outcome.AtBreakpoint) {
        Executing = false;
        ActivityTicks = false;
        Going = Continuation::None;
        return;
    }
    Update([](CommandStates& c) {
        c.EditorWritable = false;
        c.ShowExecPoint = true;
        c.Search = false;
    });
    if (!outcome.GoalReached) {
        Going = Continuation::Statement;
        return;
    }
    Going = Continuation::None;
    ActivityTicks = Executing;
    if (Executing && outcome.ProgramEnded) {
        StopActivity();
        Update([](CommandStates& c) { c.DisableRunCommands(); });
    }
}

void MainWindowModel::SpeedRunEnded(const SliceOutcome& outcome) {
    if (Going != Continuation::SpeedRun) {
        return; // paused or reset while the slice was asked for
    }
    if (outcome.Steps > 0) {
        const bool speedRun = SpeedRunSetting;
        Update([speedRun](CommandStates& c) {
            c.EditorWritable = false;
            c.Search = false;
            c.SpeedRunButton = speedRun;
        });
    }
    if (outcome.AtBreakpoint) {
        // Stopped before the breakpoint, nothing disabled.
        Executing = false;
        ActivityTicks = false;
        EndSpeedRun();
    } else if (outcome.ProgramEnded) {
        StopActivity();
        Update([](CommandStates& c) {
            c.Execute = false;
            c.Pause = false;
            c.EventByEvent = false;
            c.StepByStep = false;
            c.SpeedRunButton = false; // the menu item keeps its state
        });
        EndSpeedRun();
    }
}

void MainWindowModel::StopActivity() {
    Executing = false;
    Frame = 0;
    ActivityTicks = false;
}

void MainWindowModel::EndSpeedRun() {
    Going = Continuation::None;
    FollowSteps = FollowStepsBefore;
}

void MainWindowModel::Pause() {
    ClearAboutClicks();
    if (Going == Continuation::SpeedRun) {
        EndSpeedRun();
    }
    Executing = false;
    ActivityTicks = false;
    Frame = 0;
    Changed();
}

void MainWindowModel::AdvanceFrame() {
    Frame = static_cast<std::uint8_t>(Frame % ActivityFrames + 1);
}

void MainWindowModel::ActivityTick() {
    ClearAboutClicks();
    AdvanceFrame();
    Changed();
}

void MainWindowModel::HousekeepingTick() {
    const bool usable = SpeedRunSetting && Enabled.Execute;
    if (Enabled.SpeedRunButton != usable) {
        Update([usable](CommandStates& c) { c.SpeedRunButton = usable; });
        Changed();
    }
}

void MainWindowModel::Start() {
    Enabled = CommandStates{}; // everything that needs a program starts disabled
    Changed();
}

void MainWindowModel::FirstShown() {
    ActivityTicks = false;
    Update([](CommandStates& c) { c.DisableRunCommands(); });
    Changed();
}

void MainWindowModel::TextChanged(std::int32_t lineCount) {
    const bool speedRun = SpeedRunSetting;
    Update([lineCount, speedRun](CommandStates& c) {
        c.GutterBoxes = true;
        c.SaveItems = true;
        if (lineCount > 1) {
            c.EnableRunCommands(speedRun);
            c.SaveFileButton = true;
        }
    });
    Changed();
}

void MainWindowModel::ProgramCleared() {
    Update([](CommandStates& c) {
        c.SaveFileButton = false;
        c.SaveItems = false;
        c.GutterBoxes = false;
        c.EditorWritable = true;
        c.ShowExecPoint = false;
        c.Search = true;
        c.DisableRunCommands();
        c.Reset = false;
    });
    Changed();
}

void MainWindowModel::ProgramOpened() {
    const bool speedRun = SpeedRunSetting;
    Update([speedRun](CommandStates& c) {
        c.EditorWritable = true;
        c.ShowExecPoint = false;
        c.Search = true;
        c.GutterBoxes = true;
        c.EnableRunCommands(speedRun);
    });
    Changed();
}

void MainWindowModel::RestoreRunCommands(const CommandStates& earlier) {
    Update([&earlier](CommandStates& c) { c.RestoreRunCommands(earlier); });
    Changed();
}

void MainWindowModel::RunChanged(RunNews news) {
    const bool speedRun = SpeedRunSetting;
    switch (news) {
    case RunNews::CodeChecked:
        Update([speedRun](CommandStates& c) {
            c.EnableRunCommands(speedRun);
            c.Reset = false;
        });
        break;
    case RunNews::Started:
        Update([](CommandStates& c) { c.Reset = true; });
        break;
    case RunNews::ProgramStopped:
        Update([](CommandStates& c) { c.DisableRunCommands(); });
        break;
    case RunNews::Reset:
        // Whatever ran has stopped; the program may run again from its start.
        if (Going == Continuation::SpeedRun) {
            EndSpeedRun();
        }
        Going = Continuation::None;
        Executing = false;
        Frame = 0;
        ActivityTicks = false;
        ClearAboutClicks();
        Update([speedRun](CommandStates& c) {
            c.EnableRunCommands(speedRun);
            c.EditorWritable = true;
            c.ShowExecPoint = false;
            c.Search = true;
        });
        break;
    }
    Changed();
}

} // namespace scanbench
