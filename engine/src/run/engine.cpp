#include "engine/run/engine.h"

namespace scanbench {

Engine::Engine(SignalPort& port, EventBudget budget)
    : Shown(Feed), TapModel(Feed), Limit(budget),
      Interpreter(St.Registers, St.Events, TapModel, Limit),
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

void Engine::OpenProgram() {
    St.Events.Clear();
    St.Breakpoints.ClearAll();
    Reset.ApplyStartValues();
    ResetSimulation();
}

} // namespace scanbench
