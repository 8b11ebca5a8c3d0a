#include "engine/playback_state.h"

#include <algorithm>

namespace scanbench {

namespace {

// How many "0" CapturedBits puts in front of `count` bits.
std::uint64_t Padding(std::uint64_t count) {
    return (4 - count % 4) % 4;
}

} // namespace

std::string PlaybackState::CapturedBits() const {
    const std::uint64_t count = ReceivedBits.Size();
    std::string bits(Padding(count), '0');
    for (std::uint64_t i = count; i > 0; --i) {
        bits += ReceivedBits[i - 1] == 1 ? '1' : '0';
    }
    return bits;
}

bool PlaybackState::CapturedBitsMatch(const BitString& expected, const BitString& mask) const {
    const std::uint64_t count = ReceivedBits.Size();
    const std::uint64_t padding = Padding(count);
    const std::uint64_t compared = std::min({count + padding, expected.Size(), mask.Size()});
    for (std::uint64_t i = 0; i < compared; ++i) {
        const std::uint8_t received = i < padding ? 0 : ReceivedBits[count - 1 - (i - padding)];
        if ((mask[i] & (received ^ expected[i])) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace scanbench
