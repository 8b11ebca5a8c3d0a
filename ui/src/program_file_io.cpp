#include "ui/program_file_io.h"

#include "engine/program_file.h"

#include <QFile>
#include <QSaveFile>

namespace scanbench {

namespace {

QString Refusal(const QString& path, ProgramFileProblem problem) {
    return QStringLiteral("Cannot open file \"%1\".\r%2")
        .arg(path, QString::fromUtf8(ProgramFileProblemText(problem)));
}

} // namespace

ProgramFileRead ReadProgramFile(const QString& path) {
    ProgramFileRead read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.Error = QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString());
        return read;
    }
    if (const auto problem = CheckProgramFileSize(static_cast<std::uint64_t>(file.size()));
        problem != ProgramFileProblem::None) {
        read.Error = Refusal(path, problem);
        return read;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        read.Error = QStringLiteral("Cannot read file \"%1\". %2").arg(path, file.errorString());
        return read;
    }
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (const auto problem = CheckProgramFile(view); problem != ProgramFileProblem::None) {
        read.Error = Refusal(path, problem);
        return read;
    }
    const std::string text = EditorTextFromFile(view);
    read.Text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    read.Ok = true;
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
