#include "window_logic/dialogs/setup_pins.h"

#include "window_logic/views/pin_names.h"

#include <algorithm>
#include <charconv>

namespace scanbench {

SetupPins SetupPinsOf(const PinSettings& pins) {
    return {pins.TmsPin[0], pins.TckPin[0], pins.TxPin[0], pins.RxPin[0],
            pins.TmsPin[1], pins.TckPin[1], pins.TxPin[1], pins.RxPin[1],
            pins.SoaPin,    pins.SiaPin,    pins.SobPin,   pins.SibPin};
}

void ApplySetupPins(const SetupPins& values, PinSettings& pins) {
    for (std::size_t tap = 0; tap < 2; ++tap) {
        const std::size_t first = tap * 4;
        pins.TmsPin[tap] = values[first];
        pins.TckPin[tap] = values[first + 1];
        pins.TxPin[tap] = values[first + 2];
        pins.RxPin[tap] = values[first + 3];
    }
    pins.SoaPin = values[8];
    pins.SiaPin = values[9];
    pins.SobPin = values[10];
    pins.SibPin = values[11];
}

std::optional<std::uint8_t> PinFromText(std::string_view text) {
    // Digits only, no sign, no blanks, no leading zero.
    if (text.empty() || text.size() > 2 || text.front() == '0' ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    unsigned pin = 0;
    std::from_chars(text.data(), text.data() + text.size(), pin);
    if (pin < 1 || pin > ConnectorPinCount) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(pin);
}

SetupPinCheck CheckSetupPins(const std::array<std::string, SetupPinFields.size()>& texts) {
    SetupPins pins{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::optional<std::uint8_t> pin = PinFromText(texts[i]);
        if (!pin) {
            return {std::nullopt, "Error:\r" + std::string(SetupPinFields[i].Name) + ": \"" +
                                      texts[i] + "\" is not a connector pin number (1 to 17)."};
        }
        pins[i] = *pin;
    }
    SetupPins sorted = pins;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
        return {std::nullopt, std::string(DuplicatePinError)};
    }
    return {pins, {}};
}

RemoteCheck CheckRemoteAddress(std::string_view host, std::string_view port) {
    // The host as the settings and the "--remote" option take it.
    const bool v6 = host.find(':') != std::string_view::npos;
    const std::string text = (v6 ? "[" + std::string(host) + "]" : std::string(host)) + ":1";
    if (host.empty() || host.front() == '[' || !ParseHostPort(text)) {
        return {std::nullopt, "Error:\rRemote host: \"" + std::string(host) +
                                  "\" is not a host name or address."};
    }
    unsigned number = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (port.empty() || port.front() == '0' || error != std::errc() ||
        end != port.data() + port.size() || number > 65535) {
        return {std::nullopt, "Error:\rRemote port: \"" + std::string(port) +
                                  "\" is not a port number (1 to 65535)."};
    }
    return {RemoteAddress{std::string(host), static_cast<std::uint16_t>(number)}, {}};
}

} // namespace scanbench
