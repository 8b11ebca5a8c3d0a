#pragma once

#include "board/chip_board.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// What the simulated board window shows of one chip: its texts and the
// levels of its LEDs and switches.
struct ChipView {
    std::string Name;        // "U1"
    std::string IdCode;      // "IDCODE 15CB1FFDh"
    std::string State;       // the state diagram's short name: "SHDR"
    std::string Instruction; // name and opcode: "IDCODE 0001"
    std::string Register;    // the selected data register: "BOUNDARY, 17 bits"
    std::uint8_t Tap = 0;
    std::uint8_t Leds = 0;     // bit i: LED Di lit
    std::uint8_t Switches = 0; // bit i: switch Si high
    bool HasLeds = true;       // the board has LEDs and switches named after the chip
    bool HasSwitches = true;   // (the demo board's chips do; their pins are listed anyway)
    bool HasPins = true;       // pins besides the TAP's

    friend bool operator==(const ChipView&, const ChipView&) = default;
};

// The whole board as the window shows it. Two equal views draw the same
// picture.
struct BoardView {
    std::vector<ChipView> Chips; // each TAP's chain from TDI to TDO, TAP 0 first
    bool Sia = false;
    bool Sib = false;

    friend bool operator==(const BoardView&, const BoardView&) = default;
};

// What the window says while the port is not the simulated demo board.
inline constexpr std::string_view NotDemoBoardMessage =
    "The simulated demo board is not in use: choose it in Setup.";

[[nodiscard]] BoardView DescribeBoard(const ChipBoard& board);
// The chips of a board with their TAPs and data tables, in snapshot order.
[[nodiscard]] std::vector<BoardChip> ChipsOnBoard(const ChipBoard& board);

// "IDCODE 0001": the instruction's name and its opcode in `irLength` binary digits.
[[nodiscard]] std::string InstructionText(std::string_view name, std::uint64_t opcode,
                                          std::uint8_t irLength);
[[nodiscard]] std::string InstructionText(ChipInstruction instruction, std::uint64_t opcode,
                                          std::uint8_t irLength);
// "BOUNDARY, 17 bits", "BYPASS, 1 bit".
[[nodiscard]] std::string RegisterText(std::string_view name, std::uint32_t length);
[[nodiscard]] std::string RegisterText(DataRegister data, std::uint32_t length);
// "IDCODE 15CB1FFDh"; "no IDCODE" for 0, a chip without one.
[[nodiscard]] std::string IdCodeText(std::uint32_t idCode);
// Eight levels as two hexadecimal digits: "5Ah".
[[nodiscard]] std::string LevelsText(std::uint8_t levels);
// Every instruction and register text the chip can show, so that a layout
// can leave room for the widest.
[[nodiscard]] std::vector<std::string> ChipValueTexts(const ChipDescription& chip);

} // namespace scanbench
