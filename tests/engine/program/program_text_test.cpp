#include "engine/program/label_table.h"
#include "engine/program/line_fetch.h"
#include "engine/program/program_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

struct Fetched {
    std::string text;
    std::int32_t lineAfter;
};

std::vector<Fetched> FetchAll(std::string_view program) {
    StringProgramText text(program);
    std::vector<Fetched> out;
    std::int32_t line = 0;
    while (line < text.LineCount()) {
        std::string statement = getline(text, line);
        out.push_back({statement, line});
    }
    return out;
}

TEST(ProgramText, SplitsOnEveryLineEnding) {
    StringProgramText text("a\r\nb\rc\nd");
    ASSERT_EQ(text.LineCount(), 4);
    EXPECT_EQ(text.Line(1), "b");
    EXPECT_EQ(text.Line(3), "d");
    EXPECT_EQ(text.Line(4), "");
    EXPECT_EQ(text.Line(-1), "");
    EXPECT_EQ(StringProgramText("a\n").LineCount(), 1);
    EXPECT_EQ(StringProgramText("a\n\n").LineCount(), 2);
    EXPECT_EQ(StringProgramText("").LineCount(), 0);
}

TEST(LineFetch, BlankLineGivesEmptyTextAndAdvancesOneLine) {
    const auto f = FetchAll("   \nRST;");
    ASSERT_EQ(f.size(), 2U);
    EXPECT_EQ(f[0].text, "");
    EXPECT_EQ(f[0].lineAfter, 1);
    EXPECT_EQ(f[1].text, "RST;");
    EXPECT_EQ(f[1].lineAfter, 2);
}

TEST(LineFetch, CommentLinesInFrontOfAStatementDisappear) {
    auto f = FetchAll("// a comment\nNOP;");
    ASSERT_EQ(f.size(), 1U);
    EXPECT_EQ(f[0].text, "NOP;");
    EXPECT_EQ(f[0].lineAfter, 2);
    f = FetchAll("! one\n  ! two ;\n// three;\nTMS1; ! done");
    ASSERT_EQ(f.size(), 1U) << "lines that start with a comment never end a statement";
    EXPECT_EQ(f[0].text, "TMS1;");
}

TEST(LineFetch, LabelOnItsOwnLineJoinsTheNextStatement) {
    const auto f = FetchAll("NOP;\nNOP;\nNOP;\nL1:\nTMS1;");
    ASSERT_EQ(f.size(), 4U);
    EXPECT_EQ(f[3].text, "L1:TMS1;");
    EXPECT_EQ(f[3].lineAfter, 5);
}

TEST(LineFetch, ContinuationLinesAreJoinedWithoutSeparator) {
    auto f = FetchAll("NSHF 12\n  34h;");
    ASSERT_EQ(f.size(), 1U);
    EXPECT_EQ(f[0].text, "NSHF 1234h;");
    f = FetchAll("NSHF\n1234h;");
    EXPECT_EQ(f[0].text, "NSHF1234h;");
}

TEST(LineFetch, CommentsAreStrippedAndASemicolonInACommentEndsTheStatement) {
    auto f = FetchAll("RST; // reset");
    EXPECT_EQ(f[0].text, "RST;");
    f = FetchAll("NSHF 1\nNOP ! ;\nTMS0;");
    ASSERT_EQ(f.size(), 2U);
    EXPECT_EQ(f[0].text, "NSHF 1NOP");
    EXPECT_EQ(f[0].lineAfter, 2);
    EXPECT_EQ(f[1].text, "TMS0;");
}

TEST(LineFetch, StatementWithoutSemicolonRunsToTheEndOfTheText) {
    const auto f = FetchAll("RST;\nHALT\n\n");
    ASSERT_EQ(f.size(), 2U);
    EXPECT_EQ(f[1].text, "HALT");
    EXPECT_EQ(f[1].lineAfter, 5) << "past the end of a 3-line text";
}

TEST(LineFetch, ShowsTheFirstLineOfEachStatement) {
    struct Recording : StringProgramText {
        using StringProgramText::StringProgramText;
        void ShowLine(std::int32_t index) override { Shown.push_back(index); }
        std::vector<std::int32_t> Shown;
    } text("NSHF 1\n2h;\nNOP;");
    std::int32_t line = 0;
    (void)getline(text, line);
    (void)getline(text, line);
    EXPECT_EQ(text.Shown, (std::vector<std::int32_t>{0, 2}));
}

TEST(LabelTable, FirstOfDuplicateNamesWinsAndLongNamesAreCut) {
    LabelTable labels;
    labels.Add(3, "loop");
    labels.Add(9, "LOOP");
    labels.Add(11, std::string(45, 'a'));
    EXPECT_EQ(labels.LabelCount(), 3);
    EXPECT_EQ(labels.Find("LOOP"), 3);
    EXPECT_EQ(labels.Labels()[2].Name, std::string(40, 'A'));
    EXPECT_FALSE(labels.Find(std::string(45, 'A')));
    EXPECT_EQ(labels.Find(std::string(40, 'A')), 11);
    labels.Clear();
    EXPECT_EQ(labels.LabelCount(), 0);
    EXPECT_FALSE(labels.Find("LOOP"));
}

TEST(LabelTable, CutsAtCharactersNotBytes) {
    const std::string name = std::string(39, 'x') + "\xC3\xA9" + "yz";
    EXPECT_EQ(FirstCharacters(name, 40), std::string(39, 'x') + "\xC3\xA9");
    EXPECT_EQ(FirstCharacters("\xC3", 1), "\xC3") << "a broken sequence counts as one";
}

class CodeCheck : public ::testing::Test {
protected:
    bool Check(std::string_view program) {
        f.Text.SetText(program);
        return f.Eng.CheckCode();
    }
    const LabelTable& Labels() { return f.Eng.State().Labels; }
    testing::EngineFixture f;
};

TEST_F(CodeCheck, CollectsLabelsWithTheLastLineOfTheirStatement) {
    ASSERT_TRUE(Check("START: RST;\nNOP;\nL1:\nTMS1;\nMULTI: NSHF 1\n2h;"));
    ASSERT_EQ(Labels().LabelCount(), 3);
    EXPECT_EQ(Labels().Labels()[0].Name, "START");
    EXPECT_EQ(Labels().Labels()[0].Line, 0);
    EXPECT_EQ(Labels().Labels()[1].Name, "L1");
    EXPECT_EQ(Labels().Labels()[1].Line, 3);
    EXPECT_EQ(Labels().Labels()[2].Line, 5);
    EXPECT_TRUE(f.Eng.State().Run.CodeChecked);
    EXPECT_EQ(f.Eng.Registers().CurrentLine, 0);
}

TEST_F(CodeCheck, BlanksBeforeTheColonBelongToTheName) {
    ASSERT_TRUE(Check("loop : NOP;\nJMP loop;"));
    EXPECT_EQ(Labels().Labels()[0].Name, "LOOP ");
    EXPECT_FALSE(Labels().Find("LOOP"));
}

TEST_F(CodeCheck, EmptyLabelStopsTheCheck) {
    EXPECT_FALSE(Check("A: NOP;\n:NOP;\nB: NOP;"));
    EXPECT_EQ(f.Reporter.Status, "Invalid Label");
    EXPECT_EQ(f.Reporter.Colour, StatusColour::Red);
    EXPECT_FALSE(f.Eng.State().Run.CodeChecked);
    EXPECT_EQ(Labels().LabelCount(), 1) << "labels found so far stay";
}

TEST_F(CodeCheck, ManyLabelsAreAllKept) {
    std::string program;
    for (int i = 0; i < 2500; ++i) {
        program += 'L';
        program += std::to_string(i);
        program += ": NOP;\n";
    }
    ASSERT_TRUE(Check(program));
    EXPECT_EQ(Labels().LabelCount(), 2500);
    EXPECT_EQ(Labels().Find("L2499"), 2499);
}

TEST_F(CodeCheck, ResetsSyncStateAndLetsTheProgramRun) {
    auto& regs = f.Eng.Registers();
    regs.WaitingSync = true;
    regs.WaitSibHigh = true;
    regs.SyncOutA = 1;
    regs.Flags = {3, 4};
    f.Eng.State().Playback.LastSoa = 1;
    f.Eng.State().Run.Started = true;
    ASSERT_TRUE(Check("NOP;"));
    EXPECT_FALSE(regs.WaitingSync);
    EXPECT_FALSE(regs.WaitSibHigh);
    EXPECT_EQ(regs.SyncOutA, 0);
    EXPECT_EQ(regs.Flags, (std::array<std::uint8_t, 2>{0, 0}));
    EXPECT_EQ(f.Eng.State().Playback.LastSoa, 0);
    EXPECT_FALSE(f.Eng.State().Run.Started) << "the next event played starts the run";
    EXPECT_EQ(f.Reporter.News, std::vector<RunNews>{RunNews::CodeChecked});
}

} // namespace
} // namespace scanbench
