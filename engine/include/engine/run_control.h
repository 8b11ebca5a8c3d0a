#pragma once

#include "engine/run_clock.h"

#include <chrono>

namespace scanbench {

struct EngineState;
class EngineDisplay;
class LineExecution;
class ViewFeed;

// The run modes built from the step: Event-by-Event, Step-by-Step, Execute
// (one Step-by-Step per timer tick, stopping at breakpoints), Speed Run and
// Pause, plus the activity indicator and the Speed Run button's housekeeping.
class RunControl {
public:
    RunControl(EngineState& state, LineExecution& execution, EngineDisplay& display,
               ViewFeed& views)
        : State(state), Execution(execution), Display(display), Views(views) {}

    // Commands of the main window. A command that arrives while a
    // Step-by-Step or Speed Run lets the user interface run (from a click or a
    // timer tick during its yield) is ignored instead of nesting a run inside
    // the running one.
    void EventByEvent();
    void StepByStep();
    void StartExecute();
    // One tick of Execute's timer: one statement, or with `oneEvent` one
    // event (a slow pace that shows a shift bit by bit).
    void ExecuteTick(bool oneEvent = false);
    void SpeedRun();
    void Pause();

    // The activity indicator's timer tick: the next animation frame.
    void ActivityTick();
    // The Speed Run button is usable only with the setting on and Execute enabled.
    void HousekeepingTick();

    // Whether the run may go on to the statement at CurrentLine: not when
    // that line carries a breakpoint and everything recorded has been played.
    [[nodiscard]] bool BreakpointAllowsRun() const;

    // Asks a running Speed Run to stop at its next yield (reset, closing).
    void RequestStop() { StopRequested = true; }
    [[nodiscard]] bool Busy() const { return InStepByStep || InSpeedRun; }

    // How often a Speed Run lets the user interface handle its messages.
    static constexpr std::chrono::milliseconds YieldInterval{50};
    // The clock that times those yields; it must outlive its use.
    void UseClock(RunClock& clock) { Time = &clock; }

private:
    void OneEvent();
    void OneStatement();
    void StopActivity();
    // Stops Execute or Speed Run before a breakpoint and says so.
    void StopAtBreakpoint();

    EngineState& State;
    LineExecution& Execution;
    EngineDisplay& Display;
    ViewFeed& Views;
    RunClock* Time = &RunClock::Steady();
    bool InStepByStep = false;
    bool InSpeedRun = false;
    bool StopRequested = false;
};

} // namespace scanbench
