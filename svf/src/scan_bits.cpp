#include "scan_bits.h"

#include "engine/number_helpers.h"

namespace scanbench {

namespace {

// A character as a message shows it: printable ASCII as itself, anything
// else by its byte value.
[[nodiscard]] std::string Shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x21 && byte < 0x7F) {
        return std::string("\"") + c + "\"";
    }
    static constexpr char Digits[] = "0123456789ABCDEF";
    return std::string("the byte ") + Digits[byte >> 4] + Digits[byte & 15] + "h";
}

} // namespace

std::optional<std::string> ReadScanValue(std::string_view digits, std::uint64_t length,
                                         ScanBits& bits) {
    bits.assign(length, false);
    std::uint64_t bit = 0;
    for (std::size_t i = digits.size(); i-- > 0; bit += 4) {
        const std::uint8_t value = HexDigitValue(digits[i]);
        if (value == NotAHexDigit) {
            return "the value holds " + Shown(digits[i]) + ", which is not a hexadecimal digit";
        }
        for (std::uint64_t b = 0; b < 4; ++b) {
            if ((value >> b & 1U) == 0) {
                continue;
            }
            if (bit + b >= length) {
                return "the value has a 1 in bit " + std::to_string(bit + b) +
                       ", beyond its length of " + std::to_string(length) + " bits";
            }
            bits[bit + b] = true;
        }
    }
    return std::nullopt;
}

void AppendShiftOperand(std::string& out, const ScanBits& bits, std::size_t digitsPerLine,
                        std::string_view indent) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    const std::size_t count = bits.size();
    const std::size_t digits = (count + 3) / 4;
    out.reserve(out.size() + digits + (digits / digitsPerLine) * (indent.size() + 1) + 1);
    for (std::size_t d = 0; d < digits; ++d) {
        if (d != 0 && d % digitsPerLine == 0) {
            out += '\n';
            out += indent;
        }
        unsigned value = 0;
        for (std::size_t b = 0; b < 4; ++b) {
            const std::size_t index = d * 4 + b;
            value = value << 1 | (index < count && bits[index] ? 1U : 0U);
        }
        out += Digits[value];
    }
    if (digits == 0) {
        out += '0';
    }
    out += 'h';
}

} // namespace scanbench
