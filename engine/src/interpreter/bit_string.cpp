#include "engine/interpreter/bit_string.h"

namespace scanbench {

std::string BitString::Text() const {
    std::string text(Count, '0');
    for (std::uint64_t i = 0; i < Count; ++i) {
        text[i] = (*this)[i] == 1 ? '1' : '0';
    }
    return text;
}

} // namespace scanbench
