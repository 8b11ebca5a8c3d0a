#include "bitbang/board_bitbang_target.h"

#include "board/chip_board.h"

namespace scanbench {

void BoardBitbangTarget::Drive(bool tck, bool tms, bool tdi) {
    // TAP 1's lines sit three bits above TAP 0's.
    const int shift = 3 * Tap;
    const auto mine =
        static_cast<std::uint8_t>((BoardLine::Tck0 | BoardLine::Tms0 | BoardLine::Tdi0) << shift);
    const auto levels = static_cast<std::uint8_t>(
        ((tck ? BoardLine::Tck0 : 0) | (tms ? BoardLine::Tms0 : 0) | (tdi ? BoardLine::Tdi0 : 0))
        << shift);
    const auto lines = static_cast<std::uint8_t>((Board.DrivenLines() & ~mine) | levels);
    if (TrstHeld) {
        Board.Attach(lines); // the levels change, the held chips see no edge
    } else {
        Board.Drive(lines);
    }
}

bool BoardBitbangTarget::Tdo() const {
    return (Board.Outputs() & (BoardLine::Tdo0 << Tap)) != 0;
}

void BoardBitbangTarget::Reset(bool trst, bool /*srst*/) {
    if (trst) {
        Board.ResetTap(Tap);
    }
    TrstHeld = trst;
}

} // namespace scanbench
