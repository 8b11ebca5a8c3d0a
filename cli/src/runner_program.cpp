#include "cli/runner_program.h"

#include "engine/program/program_file.h"

#include <filesystem>

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

std::string SvfLinePrefix(std::int32_t line) {
    return line > 0 ? "line " + std::to_string(line) + ": " : std::string();
}

std::optional<RunnerProgram> LoadRunnerProgram(const std::string& path, std::uint8_t svfTap,
                                               std::ostream& err) {
    std::optional<std::string> text = ReadRunnerProgram(path, err);
    if (!text) {
        return std::nullopt;
    }
    if (!IsSvfFileName(path)) {
        return RunnerProgram{std::move(*text), std::nullopt};
    }
    auto imported = ImportSvf(*text, {svfTap, std::filesystem::path(path).filename().string()});
    if (const auto* refusal = std::get_if<SvfProblem>(&imported)) {
        err << "scanbench-run: " << path << ": " << SvfLinePrefix(refusal->Line) << refusal->Message
            << "\nscanbench-run: the SVF file was not run\n";
        return std::nullopt;
    }
    SvfImport& svf = std::get<SvfImport>(imported);
    for (const SvfProblem& note : svf.Notes) {
        err << "scanbench-run: " << path << ": " << SvfLinePrefix(note.Line) << note.Message
            << "\n";
    }
    std::string program = std::move(svf.Program);
    svf.Program.clear();
    return RunnerProgram{std::move(program), std::move(svf)};
}

} // namespace scanbench
