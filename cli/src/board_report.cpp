#include "cli/board_report.h"

#include "board/chip_board.h"
#include "engine/tap/tap_state.h"

#include <bitset>

namespace scanbench {

namespace {

// Bit i of `value` for each of `width` bits, bit width-1 first.
std::string Bits(std::uint64_t value, std::size_t width) {
    std::string text;
    for (std::size_t bit = width; bit-- > 0;) {
        text += ((value >> bit) & 1U) != 0 ? '1' : '0';
    }
    return text + "b";
}

} // namespace

void PrintBoard(std::ostream& out, const ChipBoard& board) {
    const BoardSnapshot snapshot = board.Snapshot();
    for (std::size_t i = 0; i < snapshot.Chips.size(); ++i) {
        const ChipSnapshot& chip = snapshot.Chips[i];
        const ChipDescription& described = board.Description(i);
        out << "chip " << chip.Name << ": tap" << int(chip.Tap)
            << " state=" << TapStateNames[chip.State & 15]
            << " instruction=" << described.OpcodeName(chip.Opcode)
            << " dr=" << described.Registers[chip.Register].Name;
        if (board.FindSwitch(chip.Name) || board.FindLed(chip.Name)) {
            out << " leds=" << std::bitset<8>(chip.Leds)
                << "b switches=" << std::bitset<8>(chip.Switches) << "b";
        }
        out << "\n";
    }
    // Switches and LEDs of their own, not named after a chip.
    for (std::size_t s = 0; s < board.Switches().size(); ++s) {
        const BoardSwitch& bank = board.Switches()[s];
        if (!board.FindChip(bank.Name)) {
            out << "switch " << bank.Name << "=" << Bits(board.SwitchValue(s), bank.Pins.size())
                << "\n";
        }
    }
    for (std::size_t l = 0; l < board.Leds().size(); ++l) {
        const BoardLed& row = board.Leds()[l];
        if (!board.FindChip(row.Name)) {
            out << "led " << row.Name << "=" << Bits(board.LedValue(l), row.Pins.size()) << "\n";
        }
    }
    out << "sync: SIA=" << int(snapshot.Sia) << " SIB=" << int(snapshot.Sib) << "\n";
}

} // namespace scanbench
