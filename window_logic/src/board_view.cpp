#include "window_logic/board_view.h"

#include "window_logic/state_diagram_layout.h"

#include <algorithm>
#include <cstdio>

namespace scanbench {

namespace {

std::string HexDigits(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
    return text;
}

ChipInstruction DecodedBy(const ChipDescription& chip, std::uint32_t opcode) {
    const auto listed =
        std::find_if(chip.Opcodes.begin(), chip.Opcodes.end(),
                     [opcode](const InstructionCode& code) { return code.Opcode == opcode; });
    return listed == chip.Opcodes.end() ? ChipInstruction::Bypass : listed->Instruction;
}

} // namespace

std::string InstructionText(ChipInstruction instruction, std::uint32_t opcode,
                            std::uint8_t irLength) {
    std::string text(InstructionName(instruction));
    text += ' ';
    for (int bit = irLength - 1; bit >= 0; --bit) {
        text += ((opcode >> bit) & 1U) != 0 ? '1' : '0';
    }
    return text;
}

std::string RegisterText(DataRegister data, std::uint8_t length) {
    return std::string(RegisterName(data)) + ", " + std::to_string(length) +
           (length == 1 ? " bit" : " bits");
}

std::string IdCodeText(std::uint32_t idCode) {
    if (idCode == 0) {
        return "no IDCODE"; // a chip without the register
    }
    return "IDCODE " + HexDigits(idCode, 8) + "h";
}

std::string LevelsText(std::uint8_t levels) {
    return HexDigits(levels, 2) + "h";
}

std::vector<BoardChip> ChipsOnBoard(const ChipBoard& board) {
    std::vector<BoardChip> chips;
    chips.reserve(board.ChipCount());
    for (std::size_t i = 0; i < board.ChipCount(); ++i) {
        chips.push_back({board.Chip(i).Tap, board.Description(i)});
    }
    return chips;
}

BoardView DescribeBoard(const ChipBoard& board) {
    const BoardSnapshot snapshot = board.Snapshot();
    BoardView view;
    view.Chips.reserve(snapshot.Chips.size());
    for (std::size_t i = 0; i < snapshot.Chips.size(); ++i) {
        const ChipSnapshot& chip = snapshot.Chips[i];
        const ChipDescription& described = board.Description(i);
        view.Chips.push_back({
            chip.Name,
            IdCodeText(described.IdCode),
            std::string(StateShortNames[chip.State & 15]),
            InstructionText(chip.Decoded, chip.Instruction, described.IrLength),
            RegisterText(chip.Selected, chip.DrLength),
            chip.Tap,
            chip.Leds,
            chip.Switches,
        });
    }
    view.Sia = snapshot.Sia;
    view.Sib = snapshot.Sib;
    return view;
}

std::vector<std::string> ChipValueTexts(const ChipDescription& chip) {
    std::vector<std::string> texts;
    const std::uint32_t codes = 1U << std::min<std::uint8_t>(chip.IrLength, 8);
    for (std::uint32_t opcode = 0; opcode < codes; ++opcode) {
        texts.push_back(InstructionText(DecodedBy(chip, opcode), opcode, chip.IrLength));
    }
    texts.push_back(RegisterText(DataRegister::Bypass, 1));
    texts.push_back(RegisterText(DataRegister::Idcode, 32));
    texts.push_back(
        RegisterText(DataRegister::Boundary, static_cast<std::uint8_t>(chip.Cells.size())));
    return texts;
}

} // namespace scanbench
