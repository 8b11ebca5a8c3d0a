#include "ui/tools/export_file.h"

#include "fileio/atomic_file_writer.h"
#include "fileio/writer_stream.h"
#include "settings/qt_paths.h"

#include <QFileDialog>

namespace scanbench {

QString WriteExportFile(const QString& path, const std::function<void(std::ostream&)>& write) {
    AtomicFileWriter file(FromQtPath(path));
    if (!file.IsOpen()) {
        return QStringLiteral("Cannot create file \"%1\". %2")
            .arg(path, QString::fromLocal8Bit(file.Error()));
    }
    {
        WriterStream out(file);
        write(out);
        out.flush();
    }
    if (!file.Commit()) {
        return QStringLiteral("Cannot write file \"%1\". %2")
            .arg(path, QString::fromLocal8Bit(file.Error()));
    }
    return {};
}

QString AskExportFileName(QWidget* parent, const ExportDialog& dialog) {
    QFileDialog box(parent, dialog.Title);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    box.setNameFilter(dialog.Filter);
    box.setDefaultSuffix(dialog.Suffix);
    box.selectFile(dialog.Filter);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
        return {};
    }
    return box.selectedFiles().constFirst();
}

} // namespace scanbench
