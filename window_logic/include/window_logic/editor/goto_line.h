#pragma once

#include <cstdint>
#include <string_view>

namespace scanbench {

// What the goto-line command does with the number the user typed.
struct GotoDecision {
    enum class Kind {
        NotANumber,   // the entry is not a whole number: error
        LineNotFound, // beyond the last line (or negative): error
        Stay,         // 0: nothing happens, the caret stays
        MoveTo,       // to the start of Line
    };
    Kind What = Kind::Stay;
    std::int32_t Line = 0; // 1-based, for MoveTo
};

// Judges `entry` (a signed decimal number, blanks around it allowed) against
// an editor of `lineCount` lines.
[[nodiscard]] GotoDecision DecideGotoLine(std::string_view entry, std::int32_t lineCount);

} // namespace scanbench
