#pragma once

#include "engine/program/breakpoint_flags.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace scanbench {

class ProgramText;

// What the editor accepts from a program file. Larger files would take the
// editor many seconds to lay out; more lines than that would have no
// breakpoint flags; a NUL byte means the file is not text at all.
namespace ProgramFileLimits {
inline constexpr std::uint64_t MaxBytes = 32ULL << 20;
inline constexpr std::int32_t MaxLines = BreakpointFlags::FlagCount;
inline constexpr std::size_t MaxLineBytes = std::size_t{1} << 20;
} // namespace ProgramFileLimits

enum class ProgramFileProblem {
    None,
    TooLarge,
    NotText,
    TooManyLines,
    LineTooLong,
    NotRegular, // a FIFO, a device or a socket: never opened
    CannotOpen, // the system's reason is given with it
    CannotRead, // likewise
};

// Whether a file of `size` bytes may be read at all.
[[nodiscard]] ProgramFileProblem CheckProgramFileSize(std::uint64_t size);
// Whether the file's bytes may go into the editor. Invalid UTF-8 is
// accepted; the editor shows replacement characters for it.
[[nodiscard]] ProgramFileProblem CheckProgramFile(std::string_view bytes);
// The message shown when a file is refused for its size or contents.
[[nodiscard]] std::string_view ProgramFileProblemText(ProgramFileProblem problem);

// A program file as the window's Open and the headless runner take it.
struct ProgramFileContents {
    std::string Text; // the editor's text (see EditorTextFromFile) when accepted
    ProgramFileProblem Problem = ProgramFileProblem::None;
    std::string SystemReason; // the system's message for CannotOpen and CannotRead

    [[nodiscard]] bool Accepted() const { return Problem == ProgramFileProblem::None; }
    // Why the file was not taken, for the user: the system's message or the
    // refusal's.
    [[nodiscard]] std::string_view Reason() const;
};

// Reads a program file: anything but a regular file is refused before it is
// opened, so a FIFO never blocks; its size is checked before anything is
// read (and again while reading, for a file that grows), then its bytes
// (CheckProgramFile), then it becomes the editor's text.
[[nodiscard]] ProgramFileContents LoadProgramFile(const std::filesystem::path& path);

// The editor's text for a file's bytes: a leading UTF-8 byte order mark
// dropped, and CR LF, CR and LF line ends all made LF.
[[nodiscard]] std::string EditorTextFromFile(std::string_view bytes);
// The bytes written for a program: each line followed by CR LF.
[[nodiscard]] std::string ProgramFileBytes(const ProgramText& program);

} // namespace scanbench
