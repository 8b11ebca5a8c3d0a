#include "engine/tap/reset_scrambler.h"

#include "engine/tap/tap_models.h"

namespace scanbench {

std::uint32_t ResetScrambler::NextPercent() {
    State = State * 134775813U + 1U;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(State) * 100U) >> 32);
}

void ResetScrambler::Scramble(TapModels& taps) {
    for (int i = 0; i < Iterations; ++i) {
        for (std::uint8_t tap = 0; tap < 2; ++tap) {
            taps.Step(tap, NextPercent() <= 50 ? 0 : 1);
        }
    }
}

} // namespace scanbench
