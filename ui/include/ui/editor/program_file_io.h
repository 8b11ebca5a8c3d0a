#pragma once

#include <QString>

#include <string>

namespace scanbench {

// A program file read for the editor: its text, or why it was not read.
struct ProgramFileRead {
    bool Ok = false;
    QString Text;  // LF line ends; invalid UTF-8 as replacement characters
    QString Error; // the message for the user when not Ok
};

// Reads a program file, refusing files the editor cannot hold (see
// ProgramFileLimits).
[[nodiscard]] ProgramFileRead ReadProgramFile(const QString& path);
// Reads an SVF file as a program file is read and gives its translation for
// TAP 0 (its notes stand in its first comment lines), or why there is none,
// with the SVF line.
[[nodiscard]] ProgramFileRead ReadSvfFile(const QString& path);

// Writes `bytes` to `path` through a temporary file that replaces the old
// file only when complete, so a failed write leaves the old file intact. In a
// folder where no new file may be created, an existing file the user may
// write is written in place (see WriteFileContents). Empty on success,
// otherwise the message for the user.
[[nodiscard]] QString WriteProgramFile(const QString& path, const std::string& bytes);

} // namespace scanbench
