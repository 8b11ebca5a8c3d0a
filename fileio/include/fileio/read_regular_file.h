#pragma once

#include "fileio/file_identity.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace scanbench {

enum class FileReadStatus {
    Ok,
    Missing,    // nothing at the path
    NotRegular, // a FIFO, a device, a folder: not read at all
    TooLarge,   // more bytes than allowed; Bytes holds none of them
    NotPrivate, // not the user's own file with mode 0600 (TakePrivateFile)
    Failed,     // it could not be opened or read; Error says why
};

struct RegularFileRead {
    FileReadStatus Status = FileReadStatus::Failed;
    std::string Bytes;
    std::string Error;
    // The file that was looked at, when there was one.
    std::optional<FileIdentity> Identity;
};

// Reads a regular file of at most `maxBytes` bytes, symbolic links followed;
// a file whose size is larger is refused before anything is read.
// Nothing at the path is opened unless it is a regular file, and the open
// does not block, so a FIFO or a device at the path never stalls the caller
// or feeds it without end.
[[nodiscard]] RegularFileRead ReadRegularFile(const std::filesystem::path& path,
                                              std::size_t maxBytes);

} // namespace scanbench
