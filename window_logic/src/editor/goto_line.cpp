#include "window_logic/editor/goto_line.h"

#include <charconv>

namespace scanbench {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view blanks = " \t";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

GotoDecision DecideGotoLine(std::string_view entry, std::int32_t lineCount) {
    std::string_view digits = TrimBlanks(entry);
    if (digits.starts_with('+') && !digits.substr(1).starts_with('-')) {
        digits.remove_prefix(1);
    }
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
        return {GotoDecision::Kind::NotANumber};
    }
    if (number == 0) {
        return {GotoDecision::Kind::Stay};
    }
    if (number < 0 || number > lineCount) {
        return {GotoDecision::Kind::LineNotFound};
    }
    return {GotoDecision::Kind::MoveTo, number};
}

} // namespace scanbench
