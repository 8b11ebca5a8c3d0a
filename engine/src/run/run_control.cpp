#include "engine/run/run_control.h"

#include "engine/feed/engine_display.h"
#include "engine/feed/view_feed.h"
#include "engine/run/engine_state.h"
#include "engine/run/line_execution.h"

#include <algorithm>

namespace scanbench {

class RunControl::Budget {
public:
    Budget(const RunSlice& slice, RunClock& clock) : StepsLeft(slice.MaxSteps), Time(clock) {
        if (slice.MaxTime != RunClock::Clock::duration::max()) {
            Deadline = Time.Now() + slice.MaxTime;
            Timed = true;
        }
    }
    // Steps to take before the next look at the clock.
    [[nodiscard]] std::uint64_t NextSteps() const {
        return Timed ? std::min(StepsLeft, StepsPerClockCheck) : StepsLeft;
    }
    // Counts steps taken; true while the slice may go on.
    bool Took(std::uint64_t steps) {
        StepsLeft -= std::min(StepsLeft, steps);
        return StepsLeft > 0 && (!Timed || Time.Now() < Deadline);
    }

private:
    std::uint64_t StepsLeft;
    RunClock& Time;
    RunClock::Clock::time_point Deadline{};
    bool Timed = false;
};

SliceOutcome RunControl::Play(const RunSlice& slice) {
    if (slice.PlaysOnAfterEnd) {
        State.Run.ProgramEnded = false;
    }
    if (slice.Goal == RunGoal::Event) {
        return PlayEvent(slice);
    }
    Budget budget(slice, *Time);
    return slice.Goal == RunGoal::Statement ? PlayStatement(slice, budget)
                                            : PlayToEnd(slice, budget);
}

SliceOutcome RunControl::PlayEvent(const RunSlice& slice) {
    if (slice.StopsAtBreakpoints && !BreakpointAllowsRun()) {
        return StopAtBreakpoint(0);
    }
    Execution.ExecuteStep();
    Views.Notify(ViewChange::Waveforms | ViewChange::PinLevels);
    return {.Steps = 1, .GoalReached = true, .ProgramEnded = State.Run.ProgramEnded};
}

SliceOutcome RunControl::PlayStatement(const RunSlice& slice, Budget& budget) {
    // A statement under way plays on; a new one may be held by a breakpoint.
    if (slice.StopsAtBreakpoints && !BreakpointAllowsRun()) {
        return StopAtBreakpoint(0);
    }
    Execution.ExecuteStep();
    SliceOutcome outcome{.Steps = 1};
    bool goesOn = budget.Took(1);
    while (goesOn && !State.AllPlayed()) {
        const std::uint64_t played = Execution.PlayRecorded(budget.NextSteps());
        if (played == 0) {
            break; // memory ran out: the run has ended
        }
        outcome.Steps += played;
        goesOn = budget.Took(played);
    }
    Views.Notify(ViewChange::PinLevels);
    outcome.GoalReached = State.AllPlayed() || State.Run.ProgramEnded;
    outcome.ProgramEnded = State.Run.ProgramEnded;
    return outcome;
}

SliceOutcome RunControl::PlayToEnd(const RunSlice& slice, Budget& budget) {
    SliceOutcome outcome;
    bool goesOn = true;
    while (goesOn && !State.Run.ProgramEnded) {
        if (slice.StopsAtBreakpoints && !BreakpointAllowsRun()) {
            Views.Notify(ViewChange::Waveforms | ViewChange::PinLevels);
            return StopAtBreakpoint(outcome.Steps);
        }
        const std::uint64_t taken =
            Execution.ExecuteSteps(budget.NextSteps(), slice.StopsAtBreakpoints);
        outcome.Steps += taken;
        goesOn = budget.Took(taken);
    }
    Views.Notify(ViewChange::Waveforms | ViewChange::PinLevels);
    outcome.GoalReached = State.Run.ProgramEnded;
    outcome.ProgramEnded = State.Run.ProgramEnded;
    return outcome;
}

SliceOutcome RunControl::StopAtBreakpoint(std::uint64_t steps) {
    const std::int32_t line = State.Registers.CurrentLine + 1;
    Display.Tell([line](EngineListener& l) { l.StoppedAtBreakpoint(line); });
    return {.Steps = steps, .AtBreakpoint = true, .ProgramEnded = State.Run.ProgramEnded};
}

void RunControl::SetContinuous(bool continuous) {
    Display.SetContinuous(continuous);
}

bool RunControl::BreakpointAllowsRun() const {
    return !State.BreakpointHolds();
}

} // namespace scanbench
