#include "port/program_board.h"

#include <gtest/gtest.h>

#include <set>

namespace scanbench {
namespace {

TEST(ProgramBoard, TheFirstBoardLineOfTheLeadingCommentsCounts) {
    const auto line = FindBoardLine("// Lesson\r\n\n  !  board:   interconnect \r\n"
                                    "// Board: demo\nRST;\n");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Line, 3);
    EXPECT_EQ(line->Name, "interconnect");

    EXPECT_FALSE(FindBoardLine("// Lesson 1\n//\nRST;\n"));
    EXPECT_FALSE(FindBoardLine("")) << "an empty program";
    EXPECT_FALSE(FindBoardLine("// Lesson\nRST;\n// Board: interconnect\n"))
        << "below the first statement";
    EXPECT_FALSE(FindBoardLine("RST; // Board: interconnect\n")) << "after a statement";
    EXPECT_FALSE(FindBoardLine("// The Board: interconnect\n")) << "not at the comment's start";
}

// The folders that hold a file in these tests.
BoardFileSearch Search(std::set<std::string> files) {
    return {"/home/me/tests", "/usr/share/scanbench/boards",
            [files = std::move(files)](const std::filesystem::path& path) {
                return files.contains(path.string());
            }};
}

TEST(ProgramBoard, BuiltInBoardsAndBoardFilesNextToTheProgramFirst) {
    const BoardFileSearch search =
        Search({"/home/me/tests/mine.json", "/usr/share/scanbench/boards/mine.json",
                "/usr/share/scanbench/boards/shipped.json"});
    const auto named = [&](const std::string& name) { return ResolveBoardLine({7, name}, search); };
    EXPECT_EQ(std::get<BoardChoice>(named("Interconnect")), BoardChoice(BoardKind::Interconnect));
    EXPECT_EQ(std::get<BoardChoice>(named("loopback")), BoardChoice(BoardKind::Loopback));
    EXPECT_EQ(std::get<BoardChoice>(named("mine.json")).File, "/home/me/tests/mine.json");
    EXPECT_EQ(std::get<BoardChoice>(named("shipped.json")).File,
              "/usr/share/scanbench/boards/shipped.json");

    const BoardFileSearch unsaved{{}, search.ShippedBoards, search.IsFile};
    EXPECT_EQ(std::get<BoardChoice>(ResolveBoardLine({1, "mine.json"}, unsaved)).File,
              "/usr/share/scanbench/boards/mine.json");
}

TEST(ProgramBoard, UnusableLinesAreProblemsNamingTheLineAndWhereTheFileWasLookedFor) {
    const BoardFileSearch search = Search({"/etc/board.json"});
    const auto problem = [&](const std::string& name) {
        const NamedBoard named = ResolveBoardLine({7, name}, search);
        return std::holds_alternative<BoardLineProblem>(named)
                   ? std::get<BoardLineProblem>(named).Message
                   : std::string("(a board)");
    };
    EXPECT_EQ(problem("interconect"), "line 7: \"Board: interconect\" names no board: demo, "
                                      "interconnect, loopback, open or a board file (NAME.json)");
    EXPECT_NE(problem("").find("line 7: \"Board: \" names no board"), std::string::npos);
    EXPECT_NE(problem("file").find("names no board"), std::string::npos);
    EXPECT_EQ(problem("gone.json"), "line 7: board file \"gone.json\" not found: looked for "
                                    "\"/home/me/tests/gone.json\" and "
                                    "\"/usr/share/scanbench/boards/gone.json\"");
    EXPECT_NE(problem("/etc/board.json").find("not as \"/etc/board.json\""), std::string::npos)
        << "never anywhere else";

    EXPECT_FALSE(ProgramBoard("RST;\n", search));
    EXPECT_TRUE(std::holds_alternative<BoardLineProblem>(
        *ProgramBoard("// Board: nowhere.json\n", search)));
}

} // namespace
} // namespace scanbench
