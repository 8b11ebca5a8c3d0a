#include "engine/feed/engine_display.h"

#include "engine/interpreter/controller_registers.h"
#include "engine/program/number_helpers.h"

namespace scanbench {

void EngineDisplay::ShowStatus(std::string_view text, StatusColour colour) {
    if (CoalesceRepeats && text == Text && colour == Colour) {
        return;
    }
    Text.assign(text);
    Colour = colour;
    CoalesceRepeats = InRun;
    Out.ForEach([this](EngineListener& l) { l.ShowStatus(Text, Colour); });
}

void EngineDisplay::UpdateReadouts(const ControllerRegisters& registers) {
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        if (!ReadoutsShown || CounterShown[tap] != registers.Counter[tap]) {
            CounterShown[tap] = registers.Counter[tap];
            const std::string text = FormatCounter(registers.Counter[tap]);
            Out.ForEach([tap, &text](EngineListener& l) { l.ShowCounter(tap, text); });
        }
        if (!ReadoutsShown || FlagsShown[tap] != registers.Flags[tap]) {
            FlagsShown[tap] = registers.Flags[tap];
            const std::string text = FormatFlags(registers.Flags[tap]);
            Out.ForEach([tap, &text](EngineListener& l) { l.ShowFlags(tap, text); });
        }
    }
    ReadoutsShown = true;
}

void EngineDisplay::DrawFlagMarkers(const ControllerRegisters& registers) {
    const std::array<int, 2> bits{registers.SelectedFlagBit(0), registers.SelectedFlagBit(1)};
    Out.ForEach([&bits](EngineListener& l) { l.DrawFlagMarkers(bits); });
}

void EngineDisplay::SetContinuous(bool continuous) {
    if (InRun != continuous) {
        InRun = continuous;
        CoalesceRepeats = false; // a run's first message is always reported
        Views.SetRunning(continuous);
    }
}

} // namespace scanbench
