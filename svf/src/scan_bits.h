#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// The bits of a scan in the order they are shifted (an SVF value's least
// significant bit first), packed 64 to a word: scans run to millions of
// bits, and the values are read and written four bits, one hexadecimal
// digit, at a time.
class ScanBits {
public:
    ScanBits() = default;
    // `count` bits, all 0 or all 1.
    ScanBits(std::uint64_t count, bool value) { Assign(count, value); }

    void Assign(std::uint64_t count, bool value);
    // Appends bits, or `count` bits all 0.
    void Append(const ScanBits& bits);
    void AppendZeros(std::uint64_t count);

    [[nodiscard]] std::uint64_t Size() const { return Count; }
    [[nodiscard]] bool Any() const;
    [[nodiscard]] bool operator[](std::uint64_t i) const {
        return (Words[i / 64] >> i % 64 & 1) != 0;
    }
    // Bits 4k .. 4k+3 as a number, bit 4k its least significant (0 beyond the end).
    [[nodiscard]] unsigned Nibble(std::uint64_t k) const {
        return static_cast<unsigned>(Words[k / 16] >> (k % 16) * 4 & 15);
    }
    // Sets bits 4k .. 4k+3; bits beyond the end must be 0 in `value`.
    void SetNibble(std::uint64_t k, unsigned value) {
        Words[k / 16] |= static_cast<std::uint64_t>(value & 15) << (k % 16) * 4;
    }

private:
    std::uint64_t Count = 0;
    std::vector<std::uint64_t> Words; // bits beyond Count are 0
};

// Reads an SVF value (hexadecimal digits, the most significant first, fewer
// than the length needs standing for leading zeros) as `length` bits. Gives
// what is wrong instead: a character that is not a hexadecimal digit, or a 1
// beyond the length.
[[nodiscard]] std::optional<std::string> ReadScanValue(std::string_view digits,
                                                       std::uint64_t length, ScanBits& bits);

// Appends the bits as an NSHF or NSHFCP operand: hexadecimal digits that the
// shift sends leftmost first (the first bit is the most significant bit of
// the first digit), zeros after the last bit up to a whole digit, and the
// suffix "h". After every `digitsPerLine` digits the operand goes on on the
// next line after `indent`: a statement runs on until its ";".
void AppendShiftOperand(std::string& out, const ScanBits& bits, std::size_t digitsPerLine,
                        std::string_view indent);

} // namespace scanbench
