#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scanbench {

// Returned by HexDigitValue for a character that is not a hexadecimal digit.
inline constexpr std::uint8_t NotAHexDigit = 255;

[[nodiscard]] constexpr std::uint8_t HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint8_t>(c - 'a' + 10);
    }
    return NotAHexDigit;
}

// A counter value with its base suffix ("h"/"H" hexadecimal, "d"/"D"
// decimal), accumulated in wrapping 32-bit arithmetic, so FFFFFFFFh is -1.
// The digit conversion accepts A..F in decimal values too (1Ad is 20).
// Empty when the suffix is missing or a character is not a digit.
[[nodiscard]] std::optional<std::int32_t> ParseCounterValue(std::string_view text);

// The four bits of a hexadecimal digit, most significant first, or "xxxx".
[[nodiscard]] std::string_view HexDigitBits(char c);
// The four bits of a hexadecimal digit, least significant first, or "xxxx".
[[nodiscard]] std::string_view HexDigitBitsReversed(char c);

// Level of a bit character: 0 for '0', 1 for anything else.
[[nodiscard]] constexpr std::uint8_t BitLevel(char c) {
    return c == '0' ? 0 : 1;
}

// Compares received with expected at every position of received where mask
// holds '1'; positions beyond expected or mask are not compared.
[[nodiscard]] bool MaskedEqual(std::string_view received, std::string_view expected,
                               std::string_view mask);

// Read-out texts of the main window: a counter as eight lower-case hexadecimal
// digits and "h" (two's complement for negative values), flags as eight binary
// digits, bit 7 first, and "b".
[[nodiscard]] std::string FormatCounter(std::int32_t counter);
[[nodiscard]] std::string FormatFlags(std::uint8_t flags);

} // namespace scanbench
