#include "engine/engine.h"

#include "engine/result_codes.h"

#include <new>

namespace scanbench {

Engine::Engine(SignalPort& port, EventBudget budget)
    : Shown(Feed), TapModel(Feed), Limit(budget),
      Interpreter(St.Registers, St.Events, St.Unrecorded, TapModel, Limit),
      Player(St, TapModel, port, Shown, Feed),
      Execution(St, Program, Interpreter, Player, port, Shown),
      Reset(St, TapModel, Scrambler, Shown, Feed), Control(St, Execution, Shown, Feed) {}

Engine::Engine(EngineListener& listener, SignalPort& port, EventBudget budget)
    : Engine(port, budget) {
    FirstListener = Listen(listener);
}

void Engine::ResetSimulation() {
    Reset.ResetSimulation();
}

std::int32_t Engine::InterpretLine(std::string_view text) {
    const std::uint32_t before = St.Events.EventCount();
    const std::int32_t code = Interpreter.InterpretLine(text);
    try {
        St.Unrecorded.RecordRest(St.Events);
    } catch (const std::bad_alloc&) {
        // Refused as the interpreter refuses a statement it cannot hold.
        St.Events.DropNewest(before);
        return Result::OutOfMemory;
    }
    return code;
}

void Engine::OpenProgram() {
    St.ClearEvents();
    St.Breakpoints.ClearAll();
    Reset.ApplyStartValues();
    ResetSimulation();
}

} // namespace scanbench
