#include "engine/tap/tap_state.h"

#include "engine/program/text_helpers.h"

namespace scanbench {

std::uint8_t StateByName(std::string_view text) {
    const std::string upper = ToUpperAscii(text);
    for (std::uint8_t i = 0; i < TapStateCount; ++i) {
        if (TapStateNames[i] == upper) {
            return i;
        }
    }
    return NoSuchState;
}

} // namespace scanbench
