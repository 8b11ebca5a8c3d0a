#include "ui/program_file_io.h"

#include "engine/program_file.h"
#include "fileio/write_file.h"
#include "settings/qt_paths.h"

#include <QFile>

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
    // Atomic where the folder allows it; in a folder the user may not write,
    // over the file itself.
    const std::string error = WriteFileContents(
        FromQtPath(path), bytes, WriteRules{.Protected = {}, .InPlaceWhenFolderReadOnly = true});
    if (!error.empty()) {
        return QStringLiteral("Cannot write file \"%1\". %2")
            .arg(path, QString::fromStdString(error));
    }
    return {};
}

} // namespace scanbench
