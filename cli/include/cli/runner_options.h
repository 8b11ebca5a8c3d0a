#pragma once

#include "board/net_faults.h"
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
    std::optional<BoardChoice> Board; // a built-in board, or a board file
    std::optional<PortKind> Port;
    std::optional<std::string> EventsFile;
    std::optional<std::string> VcdFile; // the played events as a value change dump
    std::optional<std::string> SvfFile; // one TAP's run as Serial Vector Format
    std::uint8_t SvfTap = 0;            // the TAP of --svf, and the TAP an SVF file runs on
    bool ToBst = false;                 // print an SVF file's translation instead of running it
    std::optional<std::uint16_t> ServeBoardPort; // serve a board over remote_bitbang
    std::uint8_t ServeTap = 0;                   // the TAP it serves
    std::optional<std::string> Remote;           // HOST:PORT of the remote port
    std::optional<std::uint64_t> MaxSteps;
    std::optional<bool> ActiveMode;
    std::vector<SwitchSetting> Switches; // set on the board before the run
    FaultChoice Faults;                  // put on the board's nets before the run
    std::string ProgramFile;
};

// A command line that cannot be used: what is wrong with it.
struct UsageError {
    std::string Message;
};

// --help or --version: the text for standard output; nothing runs.
struct RunnerInformation {
    std::string Text;
};

using ParsedRunnerCommandLine = std::variant<RunnerOptions, UsageError, RunnerInformation>;

// Parses the arguments after the program name. Option names are exact,
// their values ignore ASCII letter case; "--name value" and "--name=value"
// are both accepted, and "--" ends the options.
[[nodiscard]] ParsedRunnerCommandLine ParseRunnerOptions(const std::vector<std::string>& arguments);

// The usage lines printed after a usage error.
[[nodiscard]] std::string RunnerUsage();

} // namespace scanbench
