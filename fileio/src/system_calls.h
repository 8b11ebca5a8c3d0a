#pragma once

#include "fileio/file_identity.h"
#include "fileio/read_regular_file.h"

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

// Reads an open file to its end, or until it proves longer than maxBytes
// (TooLarge, no bytes).
[[nodiscard]] RegularFileRead ReadOpenFile(int fd, std::size_t maxBytes);

// The process's file-creation mask.
[[nodiscard]] mode_t CurrentUmask();

// Random letters and digits from the kernel's generator, for names that
// nobody can guess ahead.
[[nodiscard]] std::string RandomName(std::size_t length);

// Closes a descriptor; 0 or the errno close reported.
[[nodiscard]] int CloseChecked(int fd);

// The calls through which a test makes the system fail. A member left null
// makes the real call.
struct SystemCallHooks {
    int (*Fsync)(int fd) = nullptr;
    // Opens an unnamed file in a folder (O_TMPFILE); -1 with errno set.
    int (*OpenUnnamed)(const char* folder, mode_t mode) = nullptr;
};
// The hooks of the process; tests set them and put them back.
[[nodiscard]] SystemCallHooks& Hooks();

// Flushes a file's data to the disk; 0 or the errno.
[[nodiscard]] int Fsync(int fd);

// A new unnamed file in `folder` for writing, readable by the owner only,
// that a later LinkUnnamed gives a name; -1 with errno set where the file
// system (or the kernel) has none, or where such a file could not be named
// later because /proc is missing.
[[nodiscard]] int OpenUnnamed(const std::filesystem::path& folder);

// Gives a file OpenUnnamed made the name `name`; 0 or the errno (EEXIST when
// the name is taken).
[[nodiscard]] int LinkUnnamed(int fd, const std::filesystem::path& name);

} // namespace scanbench::detail
