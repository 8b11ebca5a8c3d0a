#include "ui/editor/program_file_io.h"

#include "engine/interpreter/result_codes.h"
#include "engine/program/program_file.h"
#include "fileio/write_file.h"
#include "settings/qt_paths.h"
#include "svf/svf_import.h"

#include <QFileInfo>

#include <filesystem>
#include <new>

namespace scanbench {

namespace {

ProgramFileRead Read(const QString& path) {
    // The same reading as the headless runner's, so that a file runs the same
    // in both.
    const ProgramFileContents file = LoadProgramFile(FromQtPath(path));
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

} // namespace

ProgramFileRead ReadProgramFile(const QString& path) {
    try {
        return Read(path);
    } catch (const std::bad_alloc&) {
        // Whatever the reading took is given back on the way out; the editor
        // keeps the text it has.
        ProgramFileRead read;
        read.Error =
            QStringLiteral("Cannot open file \"%1\".\r%2")
                .arg(path,
                     QString::fromLatin1(Status::NotEnoughMemory.data(),
                                         static_cast<qsizetype>(Status::NotEnoughMemory.size())));
        return read;
    }
}

ProgramFileRead ReadSvfFile(const QString& path) {
    ProgramFileRead read = ReadProgramFile(path);
    if (!read.Ok) {
        return read;
    }
    read.Ok = false;
    const std::string svf = read.Text.toStdString();
    read.Text.clear();
    const auto imported = ImportSvf(svf, {0, QFileInfo(path).fileName().toStdString()});
    if (const auto* refusal = std::get_if<SvfProblem>(&imported)) {
        const QString where =
            refusal->Line > 0 ? QStringLiteral("SVF line %1: ").arg(refusal->Line) : QString();
        read.Error = QStringLiteral("Cannot open file \"%1\".\r%2%3")
                         .arg(path, where, QString::fromStdString(refusal->Message));
        return read;
    }
    const std::string& program = std::get<SvfImport>(imported).Program;
    read.Text = QString::fromUtf8(program.data(), static_cast<qsizetype>(program.size()));
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
