#pragma once

#include <cstdint>

namespace scanbench {

class TapModels;

// Drives both TAP models through 20 random TMS steps on every simulation
// reset, so that a program cannot rely on the state before its own "RST;".
// The generator is a 32-bit linear congruential one seeded with 0 when the
// program starts; it carries on from one reset to the next, so every start of
// the program sees the same sequence of scrambles.
class ResetScrambler {
public:
    static constexpr int Iterations = 20;

    // Next integer in 0..99.
    [[nodiscard]] std::uint32_t NextPercent();
    // Per iteration: TAP 0, then TAP 1; 0..50 gives TMS = 0, 51..99 TMS = 1.
    void Scramble(TapModels& taps);

    [[nodiscard]] std::uint32_t Seed() const { return State; }

private:
    std::uint32_t State = 0;
};

} // namespace scanbench
