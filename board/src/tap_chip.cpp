#include "board/tap_chip.h"

#include <stdexcept>

namespace scanbench {

namespace {

// A cell or pin number held as int32_t (where -1 means none) as an index,
// once it is known not to be -1.
[[nodiscard]] constexpr std::size_t Slot(std::int32_t number) {
    return static_cast<std::size_t>(number);
}

[[nodiscard]] std::uint8_t SafeBit(char safe) {
    return safe == '1' ? 1 : 0;
}

[[nodiscard]] PinDrive ReleasedDrive(DisableResult result) {
    switch (result) {
    case DisableResult::Weak0:
    case DisableResult::Pull0:
        return PinDrive::WeakLow;
    case DisableResult::Weak1:
    case DisableResult::Pull1:
        return PinDrive::WeakHigh;
    case DisableResult::Keeper:
        return PinDrive::Keep;
    case DisableResult::Z:
        break;
    }
    return PinDrive::None;
}

// How firmly a cell's function says what its captured bit is: an input
// role of a merged cell wins over its output or control role.
[[nodiscard]] int CaptureRank(CellFunction function) {
    switch (function) {
    case CellFunction::Input:
    case CellFunction::Clock:
    case CellFunction::ObserveOnly:
    case CellFunction::Bidir:
        return 3;
    case CellFunction::Control:
    case CellFunction::ControlR:
        return 2;
    case CellFunction::Output2:
    case CellFunction::Output3:
        return 1;
    case CellFunction::Internal:
        break;
    }
    return 0;
}

} // namespace

TapChip::TapChip(ChipDescription description) : Description(std::move(description)) {
    if (const auto problem = DescriptionProblem(Description)) {
        throw std::invalid_argument(*problem);
    }
    Prepare();
    LoadInstruction(ResetOpcode);
}

void TapChip::Prepare() {
    IrTop = static_cast<std::uint8_t>(Description.IrLength - 1);
    ResetOpcode = Description.IrLength == 64 ? ~std::uint64_t{0}
                                             : (std::uint64_t{1} << Description.IrLength) - 1;
    for (const ChipOpcode& code : Description.Opcodes) {
        if (Description.Registers[code.Register].Kind == DataRegister::Idcode) {
            ResetOpcode = code.Value; // IDCODE, BYPASS for a chip without one
            break;
        }
    }
    std::uint32_t longest = 0;
    for (const ChipRegister& data : Description.Registers) {
        longest = std::max(longest, data.Length);
    }
    if (longest > 64) {
        Ring.assign((longest + 63) / 64, 0);
    }

    const std::size_t pins = Description.Pins.size();
    Drivers.assign(pins, {});
    Drives.assign(pins, PinDrive::None);
    Levels.assign(pins, PinLevel::Floating);
    BoundaryLatch.assign(Description.BoundaryLength, 0);
    Captures.assign(Description.BoundaryLength, {});
    std::vector<int> rank(Description.BoundaryLength, -1);
    for (const ChipCell& cell : Description.Cells) {
        const bool drives = cell.Function == CellFunction::Output2 ||
                            cell.Function == CellFunction::Output3 ||
                            cell.Function == CellFunction::Bidir;
        if (drives && cell.Pin >= 0 && Drivers[Slot(cell.Pin)].Output < 0) {
            Drivers[Slot(cell.Pin)] = {static_cast<std::int32_t>(cell.Number), cell.Control,
                                       cell.DisableValue, ReleasedDrive(cell.Result)};
        }
        const int mine = CaptureRank(cell.Function);
        if (mine > rank[cell.Number]) {
            rank[cell.Number] = mine;
            CaptureSource& source = Captures[cell.Number];
            source = {};
            source.Default = SafeBit(cell.Safe);
            if (mine != 0 && mine != 2) {
                source.Pin = cell.Pin;
            }
        }
    }
    // A control cell captures the enable of the first pin it controls and
    // takes that pin's disable value when reset.
    for (std::size_t pin = 0; pin < pins; ++pin) {
        const PinDriver& driver = Drivers[pin];
        if (driver.Control >= 0 && rank[Slot(driver.Control)] == 2 &&
            Captures[Slot(driver.Control)].Enables < 0) {
            Captures[Slot(driver.Control)].Enables = static_cast<std::int32_t>(pin);
        }
    }
    for (const ChipCell& cell : Description.Cells) {
        if (cell.Function == CellFunction::ControlR) {
            ResetCells.push_back(cell.Number);
        }
    }
}

bool TapChip::ShiftBit(std::uint32_t i) const {
    if (!Wide) {
        return ((DrShift >> i) & 1) != 0;
    }
    std::uint32_t at = RingHead + i;
    at = at >= DrLength ? at - DrLength : at;
    return ((Ring[at >> 6] >> (at & 63)) & 1) != 0;
}

std::uint8_t TapChip::CaptureCell(const CaptureSource& source) const {
    if (source.Pin >= 0) {
        const PinLevel level = Levels[Slot(source.Pin)];
        return level == PinLevel::Floating ? source.Default : static_cast<std::uint8_t>(level);
    }
    if (source.Enables >= 0) {
        const PinDrive drive = Drives[Slot(source.Enables)];
        const bool driven = drive == PinDrive::Low || drive == PinDrive::High;
        const std::uint8_t disable = Drivers[Slot(source.Enables)].DisableValue;
        return driven ? static_cast<std::uint8_t>(1U - disable) : disable;
    }
    return source.Default;
}

void TapChip::CaptureData() {
    const ChipRegister& data = Description.Registers[SelectedRegister];
    RingHead = 0;
    if (Selected == DataRegister::Boundary) {
        if (!Wide) {
            std::uint64_t value = 0;
            for (std::uint32_t n = 0; n < DrLength; ++n) {
                value |= std::uint64_t{CaptureCell(Captures[n])} << n;
            }
            DrShift = value;
            return;
        }
        std::fill(Ring.begin(), Ring.end(), 0);
        for (std::uint32_t n = 0; n < DrLength; ++n) {
            Ring[n >> 6] |= std::uint64_t{CaptureCell(Captures[n])} << (n & 63);
        }
        return;
    }
    if (!Wide) {
        DrShift = data.Capture;
        return;
    }
    std::fill(Ring.begin(), Ring.end(), 0);
    Ring[0] = data.Capture;
}

void TapChip::LoadInstruction(std::uint64_t opcode) {
    Instruction = opcode;
    const ChipOpcode* code = Description.Decode(opcode);
    Opcode = code == nullptr ? -1 : static_cast<std::int32_t>(code - Description.Opcodes.data());
    Decoded = code == nullptr ? ChipInstruction::Bypass : code->Instruction;
    SelectedRegister = code == nullptr ? 0 : code->Register;
    const ChipRegister& data = Description.Registers[SelectedRegister];
    Selected = data.Kind;
    DrLength = data.Length;
    Wide = DrLength > 64;
    DrTop = static_cast<std::uint8_t>(Wide ? 0 : DrLength - 1);
    RefreshDrives();
}

void TapChip::EnterReset() {
    for (const std::uint32_t cell : ResetCells) {
        const std::int32_t pin = Captures[cell].Enables;
        BoundaryLatch[cell] = pin >= 0 ? Drivers[Slot(pin)].DisableValue : Captures[cell].Default;
    }
    ResetPending = false;
    LoadInstruction(ResetOpcode);
}

void TapChip::UpdateBoundary() {
    for (std::uint32_t n = 0; n < DrLength; ++n) {
        BoundaryLatch[n] = ShiftBit(n) ? 1 : 0;
    }
    ResetPending = !ResetCells.empty();
    RefreshDrives();
}

bool TapChip::BoundaryDrives() const {
    return Decoded == ChipInstruction::Extest || Decoded == ChipInstruction::Clamp ||
           Decoded == ChipInstruction::Intest;
}

bool TapChip::SetDrive(std::size_t pin, PinDrive drive) {
    if (Drives[pin] == drive) {
        return false;
    }
    Drives[pin] = drive;
    DrivesChanged = true;
    return true;
}

void TapChip::RefreshDrives() {
    const bool boundary = BoundaryDrives();
    if (boundary || Decoded == ChipInstruction::Highz) {
        for (std::size_t pin = 0; pin < Drivers.size(); ++pin) {
            const PinDriver& driver = Drivers[pin];
            if (driver.Output < 0) {
                continue;
            }
            const bool enabled =
                boundary &&
                (driver.Control < 0 || BoundaryLatch[Slot(driver.Control)] != driver.DisableValue);
            if (!enabled) {
                SetDrive(pin, driver.Released);
            } else {
                SetDrive(pin,
                         BoundaryLatch[Slot(driver.Output)] != 0 ? PinDrive::High : PinDrive::Low);
            }
        }
        return;
    }
    FollowInputs();
}

bool TapChip::FollowInputs() {
    if (BoundaryDrives() || Decoded == ChipInstruction::Highz) {
        return false;
    }
    bool changed = false;
    for (const CoreLink& link : Description.Core) {
        const bool high = Levels[link.Input] == PinLevel::High;
        changed = SetDrive(link.Output, high ? PinDrive::High : PinDrive::Low) || changed;
    }
    return changed;
}

ChipSnapshot TapChip::Snapshot(std::uint8_t tap) const {
    ChipSnapshot s;
    s.Name = Description.Name;
    s.Tap = tap;
    s.State = Current;
    s.Instruction = Instruction;
    s.Decoded = Decoded;
    s.Opcode = Opcode;
    s.Selected = Selected;
    s.Register = SelectedRegister;
    s.IrShift = IrShift;
    if (Wide) {
        for (std::uint32_t i = 0; i < 64; ++i) {
            s.DrShift |= std::uint64_t{ShiftBit(i)} << i;
        }
    } else {
        s.DrShift = DrShift;
    }
    s.DrLength = DrLength;
    s.TdoDriven = TdoDriven;
    s.Tdo = Tdo;
    return s;
}

} // namespace scanbench
