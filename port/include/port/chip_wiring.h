#pragma once

#include "port/parallel_connector.h"
#include "port/pin_settings.h"

#include <array>
#include <cstdint>

namespace scanbench {

// How the demo board's chips hang on the connector, cabled as the pin
// settings say. Each TAP's TCK, TMS and TX pins drive that TAP's chain; a pin
// that is not an output pin drives nothing and the line reads high (the
// board's pull-up). The chain's TDO drives the TAP's RX pin, and the SIA and
// SIB switches drive the SIA and SIB pins; a link to a pin that is not an
// input pin is dropped, several links on one pin form a wired AND, and input
// pins without a link read high.
class ChipWiring {
public:
    explicit ChipWiring(const PinSettings& pins);

    // The lines the chips see (BoardLine bits) for the levels on the pins.
    [[nodiscard]] std::uint8_t ChipLines(PinLevels driven) const;
    // Levels of the five input pins for the board's outputs (BoardLine
    // output bits: TDO of each TAP, SIA, SIB).
    [[nodiscard]] PinLevels InputLevels(std::uint8_t outputs) const;

private:
    // Output pin of each line, in BoardLine bit order (TCK, TMS, TDI of TAP 0, then TAP 1).
    std::array<std::uint8_t, 6> LinePins{};
    // Input pin of each board output, in BoardLine output bit order.
    std::array<std::uint8_t, 4> OutputPins{};
};

} // namespace scanbench
