#pragma once

#include <cstdint>

namespace scanbench {

// The three registers of a PC parallel port, as offsets from its base address.
namespace PortRegister {
inline constexpr std::int32_t Data = 0;
inline constexpr std::int32_t Status = 1;
inline constexpr std::int32_t Control = 2;
inline constexpr std::int32_t Count = 3;
} // namespace PortRegister

// The 16-bit I/O address of a register. The base comes from user settings
// and is not range-checked there, so the sum wraps the way a 16-bit address
// bus does; every part of the program uses this one rule and therefore agrees
// on where the registers are.
[[nodiscard]] constexpr std::uint16_t RegisterAddress(std::int32_t base, std::int32_t offset) {
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(base) +
                                      static_cast<std::uint32_t>(offset));
}

// Value every read gives where no register answers.
inline constexpr std::uint8_t FloatingBus = 0xFF;

} // namespace scanbench
