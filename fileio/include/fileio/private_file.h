#pragma once

#include "fileio/read_regular_file.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace scanbench {

// A file one run of the program leaves for the next in a shared folder (the
// temporary folder), which nobody else may have made or changed.

struct PrivateFileWrite {
    std::filesystem::path Path; // empty when it failed
    std::string Error;          // why, as the system words it
};

// Writes `bytes` to a new file in `folder` named `prefix` followed by
// unpredictable letters, created exclusively with mode 0600 and flushed to
// the disk. A file that could not be written whole is removed again.
[[nodiscard]] PrivateFileWrite WritePrivateFile(const std::filesystem::path& folder,
                                                std::string_view prefix, std::string_view bytes);

// Reads a file WritePrivateFile made and removes it. It is taken only as a
// regular file of at most `maxBytes` bytes that belongs to the user running
// the program, with mode 0600, one name and no symbolic link on the way;
// anything else (a file someone planted, a link to another file) gives
// NotPrivate or NotRegular and is left where it is.
[[nodiscard]] RegularFileRead TakePrivateFile(const std::filesystem::path& path,
                                              std::size_t maxBytes);

} // namespace scanbench
