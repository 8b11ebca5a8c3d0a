#include "cli/board_report.h"

#include "board/chip_board.h"
#include "engine/tap_state.h"

#include <bitset>

namespace scanbench {

void PrintBoard(std::ostream& out, const ChipBoard& board) {
    const BoardSnapshot snapshot = board.Snapshot();
    for (const ChipSnapshot& chip : snapshot.Chips) {
        out << "chip " << chip.Name << ": tap" << int(chip.Tap)
            << " state=" << TapStateNames[chip.State & 15]
            << " instruction=" << InstructionName(chip.Decoded)
            << " dr=" << RegisterName(chip.Selected) << " leds=" << std::bitset<8>(chip.Leds)
            << "b switches=" << std::bitset<8>(chip.Switches) << "b\n";
    }
    out << "sync: SIA=" << int(snapshot.Sia) << " SIB=" << int(snapshot.Sib) << "\n";
}

} // namespace scanbench
