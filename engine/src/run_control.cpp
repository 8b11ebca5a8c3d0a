#include "engine/run_control.h"

#include "engine/engine_display.h"
#include "engine/engine_state.h"
#include "engine/line_execution.h"
#include "engine/result_codes.h"
#include "engine/view_feed.h"

namespace scanbench {

namespace {

// Sets a flag for the lifetime of a scope.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : Flag(flag) { Flag = true; }
    ~ScopedFlag() { Flag = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& Flag;
};

} // namespace

void RunControl::EventByEvent() {
    if (Busy()) {
        return;
    }
    const ViewFeed::Batch batch(Views);
    OneEvent();
}

void RunControl::OneEvent() {
    State.Run.AboutClicks = 0;
    Display.UpdateCommands([](CommandStates& c) { c.EditorWritable = false; });
    Execution.ExecuteStep();
    const bool speedRun = State.Switches.SpeedRun;
    Display.UpdateCommands([speedRun](CommandStates& c) {
        c.Search = false;
        c.SpeedRunButton = speedRun;
    });
    Views.Notify(ViewChange::Waveforms | ViewChange::PinLevels);
}

void RunControl::StepByStep() {
    if (Busy()) {
        return;
    }
    State.Run.AboutClicks = 0;
    const ViewFeed::Batch batch(Views);
    OneStatement();
}

void RunControl::OneStatement() {
    const ScopedFlag running(InStepByStep);
    RunState& run = State.Run;
    Display.SetActivityTimer(true);
    bool unplayed = false;
    do {
        Display.UpdateCommands([](CommandStates& c) {
            c.EditorWritable = false;
            c.ShowExecPoint = true;
            c.Search = false;
        });
        Execution.ExecuteStep();
        unplayed = !State.AllPlayed();
        ++run.StepCounter;
        if (run.StepCounter > 100) {
            run.StepCounter = 0;
            run.ActivityFrame = static_cast<std::uint8_t>(run.ActivityFrame % 8 + 1);
            Display.Tell([&run](EngineListener& l) { l.DrawActivity(run.ActivityFrame); });
            Views.DeliverIfDue();
            Display.Tell([](EngineListener& l) { l.ProcessPendingMessages(); });
            if (run.ResetFlag) {
                break;
            }
        }
    } while (unplayed);
    if (run.ResetFlag) {
        Display.ShowStatus(Status::Reset, StatusColour::Green);
    }
    Display.SetActivityTimer(false);
    Views.Notify(ViewChange::PinLevels);
}

void RunControl::StartExecute() {
    State.Run.AboutClicks = 0;
    Display.SetExecuteTimer(true);
    Display.SetActivityTimer(true);
    Views.Notify(ViewChange::PinLevels);
}

void RunControl::ExecuteTick(bool oneEvent) {
    if (Busy() || !Display.ExecuteTimerRunning()) {
        return;
    }
    State.Run.AboutClicks = 0;
    const ViewFeed::Batch batch(Views);
    if (!BreakpointAllowsRun()) {
        StopAtBreakpoint();
        return;
    }
    Display.SetActivityTimer(true);
    if (oneEvent) {
        OneEvent();
    } else {
        OneStatement();
    }
    if (State.Run.ProgramEnded) {
        StopActivity();
        Display.DisableRunCommands();
    }
}

void RunControl::SpeedRun() {
    if (Busy()) {
        return;
    }
    const ScopedFlag running(InSpeedRun);
    const ViewFeed::Batch batch(Views);
    RunState& run = State.Run;
    run.AboutClicks = 0;
    StopRequested = false;
    run.ProgramEnded = false;
    const bool savedRefresh = State.Switches.RefreshWindows;
    State.Switches.RefreshWindows = false;
    Display.SetSpeedRunning(true);

    auto nextYield = Time->Now() + YieldInterval;
    unsigned sinceClockCheck = 0;
    while (!run.ProgramEnded && !StopRequested) {
        if (!BreakpointAllowsRun()) {
            StopAtBreakpoint();
            run.ProgramEnded = true; // ends the loop without disabling anything
            break;
        }
        Display.SetActivityTimer(true);
        OneEvent();
        if (run.ProgramEnded) {
            StopActivity();
            Display.UpdateCommands([](CommandStates& c) {
                c.Execute = false;
                c.Pause = false;
                c.EventByEvent = false;
                c.StepByStep = false;
                c.SpeedRunButton = false;
            });
        }
        // Views follow at the frame rate, and Pause, Reset and closing the
        // window get through now and then; the clock is read only every few
        // hundred events to keep the loop fast.
        if (++sinceClockCheck >= 256) {
            sinceClockCheck = 0;
            const auto now = Time->Now();
            Views.DeliverIfDue(now);
            if (now >= nextYield) {
                Display.Tell([](EngineListener& l) { l.ProcessPendingMessages(); });
                nextYield = Time->Now() + YieldInterval;
            }
        }
    }
    State.Switches.RefreshWindows = savedRefresh;
    Display.SetSpeedRunning(false);
    // The state diagrams were not redrawn while the run went: they show the
    // states it ended in when the batch delivers.
    Views.Notify(ViewChange::TapStates);
}

void RunControl::Pause() {
    State.Run.AboutClicks = 0;
    StopRequested = true;
    Display.SetExecuteTimer(false);
    Display.SetActivityTimer(false);
    State.Run.ActivityFrame = 0;
    Display.Tell([](EngineListener& l) { l.DrawActivity(0); });
}

void RunControl::StopActivity() {
    Display.SetExecuteTimer(false);
    State.Run.ActivityFrame = 0;
    Display.Tell([](EngineListener& l) { l.DrawActivity(0); });
    Display.SetActivityTimer(false);
}

void RunControl::StopAtBreakpoint() {
    Display.SetExecuteTimer(false);
    Display.SetActivityTimer(false);
    const std::int32_t line = State.Registers.CurrentLine + 1;
    Display.Tell([line](EngineListener& l) { l.StoppedAtBreakpoint(line); });
}

void RunControl::ActivityTick() {
    RunState& run = State.Run;
    run.AboutClicks = 0;
    run.ActivityFrame = static_cast<std::uint8_t>(run.ActivityFrame % 8 + 1);
    Display.Tell([&run](EngineListener& l) { l.DrawActivity(run.ActivityFrame); });
}

void RunControl::HousekeepingTick() {
    const bool usable = State.Switches.SpeedRun && Display.Commands().Execute;
    Display.UpdateCommands([usable](CommandStates& c) { c.SpeedRunButton = usable; });
}

bool RunControl::BreakpointAllowsRun() const {
    return !State.Breakpoints.IsSet(State.Registers.CurrentLine) || !State.AllPlayed();
}

} // namespace scanbench
