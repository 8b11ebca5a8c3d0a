#include "window_logic/views/board_view.h"

#include "window_logic/views/state_diagram_layout.h"

#include <algorithm>
#include <cstdio>

namespace scanbench {

namespace {

std::string HexDigits(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
    return text;
}

} // namespace

std::string InstructionText(std::string_view name, std::uint64_t opcode, std::uint8_t irLength) {
    std::string text(name);
    text += ' ';
    for (int bit = irLength - 1; bit >= 0; --bit) {
        text += ((opcode >> bit) & 1U) != 0 ? '1' : '0';
    }
    return text;
}

std::string InstructionText(ChipInstruction instruction, std::uint64_t opcode,
                            std::uint8_t irLength) {
    return InstructionText(InstructionName(instruction), opcode, irLength);
}

std::string RegisterText(std::string_view name, std::uint32_t length) {
    return std::string(name) + ", " + std::to_string(length) + (length == 1 ? " bit" : " bits");
}

std::string RegisterText(DataRegister data, std::uint32_t length) {
    return RegisterText(RegisterName(data), length);
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
            InstructionText(described.OpcodeName(chip.Opcode), chip.Instruction,
                            described.IrLength),
            RegisterText(described.Registers[chip.Register].Name, chip.DrLength),
            chip.Tap,
            chip.Leds,
            chip.Switches,
            board.FindLed(chip.Name).has_value(),
            board.FindSwitch(chip.Name).has_value(),
            !described.Pins.empty(),
        });
    }
    view.Sia = snapshot.Sia;
    view.Sib = snapshot.Sib;
    return view;
}

std::vector<std::string> ChipValueTexts(const ChipDescription& chip) {
    std::vector<std::string> texts;
    for (const ChipOpcode& code : chip.Opcodes) {
        texts.push_back(InstructionText(code.Name, code.Value, chip.IrLength));
    }
    // A code the chip does not list reads as BYPASS.
    texts.push_back(InstructionText(ChipInstruction::Bypass, 0, chip.IrLength));
    for (const ChipRegister& data : chip.Registers) {
        texts.push_back(RegisterText(data.Name, data.Length));
    }
    return texts;
}

} // namespace scanbench
