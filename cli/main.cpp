// scanbench-run: runs a test program without a window and prints where it
// ended. `scanbench-run --help` describes the command line.
#include "cli/headless_run.h"
#include "cli/run_board.h"
#include "cli/runner_options.h"
#include "cli/runner_program.h"
#include "cli/serve_board.h"
#include "engine/interpreter/result_codes.h"
#include "settings/settings_store.h"

#include <clocale>
#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {

int Run(int argc, char** argv) {
    using namespace scanbench;
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
        return ServeBoard(*options.ServeBoardPort, options.ServeTap,
                          options.Board.value_or(BoardKind::Demo), options.Switches, options.Faults,
                          std::cout, std::cerr);
    }

    std::optional<RunnerProgram> program =
        LoadRunnerProgram(options.ProgramFile, options.SvfTap, std::cerr);
    if (!program) {
        return RunnerExit::Usage;
    }
    if (options.ToBst) {
        std::cout << program->Text;
        return std::cout.flush() ? 0 : RunnerExit::Usage;
    }
    Settings settings;
    std::vector<std::string> notices;
    (void)SettingsStore::ForCurrentUser().LoadSettings(settings, notices);
    for (const std::string& notice : notices) {
        std::cerr << "scanbench-run: " << notice << "\n";
    }
    // A program may name the simulated board it runs on; an SVF file runs on
    // the board chosen, and a real port has no board to choose.
    RunnerOptions run = options;
    if (!program->Svf && options.Port.value_or(settings.Port) == PortKind::Board &&
        !ChooseRunBoard(run, program->Text, ShippedBoardsFolder(), std::cerr)) {
        return RunnerExit::Usage;
    }
    return RunHeadless(run, settings, program->Text, std::cout, std::cerr,
                       program->Svf ? &*program->Svf : nullptr);
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_TIME, ""); // the export header shows the user's date and time format
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        // Anywhere outside the engine's own guard (reading the program,
        // splitting it into lines, writing the files): what was taken is
        // given back on the way here, and the unfinished files are gone.
        std::cerr << "scanbench-run: " << scanbench::Status::NotEnoughMemory << "\n";
        return scanbench::RunnerExit::Error;
    }
}
