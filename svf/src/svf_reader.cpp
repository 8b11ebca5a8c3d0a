#include "svf/svf_reader.h"

namespace scanbench {

namespace {

[[nodiscard]] bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

[[nodiscard]] char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool SvfReader::Fail(std::int32_t line, std::string message) {
    Failure = SvfProblem{line, std::move(message)};
    return false;
}

bool SvfReader::AtComment() const {
    return Text[Pos] == '!' || (Text[Pos] == '/' && Pos + 1 < Text.size() && Text[Pos + 1] == '/');
}

bool SvfReader::SkipSpaceOrComment() {
    const char c = Text[Pos];
    if (c == '\n') {
        ++Line;
        ++Pos;
    } else if (IsSpace(c)) {
        ++Pos;
    } else if (AtComment()) {
        while (Pos < Text.size() && Text[Pos] != '\n') {
            ++Pos;
        }
    } else {
        return false;
    }
    return true;
}

bool SvfReader::Next(SvfStatement& statement) {
    statement.Words.clear();
    statement.Line = 0;
    if (Failure) {
        return false;
    }
    while (Pos < Text.size()) {
        const char c = Text[Pos];
        if (SkipSpaceOrComment()) {
            continue;
        }
        if (c == ';') {
            ++Pos;
            if (!statement.Words.empty()) {
                return true;
            }
        } else if (c == '(') {
            if (statement.Words.empty()) {
                return Fail(Line, "a value in parentheses stands where a statement should begin");
            }
            if (!ReadValue(statement)) {
                return false;
            }
        } else if (c == ')') {
            return Fail(Line, "\")\" without \"(\"");
        } else {
            SvfWord word{{}, false, Line};
            while (Pos < Text.size()) {
                const char w = Text[Pos];
                if (IsSpace(w) || w == ';' || w == '(' || w == ')' || AtComment()) {
                    break;
                }
                word.Text += Upper(w);
                ++Pos;
            }
            if (statement.Words.empty()) {
                statement.Line = Line;
            }
            statement.Words.push_back(std::move(word));
        }
    }
    if (!statement.Words.empty()) {
        return Fail(statement.Line,
                    "the file ends before the \";\" of this " + statement.Words.front().Text);
    }
    return false;
}

bool SvfReader::ReadValue(SvfStatement& statement) {
    SvfWord value{{}, true, Line};
    ++Pos; // the "("
    while (Pos < Text.size()) {
        const char c = Text[Pos];
        if (c == ')') {
            ++Pos;
            statement.Words.push_back(std::move(value));
            return true;
        }
        if (SkipSpaceOrComment()) {
            continue;
        }
        if (c == ';') {
            return Fail(value.Line, "the value in parentheses is not closed before the \";\"");
        } else {
            value.Text += Upper(c);
            ++Pos;
        }
    }
    return Fail(value.Line, "the value in parentheses is not closed: the file ends first");
}

} // namespace scanbench
