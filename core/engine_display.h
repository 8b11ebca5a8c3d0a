#pragma once

#include "core/command_states.h"
#include "core/engine_reporter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace scanbench {

struct ControllerRegisters;

// The engine's side of the main window's displays: it remembers what was last
// shown and passes only changes on to the reporter, so that per-event
// updates cost a comparison unless something really changed.
class EngineDisplay {
public:
    explicit EngineDisplay(EngineReporter& reporter) : Out(reporter) {}

    [[nodiscard]] EngineReporter& Reporter() { return Out; }

    void ShowStatus(std::string_view text, StatusColour colour);
    // Changes only the colour of the status line.
    void ShowStatusColour(StatusColour colour) { ShowStatus(std::string(Text), colour); }
    [[nodiscard]] const std::string& StatusText() const { return Text; }
    [[nodiscard]] StatusColour StatusColourShown() const { return Colour; }

    // Counter and flag read-outs of both TAPs.
    void ShowReadouts(const ControllerRegisters& registers);
    void DrawFlagMarkers(const ControllerRegisters& registers);
    void HighlightSelectedTap(std::uint8_t tap);

    [[nodiscard]] const CommandStates& Commands() const { return Shown; }
    // Applies a change of the command states and reports it if anything changed.
    template <typename Change>
    void UpdateCommands(Change&& change) {
        CommandStates next = Shown;
        change(next);
        if (!(next == Shown)) {
            Shown = next;
            Out.ApplyCommandStates(Shown);
        }
    }
    void DisableRunCommands();

    void SetExecuteTimer(bool running);
    void SetActivityTimer(bool running);
    [[nodiscard]] bool ExecuteTimerRunning() const { return ExecuteTimer; }
    [[nodiscard]] bool ActivityTimerRunning() const { return ActivityTimer; }

private:
    EngineReporter& Out;
    std::string Text;
    StatusColour Colour = StatusColour::Red;
    std::array<std::optional<std::int32_t>, 2> CounterShown{};
    std::array<std::optional<std::uint8_t>, 2> FlagsShown{};
    std::optional<std::uint8_t> HighlightedTap;
    CommandStates Shown;
    bool ExecuteTimer = false;
    bool ActivityTimer = false;
};

} // namespace scanbench
