#include "port/chip_wiring.h"

namespace scanbench {

ChipWiring::ChipWiring(const PinSettings& pins)
    : LinePins{pins.TckPin[0], pins.TmsPin[0], pins.TxPin[0],
               pins.TckPin[1], pins.TmsPin[1], pins.TxPin[1]},
      OutputPins{pins.RxPin[0], pins.RxPin[1], pins.SiaPin, pins.SibPin} {}

std::uint8_t ChipWiring::ChipLines(PinLevels driven) const {
    std::uint8_t lines = 0;
    for (std::size_t i = 0; i < LinePins.size(); ++i) {
        const std::uint8_t pin = LinePins[i];
        if (!IsOutputPin(pin) || (driven & PinBit(pin)) != 0) {
            lines = static_cast<std::uint8_t>(lines | (1U << i));
        }
    }
    return lines;
}

PinLevels ChipWiring::InputLevels(std::uint8_t outputs) const {
    PinLevels levels = 0;
    for (const std::uint8_t pin : InputPins) {
        levels |= PinBit(pin);
    }
    for (std::size_t i = 0; i < OutputPins.size(); ++i) {
        if (((static_cast<unsigned>(outputs) >> i) & 1U) == 0 && IsInputPin(OutputPins[i])) {
            levels &= ~PinBit(OutputPins[i]);
        }
    }
    return levels;
}

} // namespace scanbench
