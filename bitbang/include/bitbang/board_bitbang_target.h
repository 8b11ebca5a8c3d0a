#pragma once

#include "bitbang/remote_bitbang_session.h"

#include <cstdint>

namespace scanbench {

class ChipBoard;

// One TAP of a board of chips as a remote_bitbang target: TCK, TMS and TDI
// drive that TAP's chain (the other TAP's lines keep their levels), TDO is
// the chain's TDO. While TRST is asserted the TAP's chips are held in
// Test-Logic-Reset, as IEEE 1149.1 asks: they are reset when it is asserted
// and see no TCK edge until it is released. SRST has nothing to reset on the
// board.
class BoardBitbangTarget final : public BitbangTarget {
public:
    explicit BoardBitbangTarget(ChipBoard& board, std::uint8_t tap = 0)
        : Board(board), Tap(tap & 1) {}

    void Drive(bool tck, bool tms, bool tdi) override;
    [[nodiscard]] bool Tdo() const override;
    void Reset(bool trst, bool srst) override;
    void Blink(bool on) override { Lit = on; }

    [[nodiscard]] bool BlinkOn() const { return Lit; }
    [[nodiscard]] std::uint8_t ServedTap() const { return Tap; }

private:
    ChipBoard& Board;
    std::uint8_t Tap;
    bool TrstHeld = false;
    bool Lit = false;
};

} // namespace scanbench
