#include "settings/store_file.h"

#include "settings/atomic_file.h"
#include "settings/qt_paths.h"

#include <QDir>
#include <QFile>

#include <system_error>
#include <utility>

namespace scanbench {

StoreFile::StoreFile(std::filesystem::path file) : File(std::move(file)) {}

std::filesystem::path StoreFile::SetAsidePath() const {
    std::filesystem::path aside = File;
    aside += ".bad";
    return aside;
}

std::optional<StoreDocument> StoreFile::Open() const {
    if (!QDir().mkpath(ToQtPath(File.parent_path()))) {
        return std::nullopt;
    }
    std::error_code error;
    if (!std::filesystem::exists(File, error)) {
        if (error) {
            return std::nullopt;
        }
        return StoreDocument{};
    }
    QFile in(ToQtPath(File));
    if (!in.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray text = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    if (std::optional<StoreDocument> document = StoreDocument::Parse(text)) {
        return document;
    }
    // rename() replaces an older set-aside file in one step.
    std::filesystem::rename(File, SetAsidePath(), error);
    if (error) {
        return std::nullopt;
    }
    return StoreDocument{};
}

bool StoreFile::Commit(const StoreDocument& document) const {
    return WriteFileAtomically(File, document.Serialise());
}

} // namespace scanbench
