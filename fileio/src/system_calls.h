#pragma once

#include "fileio/file_identity.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

namespace scanbench::detail {

// The system's description of an errno value ("No space left on device").
[[nodiscard]] std::string ErrorText(int error);

// Writes every byte at the file's position (or at `offset`), going on after
// interrupted and partial writes. 0, or the errno of the write that failed; a
// write that makes no progress counts as ENOSPC.
[[nodiscard]] int WriteAll(int fd, std::string_view bytes);
[[nodiscard]] int WriteAllAt(int fd, std::string_view bytes, off_t offset);

// Where a chain of symbolic links starting at `path` ends: `path` itself when
// it is not a link, the link's target (which need not exist) otherwise.
// Empty, with `error` set, for a loop of links or a name that cannot be
// looked at.
[[nodiscard]] std::filesystem::path FollowLinks(const std::filesystem::path& path, int& error);

[[nodiscard]] FileIdentity IdentityFrom(const struct stat& info);

// Why an existing file may not be replaced: it is not a regular file, or it
// is one of the protected files. Empty when it may.
[[nodiscard]] std::string Refusal(const struct stat& info,
                                  const std::vector<std::filesystem::path>& protectedFiles);

// The process's file-creation mask.
[[nodiscard]] mode_t CurrentUmask();

// Random letters and digits from the kernel's generator, for names that
// nobody can guess ahead.
[[nodiscard]] std::string RandomName(std::size_t length);

// Closes a descriptor; 0 or the errno close reported.
[[nodiscard]] int CloseChecked(int fd);

} // namespace scanbench::detail
