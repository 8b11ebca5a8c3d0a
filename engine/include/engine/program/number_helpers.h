#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scanbench {

// Returned by HexDigitValue for a character that is not a hexadecimal digit.
inline constexpr std::uint8_t NotAHexDigit = 255;

namespace detail {
// Every character's digit value: a look-up, as operands of millions of
// digits mix 0..9 and A..F at random.
inline constexpr std::array<std::uint8_t, 256> HexDigitValues = [] {
    std::array<std::uint8_t, 256> values{};
    for (unsigned c = 0; c < values.size(); ++c) {
        values[c] = c >= '0' && c <= '9'   ? static_cast<std::uint8_t>(c - '0')
                    : c >= 'A' && c <= 'F' ? static_cast<std::uint8_t>(c - 'A' + 10)
                    : c >= 'a' && c <= 'f' ? static_cast<std::uint8_t>(c - 'a' + 10)
                                           : NotAHexDigit;
    }
    return values;
}();
} // namespace detail

[[nodiscard]] constexpr std::uint8_t HexDigitValue(char c) {
    return detail::HexDigitValues[static_cast<unsigned char>(c)];
}

// A counter value with its base suffix ("h"/"H" hexadecimal, "d"/"D"
// decimal), accumulated in wrapping 32-bit arithmetic, so FFFFFFFFh is -1.
// The digit conversion accepts A..F in decimal values too (1Ad is 20).
// Empty when the suffix is missing or a character is not a digit.
[[nodiscard]] std::optional<std::int32_t> ParseCounterValue(std::string_view text);

namespace detail {
inline constexpr std::array<std::string_view, 16> BitsMsbFirst = {
    "0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111",
    "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111"};
inline constexpr std::array<std::string_view, 16> BitsLsbFirst = {
    "0000", "1000", "0100", "1100", "0010", "1010", "0110", "1110",
    "0001", "1001", "0101", "1101", "0011", "1011", "0111", "1111"};
inline constexpr std::string_view NoBits = "xxxx";
} // namespace detail

// The four bits of a hexadecimal digit, most significant first, or "xxxx".
[[nodiscard]] constexpr std::string_view HexDigitBits(char c) {
    const std::uint8_t v = HexDigitValue(c);
    return v == NotAHexDigit ? detail::NoBits : detail::BitsMsbFirst[v];
}
// The four bits of a hexadecimal digit, least significant first, or "xxxx".
[[nodiscard]] constexpr std::string_view HexDigitBitsReversed(char c) {
    const std::uint8_t v = HexDigitValue(c);
    return v == NotAHexDigit ? detail::NoBits : detail::BitsLsbFirst[v];
}

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
