#include "engine/program/program_text.h"

#include <limits>

namespace scanbench {

void StringProgramText::SetText(std::string_view text) {
    Text.assign(text);
    Lines.clear();
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < Text.size()) {
        const char c = Text[i];
        if (c == '\n' || c == '\r') {
            Lines.push_back({start, i - start});
            i += (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ? 2U : 1U;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < Text.size()) {
        Lines.push_back({start, Text.size() - start});
    }
}

std::int32_t StringProgramText::LineCount() const {
    // The line index is a 32-bit register; a longer text shows its first
    // 2^31 - 1 lines.
    constexpr auto Limit = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(Lines.size() < Limit ? Lines.size() : Limit);
}

std::string StringProgramText::Line(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Lines.size()) {
        return {};
    }
    const Span& span = Lines[static_cast<std::size_t>(index)];
    return Text.substr(span.start, span.length);
}

} // namespace scanbench
