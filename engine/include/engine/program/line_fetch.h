#pragma once

#include <cstdint>
#include <string>

namespace scanbench {

class ProgramText;

// Delivers the statement that starts at line `currentLine`: shows that line,
// strips comments, joins continuation lines (a statement runs on until a line
// holding a ";" that does not start with a comment) and advances
// `currentLine` past the last line used, so that it then equals that line's
// 1-based number. A blank line yields an empty text.
[[nodiscard]] std::string getline(ProgramText& text, std::int32_t& currentLine);

} // namespace scanbench
