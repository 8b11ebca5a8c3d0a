#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scanbench {

// Writes the statements of a translated SVF file, each followed by a comment
// with the SVF line it comes from, and counts the program lines.
class SvfProgramWriter {
public:
    // Writes `code` (one statement; it may run over several lines, and the
    // comment goes on its first) with the comment "// SVF line N" and, when
    // given, ": " and `what`. Line 0 writes `what` alone.
    void Statement(std::string_view code, std::int32_t svfLine, std::string_view what = {});
    // A line of comment.
    void Comment(std::string_view text);
    // Everything written so far; the writer is left empty.
    [[nodiscard]] std::string Take();

    // Program lines written so far.
    [[nodiscard]] std::int32_t Lines() const { return LineCount; }
    [[nodiscard]] std::size_t Size() const { return Text.size(); }

private:
    std::string Text;
    std::int32_t LineCount = 0;
};

// A text safe to put into a comment: line breaks and other control
// characters become "?".
[[nodiscard]] std::string CommentSafe(std::string_view text);

} // namespace scanbench
