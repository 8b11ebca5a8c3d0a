#pragma once

#include "engine/feed/engine_listener.h"
#include "engine/feed/view_feed.h"
#include "engine/interpreter/controller_registers.h"

#include <array>
#include <cstdint>
#include <string>

namespace scanbench {

// The engine's side of the main window's displays: it remembers what was last
// shown and passes only changes on to the listeners, so that per-event
// updates cost a comparison unless something really changed. Status
// messages are the exception: outside a continuous run every one is passed
// on, so that a log of them holds each statement stepped; inside one a
// message that repeats the one shown is passed on only once.
class EngineDisplay {
public:
    explicit EngineDisplay(ViewFeed& views) : Views(views) {}

    [[nodiscard]] EngineSubscription Listen(EngineListener& listener) {
        return Out.Subscribe(listener);
    }
    // Tells every listener: `tell(listener)`.
    template <typename Call>
    void Tell(Call&& tell) {
        Out.ForEach(tell);
    }
    void TellRun(RunNews news) {
        Out.ForEach([news](EngineListener& l) { l.RunChanged(news); });
    }

    void ShowStatus(std::string_view text, StatusColour colour);
    [[nodiscard]] const std::string& StatusText() const { return Text; }

    // Counter and flag read-outs of both TAPs.
    void ShowReadouts(const ControllerRegisters& registers) {
        if (!ReadoutsShown || registers.Counter[0] != CounterShown[0] ||
            registers.Counter[1] != CounterShown[1] || registers.Flags[0] != FlagsShown[0] ||
            registers.Flags[1] != FlagsShown[1]) {
            UpdateReadouts(registers);
        }
    }
    void DrawFlagMarkers(const ControllerRegisters& registers);
    void HighlightSelectedTap(std::uint8_t tap) {
        if (HighlightedTap != tap) {
            HighlightedTap = tap;
            Out.ForEach([tap](EngineListener& l) { l.HighlightSelectedTap(tap); });
        }
    }

    // A continuous run (Execute, Speed Run, a Step-by-Step of many slices)
    // starts or ends: while it goes, the views are refreshed at the frame
    // rate and repeated status messages are passed on once.
    void SetContinuous(bool continuous);
    [[nodiscard]] bool Continuous() const { return InRun; }

private:
    void UpdateReadouts(const ControllerRegisters& registers);

    ListenerList<EngineListener> Out;
    ViewFeed& Views;
    std::string Text;
    StatusColour Colour = StatusColour::Red;
    // A repeat of the message shown is not passed on: it was shown during
    // the continuous run that is still going.
    bool CoalesceRepeats = false;
    // The read-out values last shown; nothing is shown before the first call.
    bool ReadoutsShown = false;
    std::array<std::int32_t, 2> CounterShown{};
    std::array<std::uint8_t, 2> FlagsShown{};
    int HighlightedTap = -1; // none yet
    bool InRun = false;
};

} // namespace scanbench
