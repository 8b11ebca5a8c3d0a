#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace scanbench {

// Which connector pin carries each controller signal, and where the port's
// registers live. Pin numbers are those of the 25-way parallel connector.
struct PinSettings {
    std::int32_t PortBase = 888; // data at PortBase, status +1, control +2
    std::array<std::uint8_t, 2> TmsPin{3, 7};
    std::array<std::uint8_t, 2> TckPin{4, 8};
    std::array<std::uint8_t, 2> TxPin{2, 6};   // data out of the controller to the device's TDI
    std::array<std::uint8_t, 2> RxPin{11, 12}; // data into the controller from the device's TDO
    std::uint8_t SoaPin = 16;
    std::uint8_t SobPin = 17;
    std::uint8_t SiaPin = 13;
    std::uint8_t SibPin = 15;

    friend bool operator==(const PinSettings&, const PinSettings&) = default;
};

// Pins the controller drives (data register pins 2..9 and the four control
// register pins) and pins it can read back through the status register.
inline constexpr std::array<std::uint8_t, 12> OutputPins{1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 16, 17};
inline constexpr std::array<std::uint8_t, 5> InputPins{10, 11, 12, 13, 15};

[[nodiscard]] constexpr bool IsOutputPin(std::uint8_t pin) {
    return std::find(OutputPins.begin(), OutputPins.end(), pin) != OutputPins.end();
}
[[nodiscard]] constexpr bool IsInputPin(std::uint8_t pin) {
    return std::find(InputPins.begin(), InputPins.end(), pin) != InputPins.end();
}

} // namespace scanbench
