#include "board/chip_description.h"

#include <algorithm>

namespace scanbench {

std::string_view InstructionName(ChipInstruction instruction) {
    switch (instruction) {
    case ChipInstruction::Bypass:
        return "BYPASS";
    case ChipInstruction::Idcode:
        return "IDCODE";
    case ChipInstruction::SamplePreload:
        return "SAMPLE/PRELOAD";
    case ChipInstruction::Extest:
        return "EXTEST";
    }
    return {};
}

std::string_view RegisterName(DataRegister data) {
    switch (data) {
    case DataRegister::Bypass:
        return "BYPASS";
    case DataRegister::Idcode:
        return "IDCODE";
    case DataRegister::Boundary:
        return "BOUNDARY";
    }
    return {};
}

std::optional<std::string> DescriptionProblem(const ChipDescription& chip) {
    const std::string name = chip.Name.empty() ? std::string("a chip") : chip.Name;
    if (chip.IrLength < 2 || chip.IrLength > 8) {
        return name + ": the instruction register must have 2 to 8 bits";
    }
    const std::uint32_t allOnes = (1U << chip.IrLength) - 1;
    if ((chip.IrCapture & 0b11) != 0b01 || chip.IrCapture > allOnes) {
        return name + ": the instruction register must capture ...01 within its length";
    }
    std::vector<std::uint32_t> seen;
    for (const InstructionCode& code : chip.Opcodes) {
        if (code.Opcode > allOnes) {
            return name + ": an opcode is longer than the instruction register";
        }
        if (std::find(seen.begin(), seen.end(), code.Opcode) != seen.end()) {
            return name + ": an opcode is listed twice";
        }
        seen.push_back(code.Opcode);
        if (code.Opcode == allOnes && code.Instruction != ChipInstruction::Bypass) {
            return name + ": the all-ones opcode must select BYPASS";
        }
        if (code.Instruction == ChipInstruction::Idcode &&
            ((chip.IdCode & 1) == 0 || (IdCodeManufacturer(chip.IdCode) & 0x7F) == 0x7F)) {
            return name + ": an IDCODE needs bit 0 set and a manufacturer other than 0x7F";
        }
    }
    if (chip.Cells.size() > 64) {
        return name + ": at most 64 boundary cells";
    }
    int controls = 0;
    for (const BoundaryCell& cell : chip.Cells) {
        if (cell.Function == CellFunction::Control) {
            ++controls;
        } else if (cell.Pin > 7) {
            return name + ": switches and LEDs are numbered 0 to 7";
        }
    }
    if (controls > 1) {
        return name + ": at most one control cell";
    }
    if (chip.OutputEnable > 1) {
        return name + ": the output enable level is 0 or 1";
    }
    return std::nullopt;
}

} // namespace scanbench
