#pragma once

#include "core/breakpoint_flags.h"
#include "core/controller_registers.h"
#include "core/event_store.h"
#include "core/label_table.h"
#include "core/playback_state.h"
#include "core/run_state.h"
#include "core/run_switches.h"

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
};

} // namespace scanbench
