#include "window_logic/views/pin_view.h"

#include "window_logic/dialogs/bitstream_shifter.h"

#include <algorithm>

namespace scanbench {

namespace {

[[nodiscard]] std::string_view RoleName(CellFunction function) {
    switch (function) {
    case CellFunction::Input:
        return "in";
    case CellFunction::Clock:
        return "clock";
    case CellFunction::Output2:
    case CellFunction::Output3:
        return "out";
    case CellFunction::Bidir:
        return "bidir";
    case CellFunction::ObserveOnly:
        return "observe";
    case CellFunction::Control:
    case CellFunction::ControlR:
    case CellFunction::Internal:
        break;
    }
    return "cell";
}

[[nodiscard]] std::string LevelText(PinLevel level) {
    switch (level) {
    case PinLevel::Low:
        return "0";
    case PinLevel::High:
        return "1";
    case PinLevel::Floating:
        break;
    }
    return "Z";
}

[[nodiscard]] std::string Lower(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

// The chips of one TAP's chain in board order (TDI end first).
[[nodiscard]] std::vector<std::size_t> ChainOf(const ChipBoard& board, std::uint8_t tap) {
    std::vector<std::size_t> chain;
    for (std::size_t i = 0; i < board.ChipCount(); ++i) {
        if (board.Chip(i).Tap == tap) {
            chain.push_back(i);
        }
    }
    return chain;
}

// What is wired to the pin, for the list.
[[nodiscard]] std::string AttachedText(const ChipBoard& board, PinRef pin,
                                       const std::optional<ChipBoard::SwitchBit>& on) {
    std::string text;
    if (on) {
        const BoardSwitch& bank = board.Switches()[on->Switch];
        text = "switch " + bank.Name;
        if (bank.Pins.size() > 1) {
            text += " bit " + std::to_string(on->Bit);
        }
    }
    for (const BoardLed& row : board.Leds()) {
        const auto at = std::ranges::find(row.Pins, pin);
        if (at != row.Pins.end()) {
            text += (text.empty() ? "LED " : ", LED ") + row.Name;
            if (row.Pins.size() > 1) {
                text += " bit " + std::to_string(at - row.Pins.begin());
            }
        }
    }
    return text;
}

} // namespace

std::vector<PinRow> DescribePins(const ChipBoard& board) {
    std::vector<PinRow> rows;
    for (std::size_t chip = 0; chip < board.ChipCount(); ++chip) {
        const TapChip& part = board.Part(chip);
        const ChipDescription& described = part.Described();
        const bool boundarySelected = board.Chip(chip).Selected == DataRegister::Boundary;
        // Each pin's cells in the order of their numbers.
        std::vector<const ChipCell*> ordered;
        for (const ChipCell& cell : described.Cells) {
            ordered.push_back(&cell);
        }
        std::ranges::stable_sort(ordered, {}, &ChipCell::Number);
        std::vector<std::string> cells(described.Pins.size());
        std::vector<std::int32_t> controls(described.Pins.size(), -1);
        std::vector<std::uint8_t> enables(described.Pins.size(), 1);
        for (const ChipCell* cell : ordered) {
            if (cell->Pin < 0) {
                continue;
            }
            const auto pin = static_cast<std::size_t>(cell->Pin);
            std::string& text = cells[pin];
            text += text.empty() ? "" : ", ";
            text += RoleName(cell->Function);
            text += ' ';
            text += std::to_string(cell->Number);
            if (static_cast<std::int32_t>(cell->Number) == part.OutputCell(pin)) {
                controls[pin] = cell->Control;
                enables[pin] = static_cast<std::uint8_t>(1U - cell->DisableValue);
            }
        }
        for (std::uint32_t pin = 0; pin < described.Pins.size(); ++pin) {
            PinRow row;
            row.Chip = chip;
            row.Pin = pin;
            row.ChipName = described.Name;
            row.Name = described.Pins[pin].Name;
            row.Cells = cells[pin];
            row.OutputCell = part.OutputCell(pin);
            row.ControlCell = controls[pin];
            row.EnableValue = enables[pin];
            if (row.ControlCell >= 0 && row.ControlCell != row.OutputCell) {
                row.Cells += ", ctl ";
                row.Cells += std::to_string(row.ControlCell);
            }
            const PortMode mode = described.Pins[pin].Mode;
            const PinDrive drive = part.Drive(pin);
            const bool driving = drive == PinDrive::Low || drive == PinDrive::High;
            row.Direction = mode == PortMode::In      ? "in"
                            : !driving                ? "Z"
                            : mode == PortMode::Inout ? "bidir"
                                                      : "out";
            row.Level = LevelText(part.Level(pin));
            if (row.OutputCell >= 0) {
                row.Latch +=
                    part.Latch(static_cast<std::uint32_t>(row.OutputCell)) != 0 ? '1' : '0';
            }
            row.Switch = board.SwitchOn({static_cast<std::uint32_t>(chip), pin});
            row.Attached = AttachedText(board, {static_cast<std::uint32_t>(chip), pin}, row.Switch);
            row.Settable = row.OutputCell >= 0 && boundarySelected;
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

bool PinMatches(const PinRow& row, std::string_view filter) {
    const std::string wanted = Lower(filter);
    return wanted.empty() ||
           Lower(row.ChipName + "." + row.Name).find(wanted) != std::string::npos ||
           Lower(row.Attached).find(wanted) != std::string::npos;
}

std::optional<ScanBit> ScanBitOf(const ChipBoard& board, std::size_t chip, std::uint32_t cell) {
    const ChipSnapshot mine = board.Chip(chip);
    if (mine.Selected != DataRegister::Boundary || cell >= mine.DrLength) {
        return std::nullopt;
    }
    ScanBit bit{mine.Tap, cell, 0};
    bool beyond = false; // past `chip`, towards TDO
    for (const std::size_t other : ChainOf(board, mine.Tap)) {
        const std::uint32_t length = board.Chip(other).DrLength;
        bit.Length += length;
        if (beyond) {
            bit.Bit += length;
        }
        beyond = beyond || other == chip;
    }
    return bit;
}

std::string NextScanBits(const ChipBoard& board, std::uint8_t tap,
                         std::span<const PlannedLatch> plan) {
    std::string bits;
    // Built from the TDO end: the last chip's register is shifted in first.
    const std::vector<std::size_t> chain = ChainOf(board, tap);
    for (auto chip = chain.rbegin(); chip != chain.rend(); ++chip) {
        const ChipSnapshot snapshot = board.Chip(*chip);
        const bool boundary = snapshot.Selected == DataRegister::Boundary;
        const std::size_t first = bits.size();
        for (std::uint32_t n = 0; n < snapshot.DrLength; ++n) {
            bits += boundary && board.Part(*chip).Latch(n) != 0 ? '1' : '0';
        }
        for (const PlannedLatch& planned : plan) {
            if (boundary && planned.Chip == *chip && planned.Cell < snapshot.DrLength) {
                bits[first + planned.Cell] = planned.Value != 0 ? '1' : '0';
            }
        }
    }
    return bits;
}

std::string NshfcpOperand(std::string_view bits) {
    std::string hex = BitsToHex(bits);
    std::ranges::transform(hex, hex.begin(), [](char c) {
        return (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return hex + "h";
}

std::string ScanStatements(std::string_view bits) {
    const std::string operand = NshfcpOperand(bits);
    const std::string nothing = std::string(operand.size() - 1, '0') + "h";
    return "LD CNT," + std::to_string(bits.size()) + "d;\nNSHFCP " + operand + "," + nothing + "," +
           nothing + ";";
}

std::string ScanBitText(const ScanBit& bit) {
    return "Bit " + std::to_string(bit.Bit) + " of the " + std::to_string(bit.Length) +
           "-bit DR scan of TAP " + std::to_string(bit.Tap);
}

} // namespace scanbench
