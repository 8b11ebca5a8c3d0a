#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace scanbench {

// A whole number as SVF writes lengths and clock counts: decimal digits
// only. Empty when it is something else or beyond 2^63.
[[nodiscard]] std::optional<std::uint64_t> ParseSvfCount(std::string_view word);
// A real number as SVF writes times and frequencies: digits with an optional
// decimal point and an optional exponent ("1E6", "1.00E-03", ".5"), not
// negative. Read the same in every locale. Empty when it is something else.
[[nodiscard]] std::optional<double> ParseSvfReal(std::string_view word);
// The number of the TAP state an (upper-case) SVF word names, or empty.
[[nodiscard]] std::optional<std::uint8_t> SvfStateByName(std::string_view word);

} // namespace scanbench
