// scanbench-run: runs a test program without a window and prints where it
// ended. See RunnerUsage for the command line.
#include "cli/headless_run.h"
#include "cli/runner_options.h"
#include "settings/settings_store.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace scanbench;
    std::setlocale(LC_TIME, ""); // the export header shows the user's date and time format
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto parsed = ParseRunnerOptions(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        std::cerr << "scanbench-run: " << error->Message << "\n" << RunnerUsage;
        return RunnerExit::Usage;
    }
    const RunnerOptions& options = std::get<RunnerOptions>(parsed);

    std::error_code error;
    if (std::filesystem::is_directory(options.ProgramFile, error)) {
        std::cerr << "scanbench-run: cannot open " << options.ProgramFile << ": Is a directory\n";
        return RunnerExit::Usage;
    }
    std::ifstream file(options.ProgramFile, std::ios::binary);
    if (!file) {
        std::cerr << "scanbench-run: cannot open " << options.ProgramFile << ": "
                  << std::strerror(errno) << "\n";
        return RunnerExit::Usage;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) {
        std::cerr << "scanbench-run: cannot read " << options.ProgramFile << "\n";
        return RunnerExit::Usage;
    }

    Settings settings;
    std::vector<std::string> notices;
    (void)SettingsStore::ForCurrentUser().LoadSettings(settings, notices);
    for (const std::string& notice : notices) {
        std::cerr << "scanbench-run: " << notice << "\n";
    }
    return RunHeadless(options, settings, text.str(), std::cout, std::cerr);
}
