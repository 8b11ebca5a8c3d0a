#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

namespace scanbench {

// File names cross between std::filesystem and Qt in the system's encoding,
// so names that are not valid UTF-8 survive the trip.
[[nodiscard]] inline QString ToQtPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

[[nodiscard]] inline std::filesystem::path FromQtPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace scanbench
