#pragma once

#include "engine/breakpoint_flags.h"

#include <cstddef>
#include <cstdint>
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

enum class ProgramFileProblem { None, TooLarge, NotText, TooManyLines, LineTooLong };

// Whether a file of `size` bytes may be read at all.
[[nodiscard]] ProgramFileProblem CheckProgramFileSize(std::uint64_t size);
// Whether the file's bytes may go into the editor. Invalid UTF-8 is
// accepted; the editor shows replacement characters for it.
[[nodiscard]] ProgramFileProblem CheckProgramFile(std::string_view bytes);
// The message shown when a file is refused.
[[nodiscard]] std::string_view ProgramFileProblemText(ProgramFileProblem problem);

// The editor's text for a file's bytes: a leading UTF-8 byte order mark
// dropped, and CR LF, CR and LF line ends all made LF.
[[nodiscard]] std::string EditorTextFromFile(std::string_view bytes);
// The bytes written for a program: each line followed by CR LF.
[[nodiscard]] std::string ProgramFileBytes(const ProgramText& program);

} // namespace scanbench
