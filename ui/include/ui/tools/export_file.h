#pragma once

#include <QString>

#include <functional>
#include <ostream>

class QWidget;

namespace scanbench {

// Writes what `write` puts into the stream to `path` through the atomic
// file writer: a failed write leaves the old file intact, and a target that
// is not a regular file is refused.
// Empty on success, otherwise the message for the user.
[[nodiscard]] QString WriteExportFile(const QString& path,
                                      const std::function<void(std::ostream&)>& write);

// The save dialog of an export: its title, the one filter ("*.txt"), the
// file name it starts with (the filter) and the extension added to a name
// without one. It asks before overwriting a file. Empty when cancelled.
struct ExportDialog {
    QString Title;
    QString Filter;
    QString Suffix;
};
[[nodiscard]] QString AskExportFileName(QWidget* parent, const ExportDialog& dialog);

} // namespace scanbench
