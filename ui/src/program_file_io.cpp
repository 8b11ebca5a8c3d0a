#include "ui/program_file_io.h"

#include "engine/program_file.h"

#include <QFile>
#include <QSaveFile>

#include <filesystem>

namespace scanbench {

ProgramFileRead ReadProgramFile(const QString& path) {
    // The same reading as the headless runner's, so that a file runs the same
    // in both.
    const ProgramFileContents file =
        LoadProgramFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
    ProgramFileRead read;
    const std::string_view why = file.Reason();
    const QString reason = QString::fromUtf8(why.data(), static_cast<qsizetype>(why.size()));
    switch (file.Problem) {
    case ProgramFileProblem::None:
        read.Text = QString::fromUtf8(file.Text.data(), static_cast<qsizetype>(file.Text.size()));
        read.Ok = true;
        break;
    case ProgramFileProblem::CannotOpen:
        read.Error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason);
        break;
    case ProgramFileProblem::CannotRead:
        read.Error = QStringLiteral("Cannot read file \"%1\". %2").arg(path, reason);
        break;
    default:
        read.Error = QStringLiteral("Cannot open file \"%1\".\r%2").arg(path, reason);
        break;
    }
    return read;
}

QString WriteProgramFile(const QString& path, const std::string& bytes) {
    QSaveFile file(path);
    // Unbuffered, so that a short write (disk full, file size limit) shows in
    // write()'s result: through the buffer it can go unreported and commit()
    // would then replace the old file with a truncated one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString());
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.commit()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Cannot write file \"%1\". %2").arg(path, error);
    }
    return {};
}

} // namespace scanbench
