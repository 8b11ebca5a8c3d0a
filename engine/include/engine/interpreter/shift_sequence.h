#pragma once

#include "engine/events/event_sequence.h"
#include "engine/interpreter/bit_string.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace scanbench {

// The bits of a data operand (its suffix left out) in the order they are
// sent, each digit's most significant bit first; empty for an operand with
// a character that is not a hexadecimal digit.
[[nodiscard]] std::optional<BitString> ShiftBits(std::string_view dataOperand);

// The events of a shift of `cycles` bits (NSHF, NSHFCP): two per bit, TCK
// low then high, TX the bit, the last bit with TMS = 1 (it leaves the shift
// state); then two events with TCK low and the last TX, the first with
// TMS = 1, the second with TMS = 0. Bits the operand lacks are sent as 0.
class ShiftSequence final : public EventSequence {
public:
    ShiftSequence(BitString bits, std::uint64_t cycles) : Bits(std::move(bits)), Cycles(cycles) {}

    [[nodiscard]] std::uint64_t Size() const { return 2 * Cycles + 2; }
    void Make(std::uint64_t first, std::span<std::uint32_t> out) const override;

private:
    BitString Bits;
    std::uint64_t Cycles;
};

// The events of NTCK with `cycles` clocks: TCK low then high for each
// cycle, then low again; TMS and TX low throughout.
class ClockSequence final : public EventSequence {
public:
    explicit ClockSequence(std::uint64_t cycles) : Cycles(cycles) {}

    [[nodiscard]] std::uint64_t Size() const { return 2 * Cycles + 1; }
    void Make(std::uint64_t first, std::span<std::uint32_t> out) const override;

private:
    std::uint64_t Cycles;
};

} // namespace scanbench
