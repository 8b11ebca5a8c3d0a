#pragma once

namespace scanbench {

struct EngineState;
class EngineDisplay;
class ResetScrambler;
class TapModels;
class ViewFeed;

// The simulation reset and the run state's start values.
class SimulationReset {
public:
    SimulationReset(EngineState& state, TapModels& taps, ResetScrambler& scrambler,
                    EngineDisplay& display, ViewFeed& views)
        : State(state), Taps(taps), Scrambler(scrambler), Display(display), Views(views) {}

    // Ends a continuous run, clears the store, scrambles both TAP models and
    // resets the registers; the listeners hear RunNews::Reset and the status
    // shows "Reset".
    void ResetSimulation();
    // The start values of the run state, applied at program start and by Open.
    void ApplyStartValues();

private:
    EngineState& State;
    TapModels& Taps;
    ResetScrambler& Scrambler;
    EngineDisplay& Display;
    ViewFeed& Views;
};

} // namespace scanbench
