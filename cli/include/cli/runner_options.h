#pragma once

#include "port/port_choice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace scanbench {

// The headless runner's command line. Options override the stored settings
// for this run only.
struct RunnerOptions {
    std::optional<BoardKind> Board;
    std::optional<PortKind> Port;
    std::optional<std::string> EventsFile;
    std::optional<std::string> VcdFile; // the played events as a value change dump
    std::optional<std::uint64_t> MaxSteps;
    std::optional<bool> ActiveMode;
    std::string ProgramFile;
};

// A command line that cannot be used: what is wrong with it.
struct UsageError {
    std::string Message;
};

[[nodiscard]] std::variant<RunnerOptions, UsageError>
ParseRunnerOptions(const std::vector<std::string>& arguments);

inline constexpr const char* RunnerUsage =
    "usage: scanbench-run [--board open|loopback] [--port board|ppdev|direct] [--events FILE]\n"
    "                     [--vcd FILE] [--max-steps N] [--active-mode on|off] PROGRAM.bst\n";

} // namespace scanbench
