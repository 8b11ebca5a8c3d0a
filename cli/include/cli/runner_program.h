#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace scanbench {

// Reads the program file to run, exactly as the window's Open reads it. A
// file that cannot be opened or is refused gives nothing, and the reason is
// written to `err`.
[[nodiscard]] std::optional<std::string> ReadRunnerProgram(const std::string& path,
                                                           std::ostream& err);

} // namespace scanbench
