#include "cli/run_board.h"

#include "port/program_board.h"

#include <system_error>

namespace scanbench {

std::filesystem::path ShippedBoardsFolder() {
    std::error_code error;
    const std::filesystem::path installed(SCANBENCH_INSTALLED_BOARDS_DIR);
    return std::filesystem::is_directory(installed, error)
               ? installed
               : std::filesystem::path(SCANBENCH_SOURCE_BOARDS_DIR);
}

bool ChooseRunBoard(RunnerOptions& options, std::string_view programText,
                    const std::filesystem::path& shippedBoards, std::ostream& err) {
    const std::optional<ProgramBoardLine> line = FindBoardLine(programText);
    if (!line) {
        return true;
    }
    std::filesystem::path folder = std::filesystem::path(options.ProgramFile).parent_path();
    if (folder.empty()) {
        folder = "."; // a program named without its folder is in the working folder
    }
    const BoardFileSearch search{folder, shippedBoards};
    const NamedBoard named = ResolveBoardLine(*line, search);
    const auto* board = std::get_if<BoardChoice>(&named);
    const std::string lineText = "line " + std::to_string(line->Line);
    if (options.Board) {
        if (!board) {
            err << "scanbench-run: running on " << BoardDescription(*options.Board)
                << " (--board); the program's Board line is not used: "
                << std::get<BoardLineProblem>(named).Message << "\n";
        } else if (!(*board == *options.Board)) {
            err << "scanbench-run: running on " << BoardDescription(*options.Board)
                << " (--board), not on " << BoardDescription(*board) << " the program names ("
                << lineText << ")\n";
        }
        return true;
    }
    if (!board) {
        err << "scanbench-run: " << options.ProgramFile << ": "
            << std::get<BoardLineProblem>(named).Message << "\n";
        return false;
    }
    err << "scanbench-run: running on " << BoardDescription(*board) << ", which the program names ("
        << lineText << ")\n";
    options.Board = *board;
    return true;
}

} // namespace scanbench
