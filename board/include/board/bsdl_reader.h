#pragma once

#include "board/bsdl_file.h"

#include <string>
#include <string_view>
#include <variant>

namespace scanbench {

// Why a BSDL text cannot be read: the first problem, where it is.
struct BsdlError {
    TextPosition At;
    std::string Message;
};

// "chip.bsd:12:7: expected ';'": the error as one line, for the file named.
[[nodiscard]] std::string BsdlErrorText(std::string_view file, const BsdlError& error);

// Reads a BSDL description as chip makers write it: the entity with its
// PHYSICAL_PIN_MAP generic, the port list (scalar and bit_vector ports, "to"
// and "downto"), use clauses, PIN_MAP_STRING constants and the attributes of
// IEEE 1149.1 (instruction register, identification registers, register
// access, boundary register, TAP_SCAN_*, COMPLIANCE_PATTERNS). Strings may be
// joined with '&' over many lines, "--" starts a comment, letter case does
// not matter, and attributes the simulation has no use for are read and
// skipped. Besides the syntax it checks that the parts agree: opcodes and
// the capture pattern as long as the instruction register, BYPASS declared,
// the boundary register numbered 0 .. BOUNDARY_LENGTH-1, cells naming
// declared ports and control cells, instructions named in REGISTER_ACCESS
// and INSTRUCTION_PRIVATE declared.
[[nodiscard]] std::variant<BsdlFile, BsdlError> ReadBsdl(std::string_view text);

} // namespace scanbench
