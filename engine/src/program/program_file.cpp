#include "engine/program/program_file.h"

#include "engine/program/program_text.h"
#include "fileio/read_regular_file.h"

#include <cerrno>
#include <system_error>

namespace scanbench {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Calls `line` with the length of every line; CR LF, CR or LF ends a line,
// and a final line end does not start another line. Stops when `line`
// returns false.
template <typename LineLength>
void ForEachLineLength(std::string_view text, LineLength&& line) {
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\n' && c != '\r') {
            ++i;
            continue;
        }
        if (!line(i - start)) {
            return;
        }
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2U : 1U;
        start = i;
    }
    if (start < text.size()) {
        line(text.size() - start);
    }
}

} // namespace

ProgramFileProblem CheckProgramFileSize(std::uint64_t size) {
    return size > ProgramFileLimits::MaxBytes ? ProgramFileProblem::TooLarge
                                              : ProgramFileProblem::None;
}

ProgramFileProblem CheckProgramFile(std::string_view bytes) {
    if (CheckProgramFileSize(bytes.size()) != ProgramFileProblem::None) {
        return ProgramFileProblem::TooLarge;
    }
    if (bytes.find('\0') != std::string_view::npos) {
        return ProgramFileProblem::NotText;
    }
    ProgramFileProblem problem = ProgramFileProblem::None;
    std::int64_t lines = 0;
    ForEachLineLength(bytes, [&](std::size_t length) {
        if (length > ProgramFileLimits::MaxLineBytes) {
            problem = ProgramFileProblem::LineTooLong;
        } else if (++lines > ProgramFileLimits::MaxLines) {
            problem = ProgramFileProblem::TooManyLines;
        }
        return problem == ProgramFileProblem::None;
    });
    return problem;
}

std::string_view ProgramFileProblemText(ProgramFileProblem problem) {
    switch (problem) {
    case ProgramFileProblem::None:
        return {};
    case ProgramFileProblem::TooLarge:
        return "The file is larger than 32 MB. It is not a program file and was not opened.";
    case ProgramFileProblem::NotText:
        return "The file contains NUL bytes. It is not a text file and was not opened.";
    case ProgramFileProblem::TooManyLines:
        return "The file has more than 1048576 lines, more than the editor can mark with "
               "breakpoints. It was not opened.";
    case ProgramFileProblem::LineTooLong:
        return "The file has a line longer than 1048576 characters. It was not opened.";
    case ProgramFileProblem::NotRegular:
        return "The file is not a regular file (a FIFO, a device or a socket). It was not opened.";
    case ProgramFileProblem::CannotOpen:
        return "The file cannot be opened.";
    case ProgramFileProblem::CannotRead:
        return "The file cannot be read.";
    }
    return {};
}

std::string_view ProgramFileContents::Reason() const {
    if (Problem == ProgramFileProblem::CannotOpen || Problem == ProgramFileProblem::CannotRead) {
        return SystemReason;
    }
    return ProgramFileProblemText(Problem);
}

ProgramFileContents LoadProgramFile(const std::filesystem::path& path) {
    ProgramFileContents file;
    const auto refuse = [&file](ProgramFileProblem problem, std::string reason = {}) {
        file.Problem = problem;
        file.SystemReason = std::move(reason);
        return file;
    };
    const auto systemError = [](int error) { return std::generic_category().message(error); };

    // Nothing but a regular file is opened at all: a FIFO would block the
    // open until someone writes to it, a device would never end. Its size is
    // checked before anything is read (and again while reading, for a file
    // that grows).
    RegularFileRead read = ReadRegularFile(path, ProgramFileLimits::MaxBytes);
    switch (read.Status) {
    case FileReadStatus::Ok:
        break;
    case FileReadStatus::Missing:
        return refuse(ProgramFileProblem::CannotOpen, systemError(ENOENT));
    case FileReadStatus::NotRegular: {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            return refuse(ProgramFileProblem::CannotOpen, systemError(EISDIR));
        }
        return refuse(ProgramFileProblem::NotRegular);
    }
    case FileReadStatus::TooLarge:
        return refuse(ProgramFileProblem::TooLarge);
    case FileReadStatus::NotPrivate:
    case FileReadStatus::Failed:
        return refuse(ProgramFileProblem::CannotOpen, std::move(read.Error));
    }
    if (const ProgramFileProblem problem = CheckProgramFile(read.Bytes);
        problem != ProgramFileProblem::None) {
        return refuse(problem);
    }
    file.Text = EditorTextFromFile(read.Bytes);
    return file;
}

std::string EditorTextFromFile(std::string_view bytes) {
    if (bytes.starts_with(ByteOrderMark)) {
        bytes.remove_prefix(ByteOrderMark.size());
    }
    std::string text;
    text.reserve(bytes.size());
    // Copied a line at a time up to each CR, which becomes a LF.
    while (!bytes.empty()) {
        const std::size_t cr = bytes.find('\r');
        if (cr == std::string_view::npos) {
            text.append(bytes);
            break;
        }
        text.append(bytes.substr(0, cr)).push_back('\n');
        bytes.remove_prefix(cr + 1);
        if (bytes.starts_with('\n')) {
            bytes.remove_prefix(1);
        }
    }
    return text;
}

std::string ProgramFileBytes(const ProgramText& program) {
    std::string bytes;
    const std::int32_t count = program.LineCount();
    for (std::int32_t i = 0; i < count; ++i) {
        bytes += program.Line(i);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace scanbench
