#include "board/chip_description.h"

#include <algorithm>

namespace scanbench {

namespace {

[[nodiscard]] bool SameIgnoringCase(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return upper(x) == upper(y); });
}

} // namespace

const ChipOpcode* ChipDescription::Decode(std::uint64_t opcode) const {
    for (const ChipOpcode& code : Opcodes) {
        if ((opcode & code.Care) == (code.Value & code.Care)) {
            return &code;
        }
    }
    return nullptr;
}

std::optional<std::uint32_t> ChipDescription::FindPin(std::string_view name) const {
    for (std::size_t i = 0; i < Pins.size(); ++i) {
        if (SameIgnoringCase(Pins[i].Name, name)) {
            return static_cast<std::uint32_t>(i);
        }
    }
    return std::nullopt;
}

std::string_view ChipDescription::OpcodeName(std::int32_t opcode) const {
    if (opcode < 0 || static_cast<std::size_t>(opcode) >= Opcodes.size()) {
        return "BYPASS";
    }
    return Opcodes[static_cast<std::size_t>(opcode)].Name;
}

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
    case ChipInstruction::Usercode:
        return "USERCODE";
    case ChipInstruction::Highz:
        return "HIGHZ";
    case ChipInstruction::Clamp:
        return "CLAMP";
    case ChipInstruction::Intest:
        return "INTEST";
    case ChipInstruction::Other:
        return "OTHER";
    }
    return {};
}

std::string_view RegisterName(DataRegister data) {
    switch (data) {
    case DataRegister::Bypass:
        return "BYPASS";
    case DataRegister::Idcode:
        return "IDCODE";
    case DataRegister::Usercode:
        return "USERCODE";
    case DataRegister::Boundary:
        return "BOUNDARY";
    case DataRegister::Other:
        return "OTHER";
    }
    return {};
}

std::optional<std::string> DescriptionProblem(const ChipDescription& chip) {
    const std::string name = chip.Name.empty() ? std::string("a chip") : chip.Name;
    if (chip.IrLength < 2 || chip.IrLength > 64) {
        return name + ": the instruction register must have 2 to 64 bits";
    }
    const std::uint64_t allOnes =
        chip.IrLength == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << chip.IrLength) - 1;
    if ((chip.IrCapture & 0b11) != 0b01 || chip.IrCapture > allOnes) {
        return name + ": the instruction register must capture ...01 within its length";
    }
    if (chip.Registers.empty() || chip.Registers.front().Kind != DataRegister::Bypass ||
        chip.Registers.front().Length != 1) {
        return name + ": the first register must be the 1-bit BYPASS register";
    }
    for (const ChipRegister& data : chip.Registers) {
        if (data.Length == 0 || data.Length > MaxRegisterLength) {
            return name + ": register " + data.Name + " must have 1 to " +
                   std::to_string(MaxRegisterLength) + " bits";
        }
        if (data.Kind == DataRegister::Boundary && data.Length != chip.BoundaryLength) {
            return name + ": the BOUNDARY register must have one bit for each cell";
        }
    }
    for (const ChipOpcode& code : chip.Opcodes) {
        if (code.Value > allOnes || code.Care > allOnes) {
            return name + ": opcode " + code.Name + " is longer than the instruction register";
        }
        if (code.Register >= chip.Registers.size()) {
            return name + ": opcode " + code.Name + " selects a register the chip does not have";
        }
        if (chip.Registers[code.Register].Kind == DataRegister::Idcode &&
            ((chip.IdCode & 1) == 0 || (IdCodeManufacturer(chip.IdCode) & 0x7F) == 0x7F)) {
            return name + ": an IDCODE needs bit 0 set and a manufacturer other than 0x7F";
        }
    }
    if (const ChipOpcode* ones = chip.Decode(allOnes);
        ones != nullptr && ones->Instruction != ChipInstruction::Bypass) {
        return name + ": the all-ones opcode must select BYPASS";
    }
    if (chip.BoundaryLength > MaxRegisterLength) {
        return name + ": at most " + std::to_string(MaxRegisterLength) + " boundary cells";
    }
    for (const ChipCell& cell : chip.Cells) {
        if (cell.Number >= chip.BoundaryLength ||
            (cell.Pin >= 0 && static_cast<std::size_t>(cell.Pin) >= chip.Pins.size()) ||
            (cell.Control >= 0 &&
             static_cast<std::uint32_t>(cell.Control) >= chip.BoundaryLength) ||
            cell.DisableValue > 1) {
            return name + ": boundary cell " + std::to_string(cell.Number) +
                   " names a pin or cell the chip does not have";
        }
    }
    for (const CoreLink& link : chip.Core) {
        if (link.Output >= chip.Pins.size() || link.Input >= chip.Pins.size()) {
            return name + ": the chip's logic names a pin the chip does not have";
        }
    }
    return std::nullopt;
}

} // namespace scanbench
