#pragma once

#include "port/host_port.h"
#include "port/pin_settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scanbench {

// One pin field of the Setup dialog.
struct SetupPinField {
    std::string_view Name; // how messages name the field
    bool Input;            // offers the input pins (else the output pins)
};

// The twelve pin fields in the order OK reads them.
inline constexpr std::array<SetupPinField, 12> SetupPinFields{{
    {"TAP 0 TMS", false},
    {"TAP 0 TCK", false},
    {"TAP 0 TX", false},
    {"TAP 0 RX", true},
    {"TAP 1 TMS", false},
    {"TAP 1 TCK", false},
    {"TAP 1 TX", false},
    {"TAP 1 RX", true},
    {"SOA", false},
    {"SIA", true},
    {"SOB", false},
    {"SIB", true},
}};

// Pins in the order of SetupPinFields.
using SetupPins = std::array<std::uint8_t, SetupPinFields.size()>;

[[nodiscard]] SetupPins SetupPinsOf(const PinSettings& pins);
void ApplySetupPins(const SetupPins& values, PinSettings& pins);

// The pin a field's text names: exactly "1" to "17".
[[nodiscard]] std::optional<std::uint8_t> PinFromText(std::string_view text);

inline constexpr std::string_view DuplicatePinError = "Error:\rMultiple use of same pin";

// OK's check of the twelve texts: the pins, or the error that refuses them
// ("\r" breaks its line). A text that names no connector pin is refused
// first, naming its field; then a pin used twice, inputs and outputs alike.
struct SetupPinCheck {
    std::optional<SetupPins> Pins;
    std::string Error;
};
[[nodiscard]] SetupPinCheck
CheckSetupPins(const std::array<std::string, SetupPinFields.size()>& texts);

// OK's check of the remote_bitbang server's host and port fields: the
// address, or the error that refuses it, naming the field. The host is a
// name or address of printable characters without blanks; the port a
// number from 1 to 65535 written without sign or leading zero.
struct RemoteCheck {
    std::optional<RemoteAddress> Address;
    std::string Error;
};
[[nodiscard]] RemoteCheck CheckRemoteAddress(std::string_view host, std::string_view port);

} // namespace scanbench
