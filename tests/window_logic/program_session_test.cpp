#include "test_support.h"
#include "window_logic/program_session.h"

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

class Session : public ::testing::Test {
protected:
    Session() { session.Start(true); }
    const CommandStates& C() { return f.Reporter.Commands; }
    testing::EngineFixture f;
    ProgramSession session{f.Eng};
};

TEST_F(Session, StartDisablesEverythingThatNeedsAProgram) {
    EXPECT_EQ(f.Reporter.Status, "Driver successfully started !");
    EXPECT_FALSE(C().GutterBoxes || C().SaveItems || C().SaveFileButton || C().EventByEvent ||
                 C().SpeedRunButton || C().Reset);
    EXPECT_EQ(session.Title(false), "Scanbench - untitled -");
    session.Start(false);
    EXPECT_EQ(f.Reporter.Status, "Couldnt start driver. Something wrong !");
    EXPECT_EQ(f.Reporter.Colour, StatusColour::Red);
    session.Start(false, "cannot open /dev/parport0: No such file or directory");
    EXPECT_EQ(f.Reporter.Status, "Couldnt start driver. Something wrong !  cannot open "
                                 "/dev/parport0: No such file or directory");
}

TEST_F(Session, OneLineEnablesSavingButNotRunningASecondLineBoth) {
    f.Eng.Switches().SpeedRun = true;
    session.TextChanged(1);
    EXPECT_TRUE(C().GutterBoxes && C().SaveItems);
    EXPECT_FALSE(C().SaveFileButton || C().EventByEvent || C().Execute || C().SpeedRunButton);
    session.TextChanged(2);
    EXPECT_TRUE(C().SaveFileButton && C().EventByEvent && C().StepByStep && C().Execute &&
                C().Pause && C().SpeedRunButton && C().SpeedRunItem);
    EXPECT_FALSE(C().Reset);
}

TEST_F(Session, NewClearsBreakpointsStoreAndCommands) {
    session.TextChanged(3);
    f.Eng.State().Breakpoints.Set(900000, true);
    ASSERT_EQ(f.Eng.InterpretLine("RST;"), 0);
    session.NewProgram();
    EXPECT_FALSE(f.Eng.State().Breakpoints.IsSet(900000));
    EXPECT_EQ(f.Eng.Events().EventCount(), 0U);
    EXPECT_FALSE(C().GutterBoxes || C().SaveItems || C().SaveFileButton || C().Execute ||
                 C().Reset);
    EXPECT_TRUE(C().EditorWritable && C().Search);
    EXPECT_FALSE(session.ProgNamed());
}

TEST_F(Session, OpenNamesTheProgramAndResetsTheSimulation) {
    f.Eng.State().Breakpoints.Set(5000, true);
    f.Text.SetText("RST;\nHALT;");
    session.TextChanged(2);
    session.ProgramOpened("/tmp/walk.bst");
    EXPECT_TRUE(session.ProgNamed());
    EXPECT_EQ(session.Title(false), "Scanbench - walk.bst -");
    EXPECT_FALSE(f.Eng.State().Breakpoints.IsSet(5000));
    EXPECT_EQ(f.Reporter.Status, "Reset");
    EXPECT_TRUE(C().Execute && C().GutterBoxes);
    EXPECT_FALSE(C().SpeedRunButton) << "not without the setting";
    session.Saved("/tmp/other.bst");
    EXPECT_EQ(session.Title(true), "Scanbench - other.bst - *");
}

TEST_F(Session, AnSvfFileNamesTheTitleButIsNeverSavedOver) {
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
