#include "engine/number_helpers.h"

#include <array>

namespace scanbench {

namespace {

constexpr std::array<std::string_view, 16> BitsMsbFirst = {
    "0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111",
    "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111"};
constexpr std::array<std::string_view, 16> BitsLsbFirst = {
    "0000", "1000", "0100", "1100", "0010", "1010", "0110", "1110",
    "0001", "1001", "0101", "1101", "0011", "1011", "0111", "1111"};
constexpr std::string_view NoBits = "xxxx";

} // namespace

std::optional<std::int32_t> ParseCounterValue(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint32_t base = 0;
    switch (text.back()) {
    case 'h':
    case 'H':
        base = 16;
        break;
    case 'd':
    case 'D':
        base = 10;
        break;
    default:
        return std::nullopt;
    }
    std::uint32_t value = 0; // unsigned arithmetic wraps like the 32-bit register
    for (const char c : text.substr(0, text.size() - 1)) {
        const std::uint8_t digit = HexDigitValue(c);
        if (digit == NotAHexDigit) {
            return std::nullopt;
        }
        value = value * base + digit;
    }
    return static_cast<std::int32_t>(value);
}

std::string_view HexDigitBits(char c) {
    const std::uint8_t v = HexDigitValue(c);
    return v == NotAHexDigit ? NoBits : BitsMsbFirst[v];
}

std::string_view HexDigitBitsReversed(char c) {
    const std::uint8_t v = HexDigitValue(c);
    return v == NotAHexDigit ? NoBits : BitsLsbFirst[v];
}

bool MaskedEqual(std::string_view received, std::string_view expected, std::string_view mask) {
    for (std::size_t i = 0; i < received.size(); ++i) {
        if (i >= expected.size() || i >= mask.size()) {
            continue;
        }
        if (mask[i] == '1' && received[i] != expected[i]) {
            return false;
        }
    }
    return true;
}

std::string FormatCounter(std::int32_t counter) {
    static constexpr char Digits[] = "0123456789abcdef";
    auto bits = static_cast<std::uint32_t>(counter);
    std::string text(9, 'h');
    for (int i = 7; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = Digits[bits & 15U];
        bits >>= 4;
    }
    return text;
}

std::string FormatFlags(std::uint8_t flags) {
    std::string text(9, 'b');
    for (int bit = 0; bit < 8; ++bit) {
        text[static_cast<std::size_t>(7 - bit)] = ((flags >> bit) & 1U) != 0 ? '1' : '0';
    }
    return text;
}

} // namespace scanbench
