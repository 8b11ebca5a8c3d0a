#include "window_logic/main_window/program_board_use.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

// What the window tells, by the program's Board line and the moment.
TEST(ProgramBoardUse, TellsANamedBoardOnOpeningAndAChangeOrAProblemOnAnyStart) {
    const std::optional<NamedBoard> none;
    const std::optional<NamedBoard> file =
        NamedBoard(BoardChoice(BoardKind::File, "/home/me/boards/mine.json"));
    const std::optional<NamedBoard> broken = NamedBoard(BoardLineProblem{"line 3: no such board"});

    EXPECT_EQ(WindowBoard(file), BoardChoice(BoardKind::File, "/home/me/boards/mine.json"));
    EXPECT_EQ(WindowBoard(broken), std::nullopt) << "Setup's board stays";
    EXPECT_EQ(ProgramBoardNews(file, true, false)->Text,
              "The program's board: the board file mine.json");
    EXPECT_FALSE(ProgramBoardNews(file, false, false)) << "a run start on the board in use";
    EXPECT_FALSE(ProgramBoardNews(none, true, false)) << "a program without a Board line";
    EXPECT_EQ(ProgramBoardNews(none, false, true)->Text, "Setup's board: the program names none");
    const std::optional<BoardNews> problem = ProgramBoardNews(broken, false, false);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->Colour, StatusColour::Red);
    EXPECT_NE(problem->Text.find("line 3: no such board"), std::string::npos);
}

} // namespace
} // namespace scanbench
