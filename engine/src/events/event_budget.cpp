#include "engine/events/event_budget.h"

#include "engine/events/event_store.h"
#include "engine/events/memory_limits.h"
#include "fileio/read_regular_file.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

namespace scanbench {

namespace {

// Total physical memory as the kernel reports it in /proc/meminfo, or 0 when
// it cannot be read.
std::uint64_t PhysicalMemoryBytes() {
    constexpr std::size_t MaxBytes = 1 << 20;
    std::istringstream meminfo(ReadRegularFile("/proc/meminfo", MaxBytes).Bytes);
    std::string key;
    std::uint64_t kibibytes = 0;
    std::string unit;
    while (meminfo >> key >> kibibytes >> unit) {
        if (key == "MemTotal:") {
            return kibibytes * 1024U;
        }
    }
    return 0;
}

} // namespace

EventBudget EventBudget::ForBytes(std::uint64_t bytes) {
    // Keep a whole chunk of headroom below the 32-bit event counters' limit.
    constexpr std::uint64_t CounterLimit =
        std::numeric_limits<std::uint32_t>::max() - EventStore::ChunkSize;
    return EventBudget{std::min(bytes / EventStore::BytesPerEvent, CounterLimit)};
}

EventBudget EventBudget::FromAvailableMemory() {
    constexpr std::uint64_t Fallback = 4ULL << 30; // when the system cannot tell
    const std::uint64_t physical = PhysicalMemoryBytes();
    std::uint64_t bytes = (physical > 0 ? physical : Fallback) / 4;
    // Half of what a limit leaves: the rest of the program needs room too.
    if (const std::optional<std::uint64_t> room = AddressSpaceHeadroom()) {
        bytes = std::min(bytes, *room / 2);
    }
    if (const std::optional<std::uint64_t> room = CgroupMemoryHeadroom()) {
        bytes = std::min(bytes, *room / 2);
    }
    return ForBytes(bytes);
}

} // namespace scanbench
