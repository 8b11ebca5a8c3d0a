#include "cli/headless_run.h"
#include "cli/runner_program.h"
#include "engine/program/program_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace scanbench {
namespace {

namespace fs = std::filesystem;

// A scratch folder of its own for each test process.
class RunnerProgram : public ::testing::Test {
protected:
    void SetUp() override {
        Folder =
            fs::temp_directory_path() / ("scanbench_runner_program_" + std::to_string(::getpid()));
        fs::create_directories(Folder);
    }
    void TearDown() override { fs::remove_all(Folder); }

    std::string Write(const std::string& name, const std::string& bytes) const {
        const fs::path path = Folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    // The result lines of running the file; empty when it was not read.
    std::string RunFile(const std::string& path) {
        std::ostringstream out;
        std::ostringstream err;
        const std::optional<std::string> text = ReadRunnerProgram(path, err);
        Errors = err.str();
        if (!text) {
            return {};
        }
        EXPECT_EQ(RunHeadless({}, Settings{}, *text, out, err), 0);
        return out.str();
    }

    fs::path Folder;
    std::string Errors;
};

TEST_F(RunnerProgram, ByteOrderMarkRunsLikeTheSameFileWithout) {
    const std::string program = "RST;\r\nSTATE DRSHIFT;\r\nLD CNT,8d;\r\nNSHF A5h;\r\nHALT;\r\n";
    const std::string plain = RunFile(Write("plain.bst", program));
    const std::string marked = RunFile(Write("marked.bst", "\xEF\xBB\xBF" + program));
    EXPECT_NE(plain.find("end: halt\n"), std::string::npos) << plain;
    EXPECT_EQ(marked, plain);
    EXPECT_EQ(Errors, "");
}

struct RefusedFile {
    const char* name;
    std::string bytes;
    ProgramFileProblem problem;
};

class RefusedRunnerProgram : public RunnerProgram,
                             public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(RefusedRunnerProgram, IsNotRunAndTheReasonIsGiven) {
    const std::string path = Write("refused.bst", GetParam().bytes);
    std::ostringstream err;
    EXPECT_EQ(ReadRunnerProgram(path, err), std::nullopt);
    EXPECT_EQ(err.str(), "scanbench-run: cannot open " + path + ": " +
                             std::string(ProgramFileProblemText(GetParam().problem)) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedRunnerProgram,
    ::testing::Values(
        RefusedFile{"NulByte", std::string("RST;\0HALT;", 10), ProgramFileProblem::NotText},
        RefusedFile{"TooManyLines", std::string(ProgramFileLimits::MaxLines, '\n') + "HALT;",
                    ProgramFileProblem::TooManyLines},
        RefusedFile{"LineTooLong", std::string(ProgramFileLimits::MaxLineBytes + 1, ' ') + "\n",
                    ProgramFileProblem::LineTooLong}),
    [](const ::testing::TestParamInfo<RefusedFile>& param) {
        return std::string(param.param.name);
    });

TEST_F(RunnerProgram, OversizedFileIsRefusedBeforeItIsRead) {
    // Sparse and all NUL bytes: reading it would find the NULs first.
    const std::string path = Write("huge.bst", "");
    fs::resize_file(path, ProgramFileLimits::MaxBytes + 1);
    std::ostringstream err;
    EXPECT_EQ(ReadRunnerProgram(path, err), std::nullopt);
    EXPECT_NE(err.str().find(ProgramFileProblemText(ProgramFileProblem::TooLarge)),
              std::string::npos)
        << err.str();
}

TEST_F(RunnerProgram, MissingFilesAndFoldersAreNotPrograms) {
    std::ostringstream err;
    EXPECT_EQ(ReadRunnerProgram((Folder / "missing.bst").string(), err), std::nullopt);
    EXPECT_EQ(ReadRunnerProgram(Folder.string(), err), std::nullopt);
    EXPECT_EQ(err.str(), "scanbench-run: cannot open " + (Folder / "missing.bst").string() +
                             ": No such file or directory\n"
                             "scanbench-run: cannot open " +
                             Folder.string() + ": Is a directory\n");
}

} // namespace
} // namespace scanbench
