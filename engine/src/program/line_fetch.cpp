#include "engine/program/line_fetch.h"

#include "engine/program/program_text.h"
#include "engine/program/text_helpers.h"

namespace scanbench {

namespace {

// Whether a continuation line ends the statement: it holds a ";" (also one
// inside its comment) and does not begin with a comment.
[[nodiscard]] bool EndsStatement(std::string_view line) {
    const std::string_view text = TrimLeftBlanks(line);
    return text.find(';') != std::string_view::npos && !text.starts_with('!') &&
           !text.starts_with("//");
}

} // namespace

std::string getline(ProgramText& text, std::int32_t& currentLine) {
    const std::int32_t lineCount = text.LineCount();
    text.ShowLine(currentLine);
    const std::string first = text.Line(currentLine);
    const std::string_view trimmed = TrimBlanks(first);
    if (trimmed.empty()) {
        ++currentLine;
        return {};
    }
    const std::string_view code = TrimRightBlanks(StripComment(trimmed));
    std::string statement(code);
    if (code.find(';') == std::string_view::npos) {
        while (true) {
            ++currentLine;
            const std::string next = text.Line(currentLine);
            statement += TrimBlanks(StripComment(next));
            if (EndsStatement(next) || currentLine > lineCount) {
                break;
            }
        }
    }
    ++currentLine;
    return statement;
}

} // namespace scanbench
