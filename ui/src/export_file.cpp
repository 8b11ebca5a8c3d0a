#include "ui/export_file.h"

#include "engine/block_output.h"

#include <QFileDialog>
#include <QSaveFile>

namespace scanbench {

namespace {

// Hands the stream's blocks to the file, unbuffered, so that a short write
// (disk full, file size limit) shows at once.
class FileBlocks final : public BlockOutputBuffer {
public:
    explicit FileBlocks(QSaveFile& file) : File(file) {}

protected:
    bool WriteBlock(const char* data, std::size_t size) override {
        const auto n = static_cast<qint64>(size);
        return File.write(data, n) == n;
    }

private:
    QSaveFile& File;
};

} // namespace

QString WriteExportFile(const QString& path, const std::function<void(std::ostream&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString());
    }
    FileBlocks blocks(file);
    std::ostream out(&blocks);
    write(out);
    out.flush();
    if (!out || !file.commit()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Cannot write file \"%1\". %2").arg(path, error);
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
