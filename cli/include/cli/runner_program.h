#pragma once

#include "svf/svf_import.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace scanbench {

// Reads the program file to run, exactly as the window's Open reads it. A
// file that cannot be opened or is refused gives nothing, and the reason is
// written to `err`.
[[nodiscard]] std::optional<std::string> ReadRunnerProgram(const std::string& path,
                                                           std::ostream& err);

// What the runner runs: a program file's text, or an SVF file's translation.
struct RunnerProgram {
    std::string Text;
    std::optional<SvfImport> Svf; // for an SVF file
};

// Reads the file as ReadRunnerProgram does; a file named *.svf is translated
// into a program for TAP `svfTap`, its notes written to `err` with their SVF
// line. Gives nothing when the file cannot be read or its SVF is refused
// (the reason, with the SVF line, goes to `err`).
[[nodiscard]] std::optional<RunnerProgram>
LoadRunnerProgram(const std::string& path, std::uint8_t svfTap, std::ostream& err);

// "line 12: " for an SVF line, nothing for line 0 (the file as a whole).
[[nodiscard]] std::string SvfLinePrefix(std::int32_t line);

} // namespace scanbench
