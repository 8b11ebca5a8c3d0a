#include "engine/program/program_file.h"
#include "engine/program/program_text.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEST(ProgramFile, AllLineEndsBecomeLineFeeds) {
    EXPECT_EQ(EditorTextFromFile("RST;\r\nTMS0;\rTMS1;\nHALT;"), "RST;\nTMS0;\nTMS1;\nHALT;");
    EXPECT_EQ(EditorTextFromFile("A\r\r\nB\n\r"), "A\n\nB\n\n");
    EXPECT_EQ(EditorTextFromFile("\xEF\xBB\xBFRST;\r\n"), "RST;\n") << "byte order mark dropped";
    EXPECT_EQ(EditorTextFromFile("\xFF\xFE;"), "\xFF\xFE;") << "invalid UTF-8 passes to the editor";
}

TEST(ProgramFile, SavedLinesEndInCrLf) {
    EXPECT_EQ(ProgramFileBytes(StringProgramText("RST;\nHALT;")), "RST;\r\nHALT;\r\n");
    EXPECT_EQ(ProgramFileBytes(StringProgramText("RST;\n")), "RST;\r\n")
        << "no line after the last line end";
    EXPECT_EQ(ProgramFileBytes(StringProgramText("\n\nX")), "\r\n\r\nX\r\n");
    EXPECT_EQ(ProgramFileBytes(StringProgramText("")), "");
}

TEST(ProgramFile, SavedFileReadsBackToTheSameLines) {
    const StringProgramText program("LD CNT,8d;\n\n  NSHF A5h; // x\n\tHALT;");
    const StringProgramText reread(EditorTextFromFile(ProgramFileBytes(program)));
    ASSERT_EQ(reread.LineCount(), program.LineCount());
    for (std::int32_t i = 0; i < program.LineCount(); ++i) {
        EXPECT_EQ(reread.Line(i), program.Line(i));
    }
}

struct RefusalCase {
    const char* name;
    std::string bytes;
    ProgramFileProblem problem;
};

class ProgramFileCheck : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ProgramFileCheck, RefusesWhatTheEditorCannotHold) {
    EXPECT_EQ(CheckProgramFile(GetParam().bytes), GetParam().problem);
}

const std::int32_t MaxLines = ProgramFileLimits::MaxLines;

INSTANTIATE_TEST_SUITE_P(
    Files, ProgramFileCheck,
    ::testing::Values(
        RefusalCase{"Program", "RST;\r\nHALT;\r\n", ProgramFileProblem::None},
        RefusalCase{"Empty", "", ProgramFileProblem::None},
        RefusalCase{"InvalidUtf8", "\xC3\x28\xFF;", ProgramFileProblem::None},
        RefusalCase{"NulByte", std::string("RST;\0", 5), ProgramFileProblem::NotText},
        RefusalCase{"MostLines", std::string(MaxLines, '\n'), ProgramFileProblem::None},
        RefusalCase{"MostLinesAndAFinalLineEnd", std::string(MaxLines - 1, '\n') + "X\r\n",
                    ProgramFileProblem::None},
        RefusalCase{"OneLineTooMany", std::string(MaxLines, '\n') + "X",
                    ProgramFileProblem::TooManyLines},
        RefusalCase{"TenMillionLines", std::string(10000000, '\r'),
                    ProgramFileProblem::TooManyLines},
        RefusalCase{"MillionCharacterLine", std::string(1000000, 'A') + "\n",
                    ProgramFileProblem::None},
        RefusalCase{"OverlongLastLine",
                    "RST;\n" + std::string(ProgramFileLimits::MaxLineBytes + 1, 'A'),
                    ProgramFileProblem::LineTooLong},
        RefusalCase{"TooLarge", std::string(ProgramFileLimits::MaxBytes + 1, '\n'),
                    ProgramFileProblem::TooLarge}),
    [](const ::testing::TestParamInfo<RefusalCase>& param) {
        return std::string(param.param.name);
    });

TEST(ProgramFile, SizeCheckBeforeReadingAndAMessageForEveryRefusal) {
    EXPECT_EQ(CheckProgramFileSize(ProgramFileLimits::MaxBytes), ProgramFileProblem::None);
    EXPECT_EQ(CheckProgramFileSize(ProgramFileLimits::MaxBytes + 1), ProgramFileProblem::TooLarge);
    EXPECT_TRUE(ProgramFileProblemText(ProgramFileProblem::None).empty());
    for (const auto problem : {ProgramFileProblem::TooLarge, ProgramFileProblem::NotText,
                               ProgramFileProblem::TooManyLines, ProgramFileProblem::LineTooLong}) {
        EXPECT_FALSE(ProgramFileProblemText(problem).empty());
    }
}

} // namespace
} // namespace scanbench
