#include "engine/engine.h"

namespace scanbench {

Engine::Engine(EngineReporter& reporter, SignalPort& port, EventBudget budget)
    : Shown(reporter, Feed), TapModel(St.Switches, Feed), Limit(budget),
      Interpreter(St.Registers, St.Events, TapModel, Limit),
      Player(St, TapModel, port, Shown, Feed),
      Execution(St, Program, Interpreter, Player, port, Shown),
      Reset(St, TapModel, Scrambler, Shown, Feed), Control(St, Execution, Shown, Feed) {}

void Engine::ResetSimulation() {
    if (Control.Busy()) {
        Control.RequestStop();
    }
    Reset.ResetSimulation();
}

void Engine::OpenProgram() {
    St.Events.Clear();
    Reset.ApplyStartValues();
    ResetSimulation();
}

} // namespace scanbench
