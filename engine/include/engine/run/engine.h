#pragma once

#include "engine/feed/engine_display.h"
#include "engine/feed/view_feed.h"
#include "engine/interpreter/line_interpreter.h"
#include "engine/program/program_text.h"
#include "engine/run/engine_state.h"
#include "engine/run/line_execution.h"
#include "engine/run/playback.h"
#include "engine/run/run_control.h"
#include "engine/run/simulation_reset.h"
#include "engine/tap/reset_scrambler.h"
#include "engine/tap/tap_models.h"

namespace scanbench {

class SignalPort;

// The simulated boundary-scan test controller: registers, event store, TAP
// models, playback and run state, with the operations that change them. It
// tells its listeners (EngineListener) and views (ViewFeed) what changed and
// drives a SignalPort. The GUI and the headless runner each hold one; tests
// make fresh ones.
class Engine {
public:
    explicit Engine(SignalPort& port, EventBudget budget = EventBudget::FromAvailableMemory());
    // An engine that tells `listener` for its whole life (a runner's or a
    // test's reporter, which is there before the engine).
    Engine(EngineListener& listener, SignalPort& port,
           EventBudget budget = EventBudget::FromAvailableMemory());
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // The program text the engine fetches from; it must outlive its use.
    void SetProgram(ProgramText& program) { Program = &program; }

    // Translates one statement without playing it (the bitstream shifter's way in).
    [[nodiscard]] std::int32_t InterpretLine(std::string_view text) {
        return Interpreter.InterpretLine(text);
    }
    void ExecuteStep() { Execution.ExecuteStep(); }
    // Up to `limit` steps until the program ends, played in runs where
    // nothing watches each event; returns the steps taken. The run modes
    // play through the same loop (RunControl::Play).
    std::uint64_t ExecuteSteps(std::uint64_t limit) { return Execution.ExecuteSteps(limit); }
    bool CheckCode() { return Execution.CheckCode(); }
    void PlayEvent() { Player.PlayEvent(); }
    // Plays the next event by hand (see PlayOptions).
    void PlayEvent(const PlayOptions& options) { Player.PlayEvent(options); }
    void ShowExecPoint() { Execution.ShowExecPoint(); }
    void ResetSimulation();
    void ApplyStartValues() { Reset.ApplyStartValues(); }
    // What opening a program does to the simulation: start values, a cleared
    // store, no breakpoints and a reset.
    void OpenProgram();

    [[nodiscard]] RunControl& Run() { return Control; }
    [[nodiscard]] EngineState& State() { return St; }
    [[nodiscard]] const EngineState& State() const { return St; }
    [[nodiscard]] ControllerRegisters& Registers() { return St.Registers; }
    [[nodiscard]] EventStore& Events() { return St.Events; }
    [[nodiscard]] const TapModels& Taps() const { return TapModel; }
    [[nodiscard]] TapModels& Taps() { return TapModel; }
    [[nodiscard]] EngineDisplay& Display() { return Shown; }
    [[nodiscard]] const EngineDisplay& Display() const { return Shown; }
    [[nodiscard]] RunSwitches& Switches() { return St.Switches; }
    // Subscribes a listener; it is told while the subscription lives.
    [[nodiscard]] EngineSubscription Listen(EngineListener& listener) {
        return Shown.Listen(listener);
    }
    // Where views subscribe to follow the simulation.
    [[nodiscard]] ViewFeed& Views() { return Feed; }
    // The clock that times continuous runs (the views' frame rate, the
    // slices of a run); the steady clock unless a test gives its own. It
    // must outlive its use.
    void UseClock(RunClock& clock) {
        Feed.UseClock(clock);
        Control.UseClock(clock);
    }
    // Subscribes a recorder of the events as they are played; it hears of
    // them while the subscription lives.
    using PlaybackSubscription = ListenerList<PlaybackObserver>::Subscription;
    [[nodiscard]] PlaybackSubscription ObservePlayback(PlaybackObserver& observer) {
        return Player.Observe(observer);
    }

private:
    StringProgramText EmptyProgram;
    ProgramText* Program = &EmptyProgram;
    EngineState St;
    ViewFeed Feed;
    EngineDisplay Shown;
    TapModels TapModel;
    EventBudget Limit;
    ResetScrambler Scrambler;
    LineInterpreter Interpreter;
    Playback Player;
    LineExecution Execution;
    SimulationReset Reset;
    RunControl Control;
    EngineSubscription FirstListener;
};

} // namespace scanbench
