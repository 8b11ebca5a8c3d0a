#pragma once

#include "board/chip_board.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace scanbench {

// Drives one TAP of a ChipBoard the way a test program does: each TCK cycle
// lowers TCK together with the new TMS and TDI, samples TDO while TCK is
// low, then raises TCK.
class JtagDriver {
public:
    JtagDriver(ChipBoard& board, std::uint8_t tap) : Board(board), Shift(3 * tap) {}

    bool Cycle(bool tms, bool tdi = false) {
        Fall(tms, tdi);
        const bool tdo = Tdo();
        Rise();
        return tdo;
    }
    void Fall(bool tms, bool tdi = false) { Set(false, tms, tdi); }
    void Rise() { Set(true, Tms, Tdi); }
    // TCK falls, nothing else changes: what ends every statement.
    void Settle() { Set(false, Tms, Tdi); }
    // Clocks the TMS levels written as '0' and '1', then lets TCK fall.
    void Moves(std::string_view levels) {
        for (const char level : levels) {
            Cycle(level == '1');
        }
        Settle();
    }
    // Shifts n bits of `in`, bit 0 first, the last one with TMS = 1 (to
    // Exit1), and returns the bits received, the first in bit 0.
    std::uint64_t ShiftBits(std::uint64_t in, int n) {
        std::uint64_t out = 0;
        for (int i = 0; i < n; ++i) {
            out |= std::uint64_t{Cycle(i + 1 == n, ((in >> i) & 1U) != 0)} << i;
        }
        Settle();
        return out;
    }
    // The same for registers of any length: in[0] first.
    std::vector<bool> ShiftBits(const std::vector<bool>& in) {
        std::vector<bool> out;
        for (std::size_t i = 0; i < in.size(); ++i) {
            out.push_back(Cycle(i + 1 == in.size(), in[i]));
        }
        Settle();
        return out;
    }
    // From Run-Test/Idle or Test-Logic-Reset: loads an n-bit instruction
    // and returns what the instruction register captured; ends in
    // Run-Test/Idle.
    std::uint64_t LoadInstruction(std::uint64_t opcode, int n) {
        Moves("01100");
        const std::uint64_t captured = ShiftBits(opcode, n);
        Moves("10");
        return captured;
    }
    // From Run-Test/Idle: a data register scan back to Run-Test/Idle.
    std::vector<bool> ScanData(const std::vector<bool>& in) {
        Moves("100");
        std::vector<bool> out = ShiftBits(in);
        Moves("10");
        return out;
    }
    [[nodiscard]] bool Tdo() const { return (Board.Outputs() >> (Shift / 3) & 1U) != 0; }

private:
    void Set(bool tck, bool tms, bool tdi) {
        Tms = tms;
        Tdi = tdi;
        const unsigned mine = (tck ? 1U : 0U) | (tms ? 2U : 0U) | (tdi ? 4U : 0U);
        Board.Drive(
            static_cast<std::uint8_t>((Board.DrivenLines() & ~(7U << Shift)) | (mine << Shift)));
    }

    ChipBoard& Board;
    unsigned Shift;
    bool Tms = false;
    bool Tdi = false;
};

} // namespace scanbench
