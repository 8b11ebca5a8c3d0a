#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace scanbench {

// How much more memory the process may take before a limit refuses it.

// Room left below the address-space limit (ulimit -v) at the process's
// present size; nothing when there is no limit.
[[nodiscard]] std::optional<std::uint64_t> AddressSpaceHeadroom();

// The least room left below the memory limit of the process's cgroup or of
// any cgroup above it, for cgroup v1 and v2 alike; nothing when no limit
// applies. `mountInfo` and `cgroups` are the texts of /proc/self/mountinfo
// and /proc/self/cgroup; the cgroup files are looked up below `root`, "/"
// outside tests.
[[nodiscard]] std::optional<std::uint64_t> CgroupMemoryHeadroom(std::string_view mountInfo,
                                                                std::string_view cgroups,
                                                                const std::filesystem::path& root);

// CgroupMemoryHeadroom of the running process.
[[nodiscard]] std::optional<std::uint64_t> CgroupMemoryHeadroom();

} // namespace scanbench
