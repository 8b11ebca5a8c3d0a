#include "bitbang/board_bitbang_target.h"

#include "board/chip_board.h"

namespace scanbench {

void BoardBitbangTarget::Drive(bool tck, bool tms, bool tdi) {
    constexpr std::uint8_t Tap0 = BoardLine::Tck0 | BoardLine::Tms0 | BoardLine::Tdi0;
    const auto lines =
        static_cast<std::uint8_t>((Board.DrivenLines() & ~Tap0) | (tck ? BoardLine::Tck0 : 0) |
                                  (tms ? BoardLine::Tms0 : 0) | (tdi ? BoardLine::Tdi0 : 0));
    Board.Drive(lines);
}

bool BoardBitbangTarget::Tdo() const {
    return (Board.Outputs() & BoardLine::Tdo0) != 0;
}

void BoardBitbangTarget::Reset(bool trst, bool /*srst*/) {
    if (trst) {
        Board.ResetTap(0);
    }
}

} // namespace scanbench
