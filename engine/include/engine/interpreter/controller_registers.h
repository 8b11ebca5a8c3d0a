#pragma once

#include "engine/interpreter/bit_string.h"

#include <array>
#include <cstdint>
#include <string>

namespace scanbench {

// The programmer-visible state of the simulated test controller. Per-TAP
// registers are arrays of two indexed by TAP number; instructions act on the
// element of SelectedTap.
struct ControllerRegisters {
    std::uint8_t SelectedTap = 0;
    std::array<std::uint8_t, 2> FlagMask{1, 1};
    std::array<std::uint8_t, 2> Flags{};
    std::array<std::int32_t, 2> Counter{};
    std::array<std::int32_t, 2> SavedCounter{};
    std::array<bool, 2> CounterLoaded{};
    std::array<bool, 2> ResetDone{};
    std::uint8_t SyncOutA = 0;
    std::uint8_t SyncOutB = 0;
    std::string JumpLabel;
    std::int32_t CurrentLine = 0;
    std::array<std::uint8_t, 2> LastTms{};
    std::array<std::uint8_t, 2> LastTck{};
    std::array<std::uint8_t, 2> LastTx{};
    bool WaitingSync = false;
    bool WaitSiaLow = false;
    bool WaitSiaHigh = false;
    bool WaitSibLow = false;
    bool WaitSibHigh = false;
    BitString ExpectedBits; // least significant bit first
    BitString MaskBits;     // least significant bit first

    // Index of the bit that FlagMask of a TAP selects (0 for mask 1 .. 7 for 128).
    [[nodiscard]] int SelectedFlagBit(std::uint8_t tap) const;
    // True when the flag that FlagMask selects is set on the TAP.
    [[nodiscard]] bool SelectedFlagSet(std::uint8_t tap) const {
        return (Flags[tap] & FlagMask[tap]) == FlagMask[tap];
    }
    void ClearWaits() {
        WaitingSync = false;
        WaitSiaLow = false;
        WaitSiaHigh = false;
        WaitSibLow = false;
        WaitSibHigh = false;
    }
};

} // namespace scanbench
