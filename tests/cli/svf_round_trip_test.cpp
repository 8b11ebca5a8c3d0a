// Every shipped example and lesson, written as SVF and read back, drives its
// TAP the same way and comes to the same result: the same TMS and TDI at
// every TCK edge wherever the export could say all the program did, the
// same SVF everywhere. The folders are listed when
// the test runs, so programs added later are covered as well.

#include "board/chip_board.h"
#include "cli/board_report.h"
#include "cli/headless_reporter.h"
#include "cli/run_board.h"
#include "cli/switch_settings.h"
#include "engine/events/packed_event.h"
#include "engine/program/program_file.h"
#include "engine/run/engine.h"
#include "port/open_port.h"
#include "port/port_signals.h"
#include "port/program_board.h"
#include "svf/svf_export.h"
#include "svf/svf_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

namespace scanbench {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ShippedPrograms() {
    std::vector<fs::path> programs;
    for (const char* folder : {"examples", "examples/lessons"}) {
        for (const auto& entry : fs::directory_iterator(fs::path(SCANBENCH_SOURCE_DIR) / folder)) {
            if (entry.path().extension() == ".bst") {
                programs.push_back(entry.path());
            }
        }
    }
    std::sort(programs.begin(), programs.end());
    return programs;
}

// The board and switches a program's header asks for ("// Board:
// interconnect", "// Switches: U3=0x0F"); the demo board otherwise.
struct Bench {
    BoardChoice Board = BoardKind::Demo;
    std::vector<SwitchSetting> Switches;
};

Bench BenchFromHeader(const std::string& text, const fs::path& path) {
    Bench bench;
    const BoardFileSearch search{path.parent_path(), ShippedBoardsFolder()};
    if (const std::optional<NamedBoard> named = ProgramBoard(text, search)) {
        bench.Board = std::get<BoardChoice>(*named);
    }
    std::smatch match;
    if (std::regex_search(text, match, std::regex("(^|\n)// Switches: ([^ \r\n]+)"))) {
        auto parsed = ParseSwitchSettings(match[2].str());
        if (auto* switches = std::get_if<std::vector<SwitchSetting>>(&parsed)) {
            bench.Switches = std::move(*switches);
        }
    }
    return bench;
}

// Hands every played event to the log the SVF export needs and notes, per
// TAP, whether each NSHFCP comparison failed.
class RunRecorder final : public PlaybackObserver {
public:
    explicit RunRecorder(const EngineState& state) : State(state), Compares(state) {}
    void EventPlayed(const PackedEvent& event) override {
        Compares.EventPlayed(event);
        const std::uint8_t tap = event.Tap & 1;
        ++Events[tap];
        const bool tck = event.Level(PackedEvent::TCK) == 1;
        if (tck && !LastTck[tap]) { // a rising edge: what the TAP takes in
            Pins[tap] += static_cast<char>('0' + event.Level(PackedEvent::TMS) * 2 +
                                           event.Level(PackedEvent::TX));
        }
        LastTck[tap] = tck;
        if (Capturing && !State.Playback.Capturing) {
            Failed[tap].push_back(State.Registers.SelectedFlagSet(tap));
        }
        Capturing = State.Playback.Capturing;
    }
    void EventResampled(const PackedEvent& /*event*/) override {}

    const EngineState& State;
    ShiftCompareLog Compares;
    bool Capturing = false;
    std::array<std::uint64_t, 2> Events{};
    std::array<bool, 2> LastTck{};
    std::array<std::string, 2> Pins; // TMS and TX at every rising TCK edge, a digit each
    std::array<std::vector<bool>, 2> Failed;
};

struct RunResult {
    bool Halted = false;
    std::int32_t CurrentLine = 0;
    std::array<std::int32_t, 2> Counter{};
    std::array<std::uint64_t, 2> Events{};
    std::array<std::string, 2> Pins;
    std::array<std::vector<bool>, 2> Failed; // per NSHFCP
    std::array<bool, 2> Exact{};             // the export had nothing to leave out or approximate
    std::array<std::string, 2> Svf;
    std::array<bool, 2> ComparesUnsaid{}; // the export could not say a comparison
    std::array<std::string, 2> Chips;     // the board's lines for the chips of each TAP
};

RunResult RunOnBoard(const std::string& text, const Bench& bench) {
    const std::unique_ptr<PortAccess> port = OpenPort(PortKind::Board, PinSettings{}, bench.Board);
    if (port->Chips() != nullptr) {
        EXPECT_FALSE(ApplySwitchSettings(bench.Switches, *port->Chips()));
    }
    PortSignals signals(*port, PinSettings{});
    HeadlessReporter reporter;
    Engine engine(reporter, signals);
    StringProgramText program(text);
    engine.SetProgram(program);
    engine.OpenProgram();
    RunRecorder recorder(engine.State());
    {
        const auto observing = engine.ObservePlayback(recorder);
        (void)engine.ExecuteSteps(10000000);
    }

    RunResult result;
    result.Halted = reporter.Status == "HALT";
    result.CurrentLine = engine.Registers().CurrentLine;
    result.Counter = engine.Registers().Counter;
    result.Events = recorder.Events;
    result.Pins = recorder.Pins;
    result.Failed = recorder.Failed;
    std::ostringstream board;
    if (port->Chips() != nullptr) {
        PrintBoard(board, *port->Chips());
    }
    for (std::uint8_t tap = 0; tap < 2; ++tap) {
        std::ostringstream svf;
        const SvfExportResult exported = WriteSvf(svf, engine.State(), recorder.Compares, tap, "");
        EXPECT_FALSE(exported.Refusal);
        result.Svf[tap] = svf.str();
        result.Exact[tap] = exported.Problems.empty();
        result.ComparesUnsaid[tap] =
            std::any_of(exported.Problems.begin(), exported.Problems.end(),
                        [](const SvfProblem& p) { return p.Message.starts_with("NSHFCP"); });
        std::istringstream lines(board.str());
        for (std::string line; std::getline(lines, line);) {
            if (line.find(" tap" + std::to_string(tap) + " ") != std::string::npos) {
                result.Chips[tap] += line + "\n";
            }
        }
    }
    return result;
}

// An SVF file's statements without its comments, one a line.
std::string SvfCommands(const std::string& svf) {
    std::istringstream lines(svf);
    std::string commands;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] != '!') {
            commands += line + "\n";
        }
    }
    return commands;
}

// The SVF line of each scan that compares TDO.
std::vector<std::int32_t> CheckLines(const std::string& svf) {
    std::vector<std::int32_t> lines;
    std::istringstream text(svf);
    std::int32_t number = 0;
    for (std::string line; std::getline(text, line);) {
        ++number;
        if ((line.starts_with("SIR ") || line.starts_with("SDR ")) &&
            line.find(" TDO ") != std::string::npos) {
            lines.push_back(number);
        }
    }
    return lines;
}

TEST(SvfRoundTrip, EveryShippedProgramComesBackThroughSvf) {
    const std::vector<fs::path> programs = ShippedPrograms();
    ASSERT_FALSE(programs.empty());
    for (const fs::path& path : programs) {
        const ProgramFileContents file = LoadProgramFile(path);
        ASSERT_TRUE(file.Accepted()) << path;
        const Bench bench = BenchFromHeader(file.Text, path);
        const RunResult original = RunOnBoard(file.Text, bench);
        EXPECT_TRUE(original.Halted) << path;
        for (std::uint8_t tap = 0; tap < 2; ++tap) {
            if (original.Events[tap] == 0) {
                continue; // the program leaves this TAP alone
            }
            SCOPED_TRACE(path.filename().string() + ", TAP " + std::to_string(tap));
            const std::string& svf = original.Svf[tap];
            auto imported = ImportSvf(svf, {tap, path.filename().string()});
            ASSERT_TRUE(std::holds_alternative<SvfImport>(imported)) << svf;
            const SvfImport& import = std::get<SvfImport>(imported);
            const RunResult back = RunOnBoard(import.Program, bench);

            // The same pins: the TMS and TX levels of every TCK edge, as the
            // SVF export reads them from the events, make the same SVF.
            EXPECT_EQ(SvfCommands(back.Svf[tap]), SvfCommands(svf));
            if (original.Exact[tap]) {
                // Where SVF could say all the program did, the very pins are the same.
                EXPECT_EQ(back.Pins[tap], original.Pins[tap]);
            }
            // The same result: the chips end alike, and the verdict fails
            // exactly when a comparison of the original failed.
            EXPECT_TRUE(back.Halted);
            EXPECT_EQ(back.Chips[tap], original.Chips[tap]);
            const std::vector<bool>& failed = original.Failed[tap];
            const SvfVerdict verdict =
                JudgeSvfRun(import, back.Halted, back.CurrentLine, back.Counter[tap]);
            const auto firstFailed = std::find(failed.begin(), failed.end(), true);
            if (original.ComparesUnsaid[tap]) {
                continue; // then the file does not check all that the program did
            }
            if (firstFailed == failed.end()) {
                EXPECT_EQ(verdict.Outcome, SvfOutcome::Passed);
                continue;
            }
            EXPECT_EQ(verdict.Outcome, SvfOutcome::Mismatch);
            const std::vector<std::int32_t> checks = CheckLines(svf);
            if (checks.size() == failed.size()) { // one SVF check per NSHFCP
                EXPECT_EQ(verdict.FirstMismatchLine, checks[firstFailed - failed.begin()]);
            }
        }
    }
}

} // namespace
} // namespace scanbench
