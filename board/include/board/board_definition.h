#pragma once

#include "board/chip_description.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scanbench {

// A chip on the board and the TAP whose lines it hangs on.
struct BoardChip {
    std::uint8_t Tap = 0; // 0 or 1
    ChipDescription Chip;
};

// A pin of a chip on the board: the chip's place in BoardDefinition::Chips
// and the pin's in its description.
struct PinRef {
    std::uint32_t Chip = 0;
    std::uint32_t Pin = 0;
    friend bool operator==(const PinRef&, const PinRef&) = default;
};

enum class NetPull : std::uint8_t { None, Up, Down };

// Pins wired together, with a resistor to the supply or to ground or none.
struct BoardNet {
    std::string Name;
    std::vector<PinRef> Pins;
    NetPull Pull = NetPull::None;
};

// A switch, or a bank of them: bit i of its value drives Pins[i].
struct BoardSwitch {
    std::string Name;
    std::vector<PinRef> Pins; // at most 64
};

// An LED, or a row of them: LED i lights while Pins[i] is high.
struct BoardLed {
    std::string Name;
    std::vector<PinRef> Pins; // at most 64
};

// Everything a board file says: the chips in chain order (each TAP's chain
// from TDI to TDO, TAP 0 first), the switches and LEDs on their pins and
// the nets between pins.
struct BoardDefinition {
    std::vector<BoardChip> Chips;
    std::vector<BoardSwitch> Switches;
    std::vector<BoardLed> Leds;
    std::vector<BoardNet> Nets;
};

} // namespace scanbench
