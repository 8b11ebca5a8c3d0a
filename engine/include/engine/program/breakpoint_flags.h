#pragma once

#include <cstdint>
#include <vector>

namespace scanbench {

// One breakpoint flag per editor line, for the first FlagCount lines. Lines
// beyond carry no breakpoint.
class BreakpointFlags {
public:
    static constexpr std::int32_t FlagCount = 1 << 20;

    BreakpointFlags() : Flags(FlagCount, 0) {}

    [[nodiscard]] bool IsSet(std::int32_t line) const {
        return line >= 0 && line < FlagCount && Flags[static_cast<std::size_t>(line)] == 1;
    }
    void Set(std::int32_t line, bool on) {
        if (line >= 0 && line < FlagCount) {
            Flags[static_cast<std::size_t>(line)] = on ? 1 : 0;
        }
    }
    void ClearAll() { Flags.assign(FlagCount, 0); }

private:
    std::vector<std::uint8_t> Flags;
};

} // namespace scanbench
