#include "port/board_wiring.h"

namespace scanbench {

BoardWiring::BoardWiring(const PinSettings& pins, BoardKind board) {
    if (board != BoardKind::Loopback) {
        return;
    }
    for (std::size_t tap = 0; tap < pins.TxPin.size(); ++tap) {
        Link(pins.TxPin[tap], pins.RxPin[tap]);
    }
    Link(pins.SoaPin, pins.SiaPin);
    Link(pins.SobPin, pins.SibPin);
}

void BoardWiring::Link(std::uint8_t source, std::uint8_t target) {
    if (!IsOutputPin(source)) {
        return;
    }
    for (std::size_t i = 0; i < InputPins.size(); ++i) {
        if (InputPins[i] == target) {
            Sources[i] |= PinBit(source);
        }
    }
}

PinLevels BoardWiring::InputLevels(PinLevels driven) const {
    PinLevels levels = 0;
    for (std::size_t i = 0; i < InputPins.size(); ++i) {
        if ((driven & Sources[i]) == Sources[i]) {
            levels |= PinBit(InputPins[i]);
        }
    }
    return levels;
}

} // namespace scanbench
