#include "engine/simulation_reset.h"

#include "engine/engine_display.h"
#include "engine/engine_state.h"
#include "engine/reset_scrambler.h"
#include "engine/result_codes.h"
#include "engine/view_feed.h"

namespace scanbench {

void SimulationReset::ResetSimulation() {
    ControllerRegisters& regs = State.Registers;
    PlaybackState& play = State.Playback;
    RunState& run = State.Run;
    Views.Notify(ViewChange::StoreCleared);
    Display.SetExecuteTimer(false);

    run.ResetFlag = true;
    run.ProgramEnded = false;
    play.WavesValid = false;
    play.ShiftSeen = false;
    run.AboutClicks = 0;
    regs.CurrentLine = 0;
    play.Capturing = false;
    regs.Flags = {0, 0};

    State.Labels.Clear();
    run.CodeChecked = false;

    State.Events.Clear();

    play.FirstEdge[regs.SelectedTap & 1] = true;
    regs.SelectedTap = 0;
    run.ActivityFrame = 0;

    regs.LastTms = {0, 0};
    regs.LastTck = {0, 0};
    regs.LastTx = {0, 0};

    Scrambler.Scramble(Taps);

    regs.ResetDone = {false, false};
    regs.CounterLoaded = {false, false};

    Display.Tell([](EngineListener& l) { l.ClearExecPoint(); });
    const bool speedRun = State.Switches.SpeedRun;
    Display.UpdateCommands([speedRun](CommandStates& c) {
        c.EnableRunCommands(speedRun);
        c.EditorWritable = true;
        c.ShowExecPoint = false;
        c.Search = true;
    });
    Display.HighlightSelectedTap(0);

    run.ActivityFrame = 0;
    Display.Tell([](EngineListener& l) { l.DrawActivity(0); });
    Display.SetActivityTimer(false);

    Display.ShowStatus(Status::Reset, StatusColour::Green);

    regs.SelectedTap = 0;
    regs.FlagMask = {1, 1};
    regs.Counter = {0, 0};
    Display.DrawFlagMarkers(regs);
    Display.ShowReadouts(regs);
}

void SimulationReset::ApplyStartValues() {
    ControllerRegisters& regs = State.Registers;
    regs.SelectedTap = 0;
    State.Playback.FirstEdge = {true, true};
    regs.LastTms = {0, 0};
    regs.LastTck = {0, 0};
    regs.LastTx = {0, 0};
    regs.CurrentLine = 0;
    State.Playback.Capturing = false;
    State.Run.CodeChecked = false;
    State.Labels.Clear();
    State.Run.StepCounter = 0;
    State.Run.ActivityFrame = 0;
    State.Playback.WavesValid = false;
}

} // namespace scanbench
