#pragma once

#include <QByteArray>

#include <filesystem>

namespace scanbench {

// Replaces the file's content as a whole: the bytes go to a temporary file
// in the same folder, which is renamed over the old file only once it is
// complete. A crash or a full disk leaves the old file (or none) and no
// temporary behind. The folder must exist. False when anything fails.
bool WriteFileAtomically(const std::filesystem::path& file, const QByteArray& bytes);

} // namespace scanbench
