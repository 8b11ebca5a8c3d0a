#pragma once

#include "engine/feed/status_colour.h"
#include "port/program_board.h"

#include <optional>
#include <string>

namespace scanbench {

// The board a program runs on in the window: the one its Board line names
// (`named`; nothing when it has none), or Setup's (nothing) when it names
// none it can use.
[[nodiscard]] std::optional<BoardChoice> WindowBoard(const std::optional<NamedBoard>& named);

// What the status line and the Messages log say.
struct BoardNews {
    std::string Text;
    StatusColour Colour = StatusColour::Blue;
};

// The news once the window chose the board for a program that was just
// `opened` (otherwise a run starts from its first line), where `changed`
// tells whether the board in use changed: a named board on opening or when
// it comes in, a Board line that cannot be used always, the return to
// Setup's board when it happens. Nothing when there is nothing to tell.
[[nodiscard]] std::optional<BoardNews> ProgramBoardNews(const std::optional<NamedBoard>& named,
                                                        bool opened, bool changed);

// The news when Setup confirms another board while the program in the window
// names `programs`: the program keeps running on its own, and Setup's choice
// is for the programs that name none.
[[nodiscard]] BoardNews ProgramBoardStays(const BoardChoice& programs);

} // namespace scanbench
