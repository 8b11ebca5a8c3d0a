#pragma once

#include <array>
#include <cstdint>

namespace scanbench {

// Ends a TMS sequence inside a row of the path table.
inline constexpr std::uint8_t EndOfPath = 255;

// One TMS sequence: the TMS level for each TCK cycle, closed by EndOfPath.
using TmsPath = std::array<std::uint8_t, 16>;

// For every pair of states, the TMS levels that move a controller from the
// first to the second: [from][to][step]. Immutable once built.
using TmsPathTable = std::array<std::array<TmsPath, 16>, 16>;

// The table of TMS paths, built on first use from the literal table. The
// "STATE" instruction walks it.
[[nodiscard]] const TmsPathTable& TmsPaths();

// Number of TMS levels in a path (the entries before EndOfPath).
[[nodiscard]] std::size_t PathLength(const TmsPath& path);

} // namespace scanbench
