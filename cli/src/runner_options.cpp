#include "cli/runner_options.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace scanbench {

namespace {

std::optional<std::uint64_t> ParseCount(const std::string& text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> ParseOnOff(const std::string& text) {
    if (text == "on") {
        return true;
    }
    if (text == "off") {
        return false;
    }
    return std::nullopt;
}

} // namespace

std::variant<RunnerOptions, UsageError>
ParseRunnerOptions(const std::vector<std::string>& arguments) {
    RunnerOptions options;
    bool haveProgram = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.empty() || argument[0] != '-' || argument == "-") {
            if (haveProgram) {
                return UsageError{"more than one program file given: " + argument};
            }
            options.ProgramFile = argument;
            haveProgram = true;
            continue;
        }
        if (argument == "--") {
            if (i + 2 != arguments.size() || haveProgram) {
                return UsageError{"exactly one program file must follow --"};
            }
            options.ProgramFile = arguments[i + 1];
            haveProgram = true;
            break;
        }
        static constexpr std::string_view Known[] = {"--board",     "--port",        "--events",
                                                     "--max-steps", "--active-mode", "--vcd"};
        if (std::find(std::begin(Known), std::end(Known), argument) == std::end(Known)) {
            return UsageError{"unknown option: " + argument};
        }
        if (i + 1 >= arguments.size()) {
            return UsageError{"option " + argument + " needs a value"};
        }
        const std::string& value = arguments[++i];
        if (argument == "--board") {
            options.Board = ParseBoardKind(value);
            if (!options.Board) {
                return UsageError{"--board takes open or loopback, not '" + value + "'"};
            }
        } else if (argument == "--port") {
            options.Port = ParsePortKind(value);
            if (!options.Port) {
                return UsageError{"--port takes board, ppdev or direct, not '" + value + "'"};
            }
        } else if (argument == "--events") {
            options.EventsFile = value;
        } else if (argument == "--vcd") {
            options.VcdFile = value;
        } else if (argument == "--max-steps") {
            options.MaxSteps = ParseCount(value);
            if (!options.MaxSteps) {
                return UsageError{"--max-steps takes a whole number, not '" + value + "'"};
            }
        } else {
            options.ActiveMode = ParseOnOff(value);
            if (!options.ActiveMode) {
                return UsageError{"--active-mode takes on or off, not '" + value + "'"};
            }
        }
    }
    if (!haveProgram) {
        return UsageError{"no program file given"};
    }
    return options;
}

} // namespace scanbench
