#pragma once

#include "port/pin_settings.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace scanbench {

// Connector pins that carry signals: 1 to 17.
inline constexpr std::uint8_t ConnectorPinCount = 17;

// The name of the signal wired to each connector pin ("TAP0 - TMS", "SOA",
// ...), indexed by pin number; empty for pins no signal uses and for index 0.
// Settings naming a pin outside 1..17 name nothing. When two signals share a
// pin, the later of TMS, TCK, TX, RX (TAP 0 before TAP 1 for each), SOA,
// SOB, SIA, SIB is shown.
[[nodiscard]] std::array<std::string_view, ConnectorPinCount + 1>
PinSignalNames(const PinSettings& pins);

} // namespace scanbench
