#pragma once

#include "port/port_choice.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace scanbench {

// A program's Board line: a comment in its leading comment block that names
// the board it is written for ("// Board: interconnect", "// Board:
// my-board.json").
struct ProgramBoardLine {
    std::int32_t Line = 0; // 1-based
    std::string Name;      // as written, without the blanks around it
};

// Whether `line` is blank or a comment, as the lines before a program's
// first statement are, where a Board line may stand.
[[nodiscard]] bool IsLeadingLine(std::string_view line);

// The first Board line among the comment and blank lines before the
// program's first statement; nothing when there is none there.
[[nodiscard]] std::optional<ProgramBoardLine> FindBoardLine(std::string_view text);

// Where a Board line's file is looked for, in this order: the program's own
// folder (empty for a program never saved), then the folder of the boards
// that ship with Scanbench. `IsFile` tells whether a regular file stands at
// a path (the file system's answer unless a test gives another).
[[nodiscard]] bool IsRegularFile(const std::filesystem::path& path);
struct BoardFileSearch {
    std::filesystem::path ProgramFolder;
    std::filesystem::path ShippedBoards;
    std::function<bool(const std::filesystem::path&)> IsFile = IsRegularFile;
};

// Why a Board line cannot be used, naming its line and, for a board file,
// where it was looked for.
struct BoardLineProblem {
    std::string Message;
};

using NamedBoard = std::variant<BoardChoice, BoardLineProblem>;

// The board `line` names: a built-in board (demo, interconnect, loopback,
// open, in any letter case) or the first board file found by `search`.
[[nodiscard]] NamedBoard ResolveBoardLine(const ProgramBoardLine& line,
                                          const BoardFileSearch& search);

// The board the program's Board line names; nothing when it has none.
[[nodiscard]] std::optional<NamedBoard> ProgramBoard(std::string_view text,
                                                     const BoardFileSearch& search);

// "the interconnect board", "the board file boards/mine.json".
[[nodiscard]] std::string BoardDescription(const BoardChoice& board);

} // namespace scanbench
