#pragma once

#include <ostream>

namespace scanbench {

class ChipBoard;

// The runner's closing lines for the simulated chips, one per chip and one
// for the sync switches:
//   chip U1: tap0 state=IDLE instruction=EXTEST dr=BOUNDARY leds=00010000b switches=01011010b
//   sync: SIA=1 SIB=0
// LEDs and switches are written bit 7 first, as the flags are.
void PrintBoard(std::ostream& out, const ChipBoard& board);

} // namespace scanbench
