#include "engine/program/number_helpers.h"

#include <array>

namespace scanbench {

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
        text[static_cast<std::size_t>(7 - bit)] =
            ((static_cast<unsigned>(flags) >> bit) & 1U) != 0 ? '1' : '0';
    }
    return text;
}

} // namespace scanbench
