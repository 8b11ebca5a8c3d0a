#include "scan_bits.h"

#include "engine/program/number_helpers.h"

#include <algorithm>

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

[[nodiscard]] std::uint64_t WordsFor(std::uint64_t count) {
    return (count + 63) / 64;
}

} // namespace

void ScanBits::Assign(std::uint64_t count, bool value) {
    Count = count;
    Words.assign(WordsFor(count), value ? ~std::uint64_t{0} : 0);
    if (value && count % 64 != 0) {
        Words.back() = (std::uint64_t{1} << count % 64) - 1;
    }
}

void ScanBits::AppendZeros(std::uint64_t count) {
    Count += count;
    Words.resize(WordsFor(Count), 0);
}

void ScanBits::Append(const ScanBits& bits) {
    const std::uint64_t offset = Count % 64;
    const std::uint64_t first = Count / 64;
    AppendZeros(bits.Count);
    for (std::uint64_t w = 0; w < bits.Words.size(); ++w) {
        Words[first + w] |= bits.Words[w] << offset;
        if (offset != 0 && first + w + 1 < Words.size()) {
            Words[first + w + 1] |= bits.Words[w] >> (64 - offset);
        }
    }
}

bool ScanBits::Any() const {
    return std::any_of(Words.begin(), Words.end(), [](std::uint64_t w) { return w != 0; });
}

std::optional<std::string> ReadScanValue(std::string_view digits, std::uint64_t length,
                                         ScanBits& bits) {
    bits.Assign(length, false);
    const std::uint64_t whole = (length + 3) / 4; // digits that hold bits
    for (std::uint64_t k = 0; k < digits.size(); ++k) {
        const char c = digits[digits.size() - 1 - k];
        const std::uint8_t value = HexDigitValue(c);
        if (value == NotAHexDigit) {
            return "the value holds " + Shown(c) + ", which is not a hexadecimal digit";
        }
        const unsigned room =
            k < whole ? (length - 4 * k >= 4 ? 15U : (1U << (length - 4 * k)) - 1) : 0U;
        if ((value & ~room) != 0) {
            const unsigned beyond = value & ~room;
            unsigned bit = 0;
            while ((beyond >> bit & 1) == 0) {
                ++bit;
            }
            return "the value has a 1 in bit " + std::to_string(4 * k + bit) +
                   ", beyond its length of " + std::to_string(length) + " bits";
        }
        if (value != 0) {
            bits.SetNibble(k, value);
        }
    }
    return std::nullopt;
}

void AppendShiftOperand(std::string& out, const ScanBits& bits, std::size_t digitsPerLine,
                        std::string_view indent) {
    // A nibble's first bit goes out first: it is the digit's most
    // significant bit, so the digit is the nibble read backwards.
    static constexpr char Backwards[] = "084C2A6E195D3B7F";
    const std::uint64_t digits = (bits.Size() + 3) / 4;
    out.reserve(out.size() + digits + digits / digitsPerLine * (indent.size() + 1) + 2);
    for (std::uint64_t d = 0; d < digits; ++d) {
        if (d != 0 && d % digitsPerLine == 0) {
            out += '\n';
            out += indent;
        }
        out += Backwards[bits.Nibble(d)];
    }
    if (digits == 0) {
        out += '0';
    }
    out += 'h';
}

} // namespace scanbench
