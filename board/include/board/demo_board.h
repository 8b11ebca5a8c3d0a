#pragma once

#include "board/chip_board.h"
#include "board/chip_description.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scanbench {

// The teaching chip: a 4-bit instruction register capturing 0101, EXTEST
// 0000, IDCODE 0001, SAMPLE/PRELOAD 0010, BYPASS 1111 (and every other
// code), and a 17-cell boundary register: cells 0..7 watch switches S0..S7,
// cells 8..15 drive LEDs D0..D7 and cell 16 enables them when 1.
[[nodiscard]] ChipDescription TeachingChip(std::string name, std::uint32_t idCode);

// The demo board: TAP 0 drives U1 and U2 in one chain (TDI -> U1 -> U2 ->
// TDO), TAP 1 drives U3. The chips differ only in their IDCODEs.
[[nodiscard]] std::vector<BoardChip> DemoBoardChips();

namespace DemoIdCode {
inline constexpr std::uint32_t U1 = 0x15CB1FFD;
inline constexpr std::uint32_t U2 = 0x15CB2FFD;
inline constexpr std::uint32_t U3 = 0x15CB3FFD;
} // namespace DemoIdCode

} // namespace scanbench
