#include "window_logic/main_window/program_board_use.h"

#include <filesystem>

namespace scanbench {

namespace {

// A board file by its name alone.
std::string ShortDescription(BoardChoice board) {
    board.File = std::filesystem::path(board.File).filename().string();
    return BoardDescription(board);
}

} // namespace

std::optional<BoardChoice> WindowBoard(const std::optional<NamedBoard>& named) {
    if (const BoardChoice* board = named ? std::get_if<BoardChoice>(&*named) : nullptr) {
        return *board;
    }
    return std::nullopt;
}

std::optional<BoardNews> ProgramBoardNews(const std::optional<NamedBoard>& named, bool opened,
                                          bool changed) {
    if (named) {
        if (const auto* problem = std::get_if<BoardLineProblem>(&*named)) {
            return BoardNews{"This program's Board line cannot be used, so it runs on the board "
                             "chosen in Setup: " +
                                 problem->Message,
                             StatusColour::Red};
        }
    }
    if (!opened && !changed) {
        return std::nullopt;
    }
    if (const std::optional<BoardChoice> board = WindowBoard(named)) {
        return BoardNews{"The program's board: " + ShortDescription(*board)};
    }
    if (!changed) {
        return std::nullopt;
    }
    return BoardNews{"Setup's board: the program names none"};
}

BoardNews ProgramBoardStays(const BoardChoice& programs) {
    return BoardNews{"The program's board stays: " + ShortDescription(programs) +
                     "; Setup's is for programs that name none"};
}

} // namespace scanbench
