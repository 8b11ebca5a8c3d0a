#pragma once

#include "board/chip_board.h"

#include <string>
#include <vector>

namespace scanbench {

// What the simulated board window draws of one named net: its name, the
// pins it joins, the level at its last pin (the receiving end, as board
// files list the pins) and, only while the faults are revealed, its fault.
struct NetView {
    std::string Name;  // "N3"
    std::string Pins;  // "U1.D(3) - U2.S(3)"
    char Level = 'Z';  // '0', '1' or 'Z'
    std::string Fault; // "" (none, or hidden), "stuck at 0", "stuck at 1", "open", "short to N6"
    friend bool operator==(const NetView&, const NetView&) = default;
};

[[nodiscard]] std::vector<NetView> DescribeNets(const ChipBoard& board, bool revealed);

// One line on the faults for the Faults panel: "No faults on the board.",
// "2 faults on the board, hidden.", or with `revealed` the faults
// themselves: "Faults: N3=stuck0, N5+N6=short".
[[nodiscard]] std::string FaultSummary(const ChipBoard& board, bool revealed);

} // namespace scanbench
