#pragma once

#include "engine/events/event_store.h"
#include "engine/interpreter/controller_registers.h"
#include "engine/program/breakpoint_flags.h"
#include "engine/program/label_table.h"
#include "engine/run/playback_state.h"
#include "engine/run/run_state.h"
#include "engine/run/run_switches.h"

namespace scanbench {

// The simulation's plain state, shared by the engine's parts.
struct EngineState {
    RunSwitches Switches;
    ControllerRegisters Registers;
    EventStore Events;
    PlaybackState Playback;
    RunState Run;
    LabelTable Labels;
    BreakpointFlags Breakpoints;

    [[nodiscard]] bool AllPlayed() const { return Events.PlayedCount() == Events.EventCount(); }
    // Whether a run that stops at breakpoints stops here: the next step
    // fetches the statement at CurrentLine, and that line carries one.
    [[nodiscard]] bool BreakpointHolds() const {
        return AllPlayed() && Breakpoints.IsSet(Registers.CurrentLine);
    }
};

} // namespace scanbench
