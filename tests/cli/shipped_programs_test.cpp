// Every program shipped in examples/ and examples/lessons/ states its good
// result in its header, and reaches it as the runner runs it without
// --board: on the default board, or on the board its Board line names:
//
//   // Result: HALT at ALLGOOD, flags TAP0 00000000b, U3 leds 10000000b
//   // Switches: U1=0x5A,SIA=1          (only where the program needs them)
//
// "HALT at LABEL" is the first HALT at or below the label; each flags or
// leds clause names a TAP's flags or a chip's LEDs at the end. The
// switches are set before the run, as the runner's --switches does.

#include "cli/headless_run.h"
#include "cli/run_board.h"
#include "cli/runner_options.h"
#include "cli/runner_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

namespace scanbench {
namespace {

namespace fs = std::filesystem;

// A value the runner's output must show on the line that starts with Line.
struct ShownValue {
    std::string Line;
    std::string Value;
};

struct PromisedResult {
    std::string Label;
    std::vector<ShownValue> Expected;
    std::string Switches;
};

std::vector<fs::path> ShippedPrograms() {
    std::vector<fs::path> programs;
    for (const fs::path& folder :
         {fs::path(SCANBENCH_EXAMPLES_DIR), fs::path(SCANBENCH_EXAMPLES_DIR) / "lessons"}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            std::string extension = entry.path().extension().string();
            std::transform(extension.begin(), extension.end(), extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (entry.is_regular_file() && extension == ".bst") {
                programs.push_back(entry.path());
            }
        }
    }
    std::sort(programs.begin(), programs.end());
    return programs;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The header's promise; a program without a "Result:" line promises nothing
// and fails.
std::optional<PromisedResult> Promise(const std::vector<std::string>& lines) {
    static const std::regex result(R"(^// Result: HALT at (\w+)(.*)$)");
    static const std::regex flags(R"(TAP([01]) ([01]{8})b)");
    static const std::regex leds(R"((U[1-3]) leds ([01]{8})b)");
    static const std::regex switches(R"(^// Switches: (\S+)$)");
    std::optional<PromisedResult> promise;
    std::string switchList;
    for (const std::string& line : lines) {
        std::smatch m;
        if (std::regex_match(line, m, result)) {
            promise.emplace();
            promise->Label = m[1];
            const std::string clauses = m[2];
            for (auto f = std::sregex_iterator(clauses.begin(), clauses.end(), flags);
                 f != std::sregex_iterator(); ++f) {
                promise->Expected.push_back(
                    {"tap" + (*f)[1].str() + ": ", "flags=" + (*f)[2].str() + "b"});
            }
            for (auto l = std::sregex_iterator(clauses.begin(), clauses.end(), leds);
                 l != std::sregex_iterator(); ++l) {
                promise->Expected.push_back(
                    {"chip " + (*l)[1].str() + ": ", "leds=" + (*l)[2].str() + "b"});
            }
        } else if (std::regex_match(line, m, switches)) {
            switchList = m[1];
        }
    }
    if (promise) {
        promise->Switches = switchList;
    }
    return promise;
}

// The 1-based line of the first HALT statement at or below `label`, or 0.
std::size_t HaltLineAt(const std::vector<std::string>& lines, const std::string& label) {
    static const std::regex labelLine(R"(^\s*(\w+)\s*:)");
    static const std::regex haltLine(R"(^\s*(\w+\s*:)?\s*HALT;)", std::regex::icase);
    bool found = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::smatch m;
        found = found || (std::regex_search(lines[i], m, labelLine) && m[1] == label);
        if (found && std::regex_search(lines[i], haltLine)) {
            return i + 1;
        }
    }
    return 0;
}

// The runner's output line that starts as `start` does (empty when none).
std::string OutputLine(const std::string& output, const std::string& start) {
    for (const std::string& line : Lines(output)) {
        if (line.starts_with(start)) {
            return line;
        }
    }
    return {};
}

// Runs `text`, read from `path`, as scanbench-run does with `arguments`
// before the program file: on the board the program names unless --board
// is among them.
int RunAsTheRunner(std::vector<std::string> arguments, const fs::path& path,
                   const std::string& text, std::ostream& out, std::ostream& err) {
    arguments.push_back(path.string());
    const ParsedRunnerCommandLine parsed = ParseRunnerOptions(arguments);
    if (!std::holds_alternative<RunnerOptions>(parsed)) {
        err << "the command line was refused";
        return RunnerExit::Usage;
    }
    RunnerOptions options = std::get<RunnerOptions>(parsed);
    if (!ChooseRunBoard(options, text, ShippedBoardsFolder(), err)) {
        return RunnerExit::Usage;
    }
    return RunHeadless(options, Settings{}, text, out, err);
}

// The line the interconnect lesson `lesson` ends at on the interconnect
// board with `fault`, and the line its header gives `label`.
struct Diagnosis {
    std::size_t Ended = 0;
    std::size_t Expected = 0;
    std::string Output;
};

Diagnosis RunWithFault(const std::string& lesson, const std::string& fault,
                       const std::string& label) {
    const fs::path path = fs::path(SCANBENCH_EXAMPLES_DIR) / "lessons" / lesson;
    std::ostringstream problems;
    const std::optional<std::string> text = ReadRunnerProgram(path.string(), problems);
    if (!text) {
        return {0, 0, problems.str()};
    }
    std::ostringstream out;
    std::ostringstream err;
    (void)RunAsTheRunner({"--fault", fault, "--max-steps", "1000000"}, path, *text, out, err);
    Diagnosis diagnosis{0, HaltLineAt(Lines(*text), label), out.str() + err.str()};
    if (OutputLine(diagnosis.Output, "end: ") == "end: halt") {
        diagnosis.Ended = std::stoul(OutputLine(diagnosis.Output, "line: ").substr(6));
    }
    return diagnosis;
}

// Every net with every kind of fault, shorts of neighbours and of nets far
// apart: the lessons' programs halt below the label that names the fault.
TEST(ShippedPrograms, InterconnectLessonsNameEachFault) {
    struct Case {
        std::string Lesson;
        std::string Fault;
        std::string Label;
    };
    std::vector<Case> cases;
    for (const char* lesson : {"08-walking-ones.bst", "09-find-the-short.bst"}) {
        for (int net = 0; net < 8; ++net) {
            const std::string n = "N" + std::to_string(net);
            cases.push_back({lesson, n + "=stuck0", "STUCK0_" + n});
            cases.push_back({lesson, n + "=stuck1", "STUCK1_" + n});
            cases.push_back({lesson, n + "=open", "OPEN_" + n});
        }
    }
    const std::pair<int, int> shorts[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6},
                                          {6, 7}, {0, 7}, {1, 6}, {2, 5}, {3, 5}, {0, 4}};
    for (const auto& [a, b] : shorts) {
        const std::string na = "N" + std::to_string(a);
        const std::string nb = "N" + std::to_string(b);
        cases.push_back(
            {"09-find-the-short.bst", nb + "+" + na + "=short", "SHORT_" + na + "_" + nb});
    }
    // Walking ones alone takes a short for the lower net stuck at 0.
    cases.push_back({"08-walking-ones.bst", "N2+N6=short", "STUCK0_N2"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Lesson + " with " + c.Fault);
        const Diagnosis diagnosis = RunWithFault(c.Lesson, c.Fault, c.Label);
        ASSERT_NE(diagnosis.Expected, 0U) << "no HALT below " << c.Label;
        EXPECT_EQ(diagnosis.Ended, diagnosis.Expected) << diagnosis.Output;
    }
}

TEST(ShippedPrograms, EachReachesTheGoodHaltItsHeaderStatesAsTheRunnerRunsIt) {
    const std::vector<fs::path> programs = ShippedPrograms();
    ASSERT_GE(programs.size(), 10U) << "the examples were not found in " SCANBENCH_EXAMPLES_DIR;
    for (const fs::path& path : programs) {
        SCOPED_TRACE(path.string());
        std::ostringstream problems;
        const std::optional<std::string> text = ReadRunnerProgram(path.string(), problems);
        ASSERT_TRUE(text) << problems.str();
        const std::vector<std::string> lines = Lines(*text);
        const std::optional<PromisedResult> promise = Promise(lines);
        ASSERT_TRUE(promise) << "no \"// Result: HALT at LABEL ...\" line in the header";
        const std::size_t haltLine = HaltLineAt(lines, promise->Label);
        ASSERT_NE(haltLine, 0U) << "no HALT at or below " << promise->Label;

        std::vector<std::string> arguments{"--max-steps", "1000000"};
        if (!promise->Switches.empty()) {
            arguments.insert(arguments.begin(), {"--switches", promise->Switches});
        }
        std::ostringstream out;
        std::ostringstream err;
        const int code = RunAsTheRunner(arguments, path, *text, out, err);
        const std::string output = out.str();
        EXPECT_EQ(code, RunnerExit::Halt) << output << err.str();
        EXPECT_EQ(OutputLine(output, "end: "), "end: halt") << output;
        EXPECT_EQ(OutputLine(output, "line: "), "line: " + std::to_string(haltLine)) << output;
        for (const ShownValue& shown : promise->Expected) {
            EXPECT_NE(OutputLine(output, shown.Line).find(shown.Value), std::string::npos)
                << "expected " << shown.Value << " on the \"" << shown.Line << "\" line:\n"
                << output;
        }
    }
}

} // namespace
} // namespace scanbench
