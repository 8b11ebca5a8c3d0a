#include "settings/atomic_file.h"

#include "settings/qt_paths.h"

#include <QSaveFile>

namespace scanbench {

bool WriteFileAtomically(const std::filesystem::path& file, const QByteArray& bytes) {
    // QSaveFile removes its temporary file when it is destroyed uncommitted.
    QSaveFile out(ToQtPath(file));
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace scanbench
