#pragma once

#include <cstdint>

namespace scanbench {

// How many events the store may hold. A statement whose events would take
// the store beyond it is refused before anything is appended, so a counter
// of billions cannot exhaust the machine's memory.
struct EventBudget {
    std::uint64_t MaxEvents = 0;

    // A quarter of the machine's physical memory, and no more than half of
    // the room left below the process's address-space limit (ulimit -v) and
    // below the memory limit of its cgroup (a container's limit); never more
    // than the 32-bit event counters can address.
    [[nodiscard]] static EventBudget FromAvailableMemory();
    [[nodiscard]] static EventBudget ForBytes(std::uint64_t bytes);

    [[nodiscard]] bool Allows(std::uint64_t held, std::uint64_t more) const {
        return more <= MaxEvents && held <= MaxEvents - more;
    }
};

} // namespace scanbench
