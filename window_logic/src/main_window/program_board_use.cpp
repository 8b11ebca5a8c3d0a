#include "window_logic/main_window/program_board_use.h"

#include <filesystem>

namespace scanbench {

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
        BoardChoice shown = *board; // a board file by its name alone
        shown.File = std::filesystem::path(shown.File).filename().string();
        return BoardNews{"The program's board: " + BoardDescription(shown)};
    }
    if (!changed) {
        return std::nullopt;
    }
    return BoardNews{"Setup's board: the program names none"};
}

} // namespace scanbench
