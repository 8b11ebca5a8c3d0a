#include "engine/playback_state.h"

namespace scanbench {

std::string PlaybackState::CapturedBits() const {
    const std::size_t padding = (4 - ReceivedBits.size() % 4) % 4;
    std::string bits(padding, '0');
    bits.append(ReceivedBits.rbegin(), ReceivedBits.rend());
    return bits;
}

} // namespace scanbench
