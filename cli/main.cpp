// scanbench-run: runs a test program without a window and prints where it
// ended. `scanbench-run --help` describes the command line.
#include "cli/headless_run.h"
#include "cli/runner_options.h"
#include "cli/runner_program.h"
#include "cli/serve_board.h"
#include "settings/settings_store.h"

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace scanbench;
    std::setlocale(LC_TIME, ""); // the export header shows the user's date and time format
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedRunnerCommandLine parsed = ParseRunnerOptions(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        std::cerr << "scanbench-run: " << error->Message << "\n" << RunnerUsage();
        return RunnerExit::Usage;
    }
    if (const auto* information = std::get_if<RunnerInformation>(&parsed)) {
        std::cout << information->Text;
        return std::cout.flush() ? 0 : RunnerExit::Usage;
    }
    const RunnerOptions& options = std::get<RunnerOptions>(parsed);
    if (options.ServeBoardPort) {
        return ServeBoard(*options.ServeBoardPort, options.Board.value_or(BoardKind::Demo),
                          options.Switches, std::cout, std::cerr);
    }

    const std::optional<std::string> text = ReadRunnerProgram(options.ProgramFile, std::cerr);
    if (!text) {
        return RunnerExit::Usage;
    }
    Settings settings;
    std::vector<std::string> notices;
    (void)SettingsStore::ForCurrentUser().LoadSettings(settings, notices);
    for (const std::string& notice : notices) {
        std::cerr << "scanbench-run: " << notice << "\n";
    }
    return RunHeadless(options, settings, *text, std::cout, std::cerr);
}
