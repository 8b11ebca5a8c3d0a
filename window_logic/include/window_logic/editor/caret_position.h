#pragma once

#include <cstdint>
#include <string>

namespace scanbench {

// The editor's caret position display: "Line: %d   Col: %d", both counted
// from 1, for a 0-based line and a 0-based column within that line.
[[nodiscard]] std::string CaretPositionText(std::int32_t line, std::int32_t column);

} // namespace scanbench
