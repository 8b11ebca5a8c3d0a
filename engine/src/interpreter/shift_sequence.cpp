#include "engine/interpreter/shift_sequence.h"

#include "engine/events/packed_event.h"
#include "engine/program/number_helpers.h"

#include <array>

namespace scanbench {

namespace {

// A digit's four bits in the order they are sent (most significant first)
// as the low four bits of a word, the first sent in bit 0.
constexpr std::array<std::uint8_t, 16> SentOrder = {0x0, 0x8, 0x4, 0xC, 0x2, 0xA, 0x6, 0xE,
                                                    0x1, 0x9, 0x5, 0xD, 0x3, 0xB, 0x7, 0xF};

} // namespace

std::optional<BitString> ShiftBits(std::string_view dataOperand) {
    BitString bits;
    if (dataOperand.empty()) {
        return bits;
    }
    const std::string_view digits = dataOperand.substr(0, dataOperand.size() - 1);
    bits.Reserve(std::uint64_t{digits.size()} * 4);
    // Sixteen digits to a word.
    for (std::size_t first = 0; first < digits.size(); first += 16) {
        const std::string_view part = digits.substr(first, 16);
        std::uint64_t value = 0;
        std::uint8_t bad = 0;
        for (std::size_t d = 0; d < part.size(); ++d) {
            const std::uint8_t digit = HexDigitValue(part[d]);
            bad |= digit & 0xF0U; // NotAHexDigit has high bits
            value |= std::uint64_t{SentOrder[digit & 0x0FU]} << (4 * d);
        }
        if (bad != 0) {
            return std::nullopt;
        }
        bits.Append(value, static_cast<unsigned>(4 * part.size()));
    }
    return bits;
}

namespace {

constexpr std::uint32_t Tms = PackedEvent::TMS;
constexpr std::uint32_t Tck = PackedEvent::TCK;
constexpr std::uint32_t Tx = PackedEvent::TX;

} // namespace

void ShiftSequence::Make(std::uint64_t first, std::span<std::uint32_t> out) const {
    std::size_t i = 0;
    std::uint64_t k = first;
    // The bits before the last, two events each: made a pair at a time.
    const std::uint64_t pairsEnd = Cycles > 0 ? 2 * (Cycles - 1) : 0;
    if ((k & 1) != 0 && k < pairsEnd && i < out.size()) {
        out[i++] = Bits.BitOrZero(k >> 1) * Tx | Tck;
        ++k;
    }
    while (k + 1 < pairsEnd && i + 1 < out.size()) {
        const std::uint32_t low = Bits.BitOrZero(k >> 1) * Tx;
        out[i] = low;
        out[i + 1] = low | Tck;
        i += 2;
        k += 2;
    }
    // The last bit, the closing events and any odd one out.
    const std::uint32_t lastTx = Bits.BitOrZero(Cycles - 1) * Tx;
    for (; i < out.size(); ++i, ++k) {
        const std::uint64_t bit = k >> 1;
        if (bit < Cycles) {
            out[i] = Bits.BitOrZero(bit) * Tx | static_cast<std::uint32_t>(k & 1) * Tck |
                     (bit + 1 == Cycles ? Tms : 0U);
        } else {
            out[i] = lastTx | (k == 2 * Cycles ? Tms : 0U);
        }
    }
}

void ClockSequence::Make(std::uint64_t first, std::span<std::uint32_t> out) const {
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::uint64_t k = first + i;
        out[i] = k < 2 * Cycles ? static_cast<std::uint32_t>(k & 1) * Tck : 0U;
    }
}

} // namespace scanbench
