#pragma once

#include <cstdint>

namespace scanbench {

// Electrical levels on the 25-way connector, one bit per pin: bit p is the
// level of pin p (1 = high). Pins beyond 31 have no bit and read low.
using PinLevels = std::uint32_t;

[[nodiscard]] constexpr PinLevels PinBit(std::uint8_t pin) {
    return pin < 32 ? PinLevels{1} << pin : PinLevels{0};
}

// Levels a PC port drives onto its output pins for the given register
// contents. The data register maps straight onto pins 2..9; in the control
// register the hardware inverts bits 0, 1 and 3 (pins 1, 14, 17) but not
// bit 2 (pin 16).
[[nodiscard]] constexpr PinLevels DrivenPinLevels(std::uint8_t data, std::uint8_t control) {
    PinLevels levels = static_cast<PinLevels>(data) << 2;
    if ((control & 0x01) == 0) {
        levels |= PinBit(1);
    }
    if ((control & 0x02) == 0) {
        levels |= PinBit(14);
    }
    if ((control & 0x04) != 0) {
        levels |= PinBit(16);
    }
    if ((control & 0x08) == 0) {
        levels |= PinBit(17);
    }
    return levels;
}

// The status register image a PC port shows for the levels on its input
// pins: bit 3 pin 15, bit 4 pin 13, bit 5 pin 12, bit 6 pin 10 and bit 7 the
// inverse of pin 11. Bits 0..2 have no pin behind them and read 1, as
// unconnected lines on the bus do.
[[nodiscard]] constexpr std::uint8_t StatusImage(PinLevels levels) {
    std::uint8_t status = 0x07;
    const auto set = [&](std::uint8_t pin, std::uint8_t bit) {
        if ((levels & PinBit(pin)) != 0) {
            status = static_cast<std::uint8_t>(status | bit);
        }
    };
    set(15, 0x08);
    set(13, 0x10);
    set(12, 0x20);
    set(10, 0x40);
    if ((levels & PinBit(11)) == 0) {
        status = static_cast<std::uint8_t>(status | 0x80);
    }
    return status;
}

// Levels on the input pins that a status register image shows: the reverse
// of StatusImage (pin 11 reads inverted).
[[nodiscard]] constexpr PinLevels StatusPinLevels(std::uint8_t status) {
    PinLevels levels = 0;
    const auto pinIf = [&](bool high, std::uint8_t pin) {
        if (high) {
            levels |= PinBit(pin);
        }
    };
    pinIf((status & 0x08) != 0, 15);
    pinIf((status & 0x10) != 0, 13);
    pinIf((status & 0x20) != 0, 12);
    pinIf((status & 0x40) != 0, 10);
    pinIf((status & 0x80) == 0, 11);
    return levels;
}

// Levels of all seventeen signal pins for the three register images.
[[nodiscard]] constexpr PinLevels ConnectorLevels(std::uint8_t data, std::uint8_t status,
                                                  std::uint8_t control) {
    return DrivenPinLevels(data, control) | StatusPinLevels(status);
}

} // namespace scanbench
