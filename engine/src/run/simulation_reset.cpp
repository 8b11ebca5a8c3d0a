#include "engine/run/simulation_reset.h"

#include "engine/feed/engine_display.h"
#include "engine/feed/view_feed.h"
#include "engine/interpreter/result_codes.h"
#include "engine/run/engine_state.h"
#include "engine/tap/reset_scrambler.h"

namespace scanbench {

void SimulationReset::ResetSimulation() {
    ControllerRegisters& regs = State.Registers;
    PlaybackState& play = State.Playback;
    RunState& run = State.Run;
    Views.Notify(ViewChange::StoreCleared);
    Display.SetContinuous(false); // a run going ends here

    run.ProgramEnded = false;
    play.WavesValid = false;
    play.ShiftSeen = false;
    regs.CurrentLine = 0;
    play.Capturing = false;
    regs.Flags = {0, 0};

    State.Labels.Clear();
    run.CodeChecked = false;

    State.Events.Clear();

    play.FirstEdge[regs.SelectedTap & 1] = true;
    regs.SelectedTap = 0;

    regs.LastTms = {0, 0};
    regs.LastTck = {0, 0};
    regs.LastTx = {0, 0};

    Scrambler.Scramble(Taps);

    regs.ResetDone = {false, false};
    regs.CounterLoaded = {false, false};

    Display.Tell([](EngineListener& l) { l.ClearExecPoint(); });
    Display.TellRun(RunNews::Reset);
    Display.HighlightSelectedTap(0);

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
    State.Playback.WavesValid = false;
}

} // namespace scanbench
