#pragma once

#include "engine/feed/engine_listener.h"

#include <array>
#include <string>

namespace scanbench {

// What the headless runner keeps of the engine's reports: the status line and
// the counter and flag read-outs.
class HeadlessReporter : public EngineListener {
public:
    void ShowStatus(std::string_view text, StatusColour colour) override {
        Status.assign(text);
        Colour = colour;
    }
    void ShowCounter(std::uint8_t tap, std::string_view text) override {
        Counter[tap & 1].assign(text);
    }
    void ShowFlags(std::uint8_t tap, std::string_view text) override {
        Flags[tap & 1].assign(text);
    }

    std::string Status;
    StatusColour Colour = StatusColour::Green;
    std::array<std::string, 2> Counter{"00000000h", "00000000h"};
    std::array<std::string, 2> Flags{"00000000b", "00000000b"};
};

} // namespace scanbench
