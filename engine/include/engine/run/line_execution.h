#pragma once

#include <cstdint>
#include <string_view>

namespace scanbench {

struct EngineState;
class EngineDisplay;
class LineInterpreter;
class Playback;
class ProgramText;
class SignalPort;

// The step that every run mode is made of: when everything recorded has been
// played it polls a pending wait or fetches, translates and acts on the next
// statement; then it plays exactly one event.
class LineExecution {
public:
    LineExecution(EngineState& state, ProgramText*& program, LineInterpreter& interpreter,
                  Playback& playback, SignalPort& port, EngineDisplay& display)
        : State(state), Program(program), Interpreter(interpreter), Player(playback), Port(port),
          Display(display) {}

    // One step. Memory running out ends the run with "Error: not enough
    // memory" instead of an exception.
    void ExecuteStep();
    // Up to `limit` steps, as many ExecuteStep() calls would take them until
    // the program ends, or with `stopsAtBreakpoints` until the next fetch
    // would start at a line with a breakpoint; returns how many were taken.
    // The steps that only play events already recorded go in one run (see
    // Playback::PlayPending), showing the execution point once, as it
    // stays where it is meanwhile.
    std::uint64_t ExecuteSteps(std::uint64_t limit, bool stopsAtBreakpoints = false);
    // Up to `limit` of the steps that only play events already recorded,
    // as ExecuteSteps plays them; returns how many were taken.
    std::uint64_t PlayRecorded(std::uint64_t limit);
    // Runs the code check: collects the labels and clears the sync state.
    // False when it stopped on an empty label ("Invalid Label").
    bool CheckCode();
    // Reports the execution point (the line after the last fetched one).
    void ShowExecPoint();

private:
    void Step();
    void EndOutOfMemory();
    void PollWait();
    void FetchAndTranslate(bool& flush);
    // Acts on a result code; returns the code, -1 for a jump to a missing label.
    std::int32_t ActOnResult(std::int32_t code, bool& flush);
    std::int32_t TakeJump(std::int32_t code);

    EngineState& State;
    ProgramText*& Program;
    LineInterpreter& Interpreter;
    Playback& Player;
    SignalPort& Port;
    EngineDisplay& Display;
};

} // namespace scanbench
