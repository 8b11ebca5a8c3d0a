#pragma once

#include <ostream>

namespace scanbench {

class ChipBoard;

// The runner's closing lines for the simulated chips, one per chip, one for
// each switch and LED not named after a chip, and one for the sync switches:
//   chip U1: tap0 state=IDLE instruction=EXTEST dr=BOUNDARY leds=00010000b switches=01011010b
//   chip U4: tap0 state=IDLE instruction=SAMPLE/PRELOAD dr=BOUNDARY
//   switch BUTTON=1b
//   led LD2=0b
//   sync: SIA=1 SIB=0
// A chip's line shows the LEDs and switches named after it (the demo
// board's), written bit 7 first as the flags are.
void PrintBoard(std::ostream& out, const ChipBoard& board);

} // namespace scanbench
