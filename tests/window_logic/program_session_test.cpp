#include "window_logic/main_window/program_session.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEST(WindowTitle, FollowsNameAndModifiedMark) {
    EXPECT_EQ(WindowTitle(true, "a.bst", true), "Scanbench - a.bst - *");
    EXPECT_EQ(WindowTitle(true, "a.bst", false), "Scanbench - a.bst -");
    EXPECT_EQ(WindowTitle(false, "a.bst", true), "Scanbench - untitled - *");
    EXPECT_EQ(WindowTitle(false, "", false), "Scanbench - untitled -");
    EXPECT_EQ(FileNamePart("/home/x/prog.bst"), "prog.bst");
    EXPECT_EQ(FileNamePart("C:\\x\\prog.bst"), "prog.bst");
    EXPECT_EQ(FileNamePart("prog.bst"), "prog.bst");
}

TEST(PortStatus, SaysWhyThePortCannotBeReached) {
    EXPECT_EQ(PortStatus(true).Text, "Driver successfully started !");
    EXPECT_EQ(PortStatus(true).Colour, StatusColour::Green);
    EXPECT_EQ(PortStatus(false).Text, "Couldnt start driver. Something wrong !");
    EXPECT_EQ(PortStatus(false).Colour, StatusColour::Red);
    EXPECT_EQ(PortStatus(false, "cannot open /dev/parport0: No such file or directory").Text,
              "Couldnt start driver. Something wrong !  cannot open "
              "/dev/parport0: No such file or directory");
}

TEST(ProgramSession, OpenAndSaveNameTheProgramNewForgetsTheName) {
    ProgramSession session;
    EXPECT_EQ(session.Title(false), "Scanbench - untitled -");
    session.ProgramOpened("/tmp/walk.bst");
    EXPECT_TRUE(session.ProgNamed());
    EXPECT_EQ(session.Title(false), "Scanbench - walk.bst -");
    session.Saved("/tmp/other.bst");
    EXPECT_EQ(session.Title(true), "Scanbench - other.bst - *");
    session.NewProgram();
    EXPECT_FALSE(session.ProgNamed());
    EXPECT_EQ(session.Title(false), "Scanbench - untitled -");
}

TEST(ProgramSession, AnSvfFileNamesTheTitleButIsNeverSavedOver) {
    ProgramSession session;
    session.TranslationOpened("/tmp/v1.2/chain.SVF");
    EXPECT_FALSE(session.ProgNamed()) << "Save asks for a file";
    EXPECT_EQ(session.Title(false), "Scanbench - chain.SVF -");
    EXPECT_EQ(session.SaveSuggestion(), "/tmp/v1.2/chain.bst");
    session.Saved("/tmp/chain.bst");
    EXPECT_EQ(session.SaveSuggestion(), "");
    EXPECT_EQ(session.Title(false), "Scanbench - chain.bst -");
    EXPECT_EQ(WithBstExtension("/tmp/v1.2/plain"), "/tmp/v1.2/plain.bst");
    EXPECT_EQ(WithBstExtension(".hidden"), ".hidden.bst");
}

} // namespace
} // namespace scanbench
