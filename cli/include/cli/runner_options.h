#pragma once

#include "cli/switch_settings.h"
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
    std::optional<std::uint64_t> MaxSteps;
    std::optional<bool> ActiveMode;
    std::vector<SwitchSetting> Switches; // set on the demo board before the run
    std::string ProgramFile;
};

// A command line that cannot be used: what is wrong with it.
struct UsageError {
    std::string Message;
};

[[nodiscard]] std::variant<RunnerOptions, UsageError>
ParseRunnerOptions(const std::vector<std::string>& arguments);

inline constexpr const char* RunnerUsage =
    "usage: scanbench-run [--board demo|loopback|open] [--port board|ppdev|direct]\n"
    "                     [--switches U1=0x5A,SIA=1,...] [--events FILE] [--max-steps N]\n"
    "                     [--active-mode on|off] PROGRAM.bst\n";

} // namespace scanbench
