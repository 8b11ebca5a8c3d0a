#pragma once

#include "fileio/atomic_file_writer.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace scanbench {

// Replaces the target's content with `bytes` through AtomicFileWriter.
//
// With rules.InPlaceWhenFolderReadOnly, a target that exists as a regular
// file the user may write, in a folder where no new file may be created, is
// written in place instead: first the part beyond the old length (so a full
// disk or a size limit fails before anything old is touched, and the file is
// cut back), then the rest over the old bytes, then the length, then a flush
// to the disk. Only a failure in the middle of that can leave a mixed file.
//
// Empty on success, otherwise why it failed, as the system words it.
[[nodiscard]] std::string WriteFileContents(const std::filesystem::path& target,
                                            std::string_view bytes, const WriteRules& rules = {});

} // namespace scanbench
