#include "engine/interpreter/controller_registers.h"

namespace scanbench {

int ControllerRegisters::SelectedFlagBit(std::uint8_t tap) const {
    int bit = 0;
    while (bit < 7 && ((static_cast<unsigned>(FlagMask[tap]) >> bit) & 1U) == 0) {
        ++bit;
    }
    return bit;
}

} // namespace scanbench
