#include "window_logic/views/pin_names.h"

#include <utility>

namespace scanbench {

std::array<std::string_view, ConnectorPinCount + 1> PinSignalNames(const PinSettings& pins) {
    const std::array<std::pair<std::uint8_t, std::string_view>, 12> signalPins{{
        {pins.TmsPin[0], "TAP0 - TMS"},
        {pins.TmsPin[1], "TAP1 - TMS"},
        {pins.TckPin[0], "TAP0 - TCK"},
        {pins.TckPin[1], "TAP1 - TCK"},
        {pins.TxPin[0], "TAP0 - TX"},
        {pins.TxPin[1], "TAP1 - TX"},
        {pins.RxPin[0], "TAP0 - RX"},
        {pins.RxPin[1], "TAP1 - RX"},
        {pins.SoaPin, "SOA"},
        {pins.SobPin, "SOB"},
        {pins.SiaPin, "SIA"},
        {pins.SibPin, "SIB"},
    }};
    std::array<std::string_view, ConnectorPinCount + 1> names{};
    for (const auto& [pin, name] : signalPins) {
        if (pin >= 1 && pin <= ConnectorPinCount) {
            names[pin] = name;
        }
    }
    return names;
}

} // namespace scanbench
