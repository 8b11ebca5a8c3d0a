#include "engine/events/memory_limits.h"

#include "fileio/read_regular_file.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace scanbench {

namespace {

// The text of a small system file (/proc, /sys); empty when it cannot be read.
std::string ReadText(const std::filesystem::path& path) {
    constexpr std::size_t MaxBytes = std::size_t{16} << 20;
    RegularFileRead read = ReadRegularFile(path, MaxBytes);
    return read.Status == FileReadStatus::Ok ? std::move(read.Bytes) : std::string();
}

std::optional<std::uint64_t> ParseNumber(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// mountinfo writes blanks, tabs, newlines and backslashes in paths as \ooo.
std::string Unescape(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            int value = 0;
            bool octal = true;
            for (std::size_t d = 1; d <= 3; ++d) {
                const char c = text[i + d];
                octal = octal && c >= '0' && c <= '7';
                value = value * 8 + (c - '0');
            }
            if (octal) {
                plain += static_cast<char>(value);
                i += 3;
                continue;
            }
        }
        plain += text[i];
    }
    return plain;
}

// Limits above this mean "no limit" (cgroup v1 writes a number near 2^63).
constexpr std::uint64_t Unlimited = std::uint64_t{1} << 62;

struct Hierarchy {
    bool Version2 = false;
    std::string MountRoot; // the cgroup the mount shows at its mount point
    std::string MountPoint;
};

std::vector<Hierarchy> MemoryHierarchies(std::string_view mountInfo) {
    std::vector<Hierarchy> found;
    for (std::string_view line : Split(mountInfo, '\n')) {
        const std::size_t dash = line.find(" - ");
        if (dash == std::string_view::npos) {
            continue;
        }
        const std::vector<std::string_view> before = Split(line.substr(0, dash), ' ');
        const std::vector<std::string_view> after = Split(line.substr(dash + 3), ' ');
        if (before.size() < 5 || after.size() < 3) {
            continue;
        }
        const bool version2 = after[0] == "cgroup2";
        const std::vector<std::string_view> options = Split(after[2], ',');
        const bool memory = after[0] == "cgroup" &&
                            std::find(options.begin(), options.end(), "memory") != options.end();
        if (version2 || memory) {
            found.push_back({version2, Unescape(before[3]), Unescape(before[4])});
        }
    }
    return found;
}

// The process's cgroup path in the v2 hierarchy or the v1 memory hierarchy.
std::optional<std::string> CgroupPath(std::string_view cgroups, bool version2) {
    for (std::string_view line : Split(cgroups, '\n')) {
        const std::size_t first = line.find(':');
        const std::size_t second =
            first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos) {
            continue;
        }
        const std::string_view controllers = line.substr(first + 1, second - first - 1);
        const std::vector<std::string_view> names = Split(controllers, ',');
        const bool match = version2
                               ? (line.substr(0, first) == "0" && controllers.empty())
                               : std::find(names.begin(), names.end(), "memory") != names.end();
        if (match) {
            return std::string(line.substr(second + 1));
        }
    }
    return std::nullopt;
}

// The least room below the limits from the process's cgroup up to the top
// of the mounted hierarchy.
std::optional<std::uint64_t> Headroom(const Hierarchy& hierarchy, const std::string& cgroup,
                                      const std::filesystem::path& root) {
    std::string inside = cgroup;
    if (hierarchy.MountRoot != "/") {
        if (!inside.starts_with(hierarchy.MountRoot)) {
            return std::nullopt; // this mount does not show the process's cgroup
        }
        inside = inside.substr(hierarchy.MountRoot.size());
    }
    const std::filesystem::path top =
        root / std::filesystem::path(hierarchy.MountPoint).relative_path();
    std::filesystem::path folder =
        (top / std::filesystem::path(inside).relative_path()).lexically_normal();
    const char* limitName = hierarchy.Version2 ? "memory.max" : "memory.limit_in_bytes";
    const char* usageName = hierarchy.Version2 ? "memory.current" : "memory.usage_in_bytes";
    std::optional<std::uint64_t> least;
    while (true) {
        const std::optional<std::uint64_t> limit = ParseNumber(ReadText(folder / limitName));
        if (limit && *limit < Unlimited) {
            const std::uint64_t usage = ParseNumber(ReadText(folder / usageName)).value_or(0);
            const std::uint64_t room = *limit > usage ? *limit - usage : 0;
            least = std::min(least.value_or(room), room);
        }
        if (folder == top.lexically_normal() || !folder.has_relative_path() ||
            folder.parent_path() == folder) {
            return least;
        }
        folder = folder.parent_path();
    }
}

} // namespace

std::optional<std::uint64_t> AddressSpaceHeadroom() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return std::nullopt;
    }
    // The first number of statm is the process's size in pages.
    std::istringstream statm(ReadText("/proc/self/statm"));
    std::uint64_t pages = 0;
    statm >> pages;
    const long pageSize = sysconf(_SC_PAGESIZE);
    const std::uint64_t size = pages * static_cast<std::uint64_t>(pageSize > 0 ? pageSize : 4096);
    const auto cap = static_cast<std::uint64_t>(limit.rlim_cur);
    return cap > size ? cap - size : 0;
}

std::optional<std::uint64_t> CgroupMemoryHeadroom(std::string_view mountInfo,
                                                  std::string_view cgroups,
                                                  const std::filesystem::path& root) {
    std::optional<std::uint64_t> least;
    for (const Hierarchy& hierarchy : MemoryHierarchies(mountInfo)) {
        const std::optional<std::string> cgroup = CgroupPath(cgroups, hierarchy.Version2);
        if (!cgroup) {
            continue;
        }
        if (const std::optional<std::uint64_t> room = Headroom(hierarchy, *cgroup, root)) {
            least = std::min(least.value_or(*room), *room);
        }
    }
    return least;
}

std::optional<std::uint64_t> CgroupMemoryHeadroom() {
    return CgroupMemoryHeadroom(ReadText("/proc/self/mountinfo"), ReadText("/proc/self/cgroup"),
                                "/");
}

} // namespace scanbench
