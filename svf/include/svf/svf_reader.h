#pragma once

#include "svf/svf_problem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// One word of an SVF statement, or a value written in parentheses.
struct SvfWord {
    std::string Text; // upper-cased; a value without its blanks and comments
    bool Value = false;
    std::int32_t Line = 0; // where it starts
};

// One statement, up to its ";": the command first, then its parameters.
struct SvfStatement {
    std::int32_t Line = 0; // of the command word
    std::vector<SvfWord> Words;
};

// Splits Serial Vector Format text into statements, one at a time, as SVF
// writes them: in any letter case, over as many lines as they like, with
// comments from "!" or "//" to the end of a line (also inside a value) and
// values in parentheses that run over lines. Line numbers count from 1.
class SvfReader {
public:
    explicit SvfReader(std::string_view text) : Text(text) {}

    // Reads the next statement into `statement`. False at the end of the
    // text and at an error (see Error); empty statements (";" alone) are
    // skipped.
    [[nodiscard]] bool Next(SvfStatement& statement);
    // Why the reading stopped early, with its line: a statement or a value
    // that is never closed, a ")" without "(".
    [[nodiscard]] const std::optional<SvfProblem>& Error() const { return Failure; }

private:
    [[nodiscard]] bool AtComment() const;
    // Steps over a blank, a line end or a comment at the position, if there is one.
    bool SkipSpaceOrComment();
    bool ReadValue(SvfStatement& statement);
    bool Fail(std::int32_t line, std::string message);

    std::string_view Text;
    std::size_t Pos = 0;
    std::int32_t Line = 1;
    std::optional<SvfProblem> Failure;
};

} // namespace scanbench
