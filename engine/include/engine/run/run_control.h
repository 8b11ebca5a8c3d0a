#pragma once

#include "engine/run/run_clock.h"

#include <cstdint>
#include <limits>

namespace scanbench {

struct EngineState;
class EngineDisplay;
class LineExecution;
class ViewFeed;

// What one slice of a run plays towards.
enum class RunGoal : std::uint8_t {
    Event,     // one step (Event-by-Event)
    Statement, // steps until the statement's events are all played (Step-by-Step)
    End,       // steps until the program ends (Speed Run)
};

// One slice of a run. Whoever drives a run that takes long (a window that
// must keep painting) plays it in slices, each bounded by a number of steps
// or a time on the engine's clock, and is back in control between them.
struct RunSlice {
    RunGoal Goal = RunGoal::Statement;
    // Stops before a statement whose first line carries a breakpoint
    // (Execute and Speed Run; Event-by-Event and Step-by-Step move past it).
    bool StopsAtBreakpoints = false;
    // Plays on after the program ended: the step after the end fetches
    // again from the line where the last run ended (a Speed Run does so).
    bool PlaysOnAfterEnd = false;
    // The slice ends after this many steps, or at the first check once this
    // much time has passed on the engine's clock; it takes one step at least.
    std::uint64_t MaxSteps = std::numeric_limits<std::uint64_t>::max();
    RunClock::Clock::duration MaxTime = RunClock::Clock::duration::max();
};

// How a slice ended.
struct SliceOutcome {
    std::uint64_t Steps = 0;
    bool GoalReached = false;  // the step, the statement or the program is done
    bool AtBreakpoint = false; // stopped before a breakpoint, nothing more to play
    bool ProgramEnded = false; // the program has ended (also when the goal was one step)
};

// The run modes built from the step, as slices of a run: one event, one
// statement, or on to the end, stopping at breakpoints where asked. The
// engine keeps no run going between slices: whoever drives the run decides
// when the next slice plays, and may reset, pause or close in between.
class RunControl {
public:
    RunControl(EngineState& state, LineExecution& execution, EngineDisplay& display,
               ViewFeed& views)
        : State(state), Execution(execution), Display(display), Views(views) {}

    // Plays one slice and says how it ended. A slice that stops at a
    // breakpoint tells the listeners (StoppedAtBreakpoint).
    SliceOutcome Play(const RunSlice& slice);

    // A continuous run (Execute, Speed Run, a Step-by-Step of many slices)
    // starts or ends; see EngineDisplay::SetContinuous.
    void SetContinuous(bool continuous);

    // Whether the run may go on to the statement at CurrentLine: not when
    // that line carries a breakpoint and everything recorded has been played.
    [[nodiscard]] bool BreakpointAllowsRun() const;

    // How many steps a slice takes between two looks at the clock: few
    // enough that a slice keeps to its time, many enough that the looks
    // cost nothing.
    static constexpr std::uint64_t StepsPerClockCheck = 4096;
    // The clock that times the slices; it must outlive its use.
    void UseClock(RunClock& clock) { Time = &clock; }

private:
    // A slice's bound: the steps left and the time it ends at.
    class Budget;

    SliceOutcome PlayEvent(const RunSlice& slice);
    SliceOutcome PlayStatement(const RunSlice& slice, Budget& budget);
    SliceOutcome PlayToEnd(const RunSlice& slice, Budget& budget);
    // Stops before a breakpoint and says so.
    SliceOutcome StopAtBreakpoint(std::uint64_t steps);

    EngineState& State;
    LineExecution& Execution;
    EngineDisplay& Display;
    ViewFeed& Views;
    RunClock* Time = &RunClock::Steady();
};

} // namespace scanbench
