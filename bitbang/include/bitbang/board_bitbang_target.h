#pragma once

#include "bitbang/remote_bitbang_session.h"

namespace scanbench {

class ChipBoard;

// TAP 0 of a board of chips as a remote_bitbang target: TCK, TMS and TDI
// drive TAP 0's chain (TAP 1's lines keep their levels), TDO is the chain's
// TDO, and TRST puts TAP 0's chips into Test-Logic-Reset. SRST has nothing
// to reset on the board.
class BoardBitbangTarget final : public BitbangTarget {
public:
    explicit BoardBitbangTarget(ChipBoard& board) : Board(board) {}

    void Drive(bool tck, bool tms, bool tdi) override;
    [[nodiscard]] bool Tdo() const override;
    void Reset(bool trst, bool srst) override;
    void Blink(bool on) override { Lit = on; }

    [[nodiscard]] bool BlinkOn() const { return Lit; }

private:
    ChipBoard& Board;
    bool Lit = false;
};

} // namespace scanbench
