#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace scanbench {

// Which file a name stands for: two names (hard links, symbolic links,
// different spellings) name the same file exactly when their identities match.
struct FileIdentity {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file at `path`, symbolic links followed; nothing when
// there is no such file.
[[nodiscard]] std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// Whether writing to `a` and writing to `b` would end in the same file: both
// name one existing file, or, for a file still to be made, the names lead
// (symbolic links followed) to the same name in the same folder.
[[nodiscard]] bool NameTheSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace scanbench
