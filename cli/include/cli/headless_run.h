#pragma once

#include "cli/runner_options.h"
#include "port/port_access.h"
#include "settings/settings.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace scanbench {

struct SvfImport;

// Exit codes of the headless runner.
namespace RunnerExit {
inline constexpr int Halt = 0;     // also a program that ran off its end
inline constexpr int Error = 1;    // the run stopped on a red status
inline constexpr int Usage = 2;    // bad command line, unusable file or port
inline constexpr int MaxSteps = 3; // the step limit came first
} // namespace RunnerExit

// Opens the port a run drives from the run's settings: OpenPort, unless a
// test gives hardware of its own.
using RunnerPortOpener = std::function<std::unique_ptr<PortAccess>(const Settings&)>;

// Runs a program as the GUI's Speed Run would, without breakpoints: settings
// as given (with the options' overrides), the simulation reset as opening a
// file does, then steps until the program ends or the step limit. Writes the
// result lines to `out`, problems to `err`, and returns the exit code.
// Nothing runs (exit code Usage) when the events file may not be written
// (it is not a regular file, or it is the program file) or when the chosen
// port cannot be opened; `err` then says why. With `svf`, the program is
// that SVF file's translation: a line "svf: ..." gives its verdict, and a TDO
// mismatch ends with exit code Error.
int RunHeadless(const RunnerOptions& options, Settings settings, const std::string& programText,
                std::ostream& out, std::ostream& err, const SvfImport* svf = nullptr,
                const RunnerPortOpener& openPort = {});

} // namespace scanbench
