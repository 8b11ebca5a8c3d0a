#include "cli/runner_program.h"

#include "engine/program_file.h"

namespace scanbench {

std::optional<std::string> ReadRunnerProgram(const std::string& path, std::ostream& err) {
    ProgramFileContents file = LoadProgramFile(path);
    if (!file.Accepted()) {
        err << "scanbench-run: cannot "
            << (file.Problem == ProgramFileProblem::CannotRead ? "read " : "open ") << path << ": "
            << file.Reason() << "\n";
        return std::nullopt;
    }
    return std::move(file.Text);
}

} // namespace scanbench
