#pragma once

#include "board/bsdl_file.h"
#include "board/chip_description.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace scanbench {

// The chip a BSDL description describes, named `name` on its board:
//  - the instruction register's length and capture pattern (X bits read 0);
//  - every opcode, SAMPLE and PRELOAD sharing a code joined into
//    SAMPLE/PRELOAD; private instructions select BYPASS;
//  - the registers: BYPASS, the device identification register for IDCODE
//    (and USERCODE), BOUNDARY for SAMPLE, PRELOAD, EXTEST and INTEST,
//    BYPASS for HIGHZ and CLAMP, and whatever REGISTER_ACCESS says over
//    these, the maker's own registers included when it gives their length;
//  - the IDCODE, its X bits 0, unless `idCode` (from the board) is given,
//    which must agree with every bit the description fixes;
//  - a pin for every port that is not a linkage or TAP port (one for each
//    bit of a bit_vector) and the boundary cells on them.
// Gives the chip, or what does not fit (with DescriptionProblem's rules).
[[nodiscard]] std::variant<ChipDescription, std::string>
ChipFromBsdl(const BsdlFile& file, std::string name, std::optional<std::uint32_t> idCode = {});

// The name of one bit of a vector port as a pin: "D(3)".
[[nodiscard]] std::string VectorPinName(std::string_view port, std::int32_t index);

} // namespace scanbench
