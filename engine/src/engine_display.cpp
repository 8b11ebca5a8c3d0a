#include "engine/engine_display.h"

#include "engine/controller_registers.h"
#include "engine/number_helpers.h"

namespace scanbench {

void EngineDisplay::ShowStatus(std::string_view text, StatusColour colour) {
    if (CoalesceRepeats && text == Text && colour == Colour) {
        return;
    }
    Text.assign(text);
    Colour = colour;
    CoalesceRepeats = ExecuteTimer || SpeedRunning;
    Out.ShowStatus(Text, Colour);
}

void EngineDisplay::UpdateReadouts(const ControllerRegisters& registers) {
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        if (!ReadoutsShown || CounterShown[tap] != registers.Counter[tap]) {
            CounterShown[tap] = registers.Counter[tap];
            Out.ShowCounter(tap, FormatCounter(registers.Counter[tap]));
        }
        if (!ReadoutsShown || FlagsShown[tap] != registers.Flags[tap]) {
            FlagsShown[tap] = registers.Flags[tap];
            Out.ShowFlags(tap, FormatFlags(registers.Flags[tap]));
        }
    }
    ReadoutsShown = true;
}

void EngineDisplay::DrawFlagMarkers(const ControllerRegisters& registers) {
    Out.DrawFlagMarkers({registers.SelectedFlagBit(0), registers.SelectedFlagBit(1)});
}

void EngineDisplay::DisableRunCommands() {
    UpdateCommands([](CommandStates& c) { c.DisableRunCommands(); });
}

void EngineDisplay::SetExecuteTimer(bool running) {
    if (ExecuteTimer != running) {
        ExecuteTimer = running;
        CoalesceRepeats = false; // a run's first message is always reported
        Out.SetExecuteTimer(running);
        Views.SetRunning(running);
    }
}

void EngineDisplay::SetSpeedRunning(bool running) {
    SpeedRunning = running;
    CoalesceRepeats = false;
}

void EngineDisplay::SetActivityTimer(bool running) {
    if (ActivityTimer != running) {
        ActivityTimer = running;
        Out.SetActivityTimer(running);
    }
}

} // namespace scanbench
