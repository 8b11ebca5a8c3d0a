#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace scanbench {

// Blanks of the program language: space, tab and carriage return, nothing else.
[[nodiscard]] constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The characters before the first "!" or the first "//"; a lone "/" is kept.
[[nodiscard]] std::string_view StripComment(std::string_view text);

[[nodiscard]] std::string_view TrimLeftBlanks(std::string_view text);
[[nodiscard]] std::string_view TrimRightBlanks(std::string_view text);
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

// word = the characters before the first blank (all of the text without one,
// empty when the text starts with a blank); rest = what follows that blank,
// leading blanks removed.
struct WordSplit {
    std::string_view word;
    std::string_view rest;
};
[[nodiscard]] WordSplit SplitFirstWord(std::string_view text);

// ASCII upper-casing; other bytes (including UTF-8 sequences) pass unchanged.
[[nodiscard]] std::string ToUpperAscii(std::string_view text);

// Returns the text with the first occurrence of `what` replaced by a blank.
[[nodiscard]] std::string ReplaceFirstWithBlank(std::string_view text, char what);

} // namespace scanbench
