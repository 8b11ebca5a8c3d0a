#include "board/tap_chip.h"

#include <stdexcept>

namespace scanbench {

TapChip::TapChip(ChipDescription description) : Description(std::move(description)) {
    if (const auto problem = DescriptionProblem(Description)) {
        throw std::invalid_argument(*problem);
    }
    IrTop = static_cast<std::uint8_t>(Description.IrLength - 1);
    ResetOpcode = (1U << Description.IrLength) - 1; // BYPASS unless the chip has an IDCODE
    for (const InstructionCode& code : Description.Opcodes) {
        Decode[code.Opcode] = code.Instruction;
        if (code.Instruction == ChipInstruction::Idcode) {
            ResetOpcode = code.Opcode;
        }
    }
    for (std::size_t i = 0; i < Description.Cells.size(); ++i) {
        const BoundaryCell& cell = Description.Cells[i];
        const CellPin at{static_cast<std::uint8_t>(i), cell.Pin};
        switch (cell.Function) {
        case CellFunction::Input:
            Inputs.push_back(at);
            break;
        case CellFunction::Output:
            Outputs.push_back(at);
            break;
        case CellFunction::Control:
            ControlCell = static_cast<int>(i);
            break;
        }
    }
    LoadInstruction(ResetOpcode);
}

void TapChip::SetSwitches(std::uint8_t levels) {
    SwitchLevels = levels;
    RefreshLeds();
}

std::uint64_t TapChip::CaptureValue() const {
    switch (Selected) {
    case DataRegister::Bypass:
        return 0;
    case DataRegister::Idcode:
        return Description.IdCode;
    case DataRegister::Boundary:
        return CaptureBoundary();
    }
    return 0;
}

std::uint64_t TapChip::CaptureBoundary() const {
    std::uint64_t value = 0;
    for (const CellPin& in : Inputs) {
        value |= std::uint64_t{(SwitchLevels >> in.Pin) & 1U} << in.Cell;
    }
    for (const CellPin& out : Outputs) {
        value |= std::uint64_t{(LedLevels >> out.Pin) & 1U} << out.Cell;
    }
    if (ControlCell >= 0) {
        const bool enabled = Decoded != ChipInstruction::Extest || OutputsEnabled();
        const unsigned level = enabled ? Description.OutputEnable : 1U - Description.OutputEnable;
        value |= std::uint64_t{level} << ControlCell;
    }
    return value;
}

void TapChip::LoadInstruction(std::uint32_t opcode) {
    Instruction = opcode;
    Decoded = Decode[opcode & 0xFF];
    switch (Decoded) {
    case ChipInstruction::Bypass:
        Selected = DataRegister::Bypass;
        break;
    case ChipInstruction::Idcode:
        Selected = DataRegister::Idcode;
        break;
    case ChipInstruction::SamplePreload:
    case ChipInstruction::Extest:
        Selected = Description.Cells.empty() ? DataRegister::Bypass : DataRegister::Boundary;
        break;
    }
    DrTop = static_cast<std::uint8_t>(DataRegisterLength() - 1);
    RefreshLeds();
}

void TapChip::UpdateBoundary() {
    const std::uint8_t length = DataRegisterLength();
    BoundaryLatch = length == 64 ? DrShift : DrShift & ((std::uint64_t{1} << length) - 1);
    RefreshLeds();
}

bool TapChip::OutputsEnabled() const {
    return ControlCell < 0 || ((BoundaryLatch >> ControlCell) & 1U) == Description.OutputEnable;
}

void TapChip::RefreshLeds() {
    if (Decoded != ChipInstruction::Extest) {
        LedLevels = SwitchLevels;
        return;
    }
    std::uint8_t leds = 0;
    if (OutputsEnabled()) {
        for (const CellPin& out : Outputs) {
            if ((BoundaryLatch >> out.Cell) & 1U) {
                leds = static_cast<std::uint8_t>(leds | (1U << out.Pin));
            }
        }
    }
    LedLevels = leds;
}

std::uint8_t TapChip::DataRegisterLength() const {
    switch (Selected) {
    case DataRegister::Bypass:
        return 1;
    case DataRegister::Idcode:
        return 32;
    case DataRegister::Boundary:
        return static_cast<std::uint8_t>(Description.Cells.size());
    }
    return 1;
}

ChipSnapshot TapChip::Snapshot(std::uint8_t tap) const {
    ChipSnapshot s;
    s.Name = Description.Name;
    s.Tap = tap;
    s.State = Current;
    s.Instruction = Instruction;
    s.Decoded = Decoded;
    s.Selected = Selected;
    s.IrShift = IrShift;
    s.DrShift = DrShift;
    s.DrLength = DataRegisterLength();
    s.Leds = LedLevels;
    s.Switches = SwitchLevels;
    s.TdoDriven = TdoDriven;
    s.Tdo = Tdo;
    return s;
}

} // namespace scanbench
