#pragma once

#include "board/board_definition.h"
#include "board/board_file.h"

#include <cstdint>
#include <filesystem>

namespace scanbench {

// The demo board, read from the board file data/boards/demo.json and the
// teaching chips' BSDL files it names, all compiled into the program: TAP 0
// drives U1 and U2 in one chain (TDI -> U1 -> U2 -> TDO), TAP 1 drives U3.
// Each chip has a 4-bit instruction register capturing 0101, EXTEST 0000,
// IDCODE 0001, SAMPLE/PRELOAD 0010, BYPASS 1111 (and every other code), and
// a 17-cell boundary register: cells 0..7 watch switches S0..S7, cells 8..15
// drive LEDs D0..D7 and cell 16 enables them when 1. The chips differ only
// in their IDCODEs.
[[nodiscard]] BoardDefinition DemoBoard();

// The interconnect board, read from data/boards/interconnect.json compiled
// in: the demo board's chips, U1's outputs D(i) wired to U2's inputs S(i)
// by the nets N0 .. N7, each pulled up and lit by an LED of its own name.
[[nodiscard]] BoardDefinition InterconnectBoard();

// The files under data/ compiled into the program ("boards/demo.json",
// "bsdl/scanbench-u1.bsd", ...), as a source for ReadBoardFile.
[[nodiscard]] SourceFile BuiltInDataFile(const std::filesystem::path& path);

namespace DemoIdCode {
inline constexpr std::uint32_t U1 = 0x15CB1FFD;
inline constexpr std::uint32_t U2 = 0x15CB2FFD;
inline constexpr std::uint32_t U3 = 0x15CB3FFD;
} // namespace DemoIdCode

} // namespace scanbench
