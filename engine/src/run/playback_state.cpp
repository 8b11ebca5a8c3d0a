#include "engine/run/playback_state.h"

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

namespace {

// The word with its bits in the opposite order.
std::uint64_t Reversed(std::uint64_t w) {
    w = ((w >> 1) & 0x5555555555555555ULL) | ((w & 0x5555555555555555ULL) << 1);
    w = ((w >> 2) & 0x3333333333333333ULL) | ((w & 0x3333333333333333ULL) << 2);
    w = ((w >> 4) & 0x0F0F0F0F0F0F0F0FULL) | ((w & 0x0F0F0F0F0F0F0F0FULL) << 4);
    w = ((w >> 8) & 0x00FF00FF00FF00FFULL) | ((w & 0x00FF00FF00FF00FFULL) << 8);
    w = ((w >> 16) & 0x0000FFFF0000FFFFULL) | ((w & 0x0000FFFF0000FFFFULL) << 16);
    return (w >> 32) | (w << 32);
}

} // namespace

bool PlaybackState::CapturedBitsMatch(const BitString& expected, const BitString& mask) const {
    // Position i of CapturedBits() holds received bit count + padding - 1 - i
    // (0 for the padding, which lies beyond the received bits): 64
    // positions at a time are a window of the received bits, reversed.
    const std::uint64_t count = ReceivedBits.Size();
    const auto length = static_cast<std::int64_t>(count + Padding(count));
    const std::uint64_t compared =
        std::min({static_cast<std::uint64_t>(length), expected.Size(), mask.Size()});
    for (std::uint64_t i = 0; i < compared; i += 64) {
        const std::uint64_t captured =
            Reversed(ReceivedBits.Window(length - 1 - static_cast<std::int64_t>(i) - 63));
        const std::uint64_t left = compared - i;
        const std::uint64_t within =
            left >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << left) - 1;
        const auto at = static_cast<std::int64_t>(i);
        if (((captured ^ expected.Window(at)) & mask.Window(at) & within) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace scanbench
