#pragma once

#include "cli/runner_options.h"

#include <filesystem>
#include <ostream>
#include <string_view>

namespace scanbench {

// The folder of the board files that ship with Scanbench: where
// `cmake --install` puts them when that folder exists, else data/boards of
// the source tree, for a runner started from its build folder.
[[nodiscard]] std::filesystem::path ShippedBoardsFolder();

// The board a program runs on: --board when given, else the one the
// program's Board line names, told in one line on `err`; with both, a line
// on `err` notes it when they differ. False, with the reason written to
// `err`, when the program names a board that cannot be used and no --board
// was given.
[[nodiscard]] bool ChooseRunBoard(RunnerOptions& options, std::string_view programText,
                                  const std::filesystem::path& shippedBoards, std::ostream& err);

} // namespace scanbench
