#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// The bits of a scan in the order they are shifted: an SVF value's least
// significant bit first.
using ScanBits = std::vector<bool>;

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
