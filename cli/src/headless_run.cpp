#include "cli/headless_run.h"

#include "board/chip_board.h"
#include "cli/board_report.h"
#include "cli/headless_reporter.h"
#include "cli/switch_settings.h"
#include "engine/engine.h"
#include "engine/event_export.h"
#include "engine/result_codes.h"
#include "engine/tap_state.h"
#include "engine/vcd_writer.h"
#include "fileio/atomic_file_writer.h"
#include "fileio/file_identity.h"
#include "fileio/writer_stream.h"
#include "port/open_port.h"
#include "port/port_access.h"
#include "port/port_signals.h"
#include "settings/settings_store.h"
#include "svf/svf_export.h"
#include "svf/svf_import.h"

#include <ctime>
#include <iterator>
#include <optional>
#include <utility>

namespace scanbench {

namespace {

void ApplyOverrides(const RunnerOptions& options, Settings& settings) {
    if (options.Board) {
        settings.Board = *options.Board;
    }
    if (options.Port) {
        settings.Port = *options.Port;
    }
    if (options.ActiveMode) {
        settings.ActiveMode = *options.ActiveMode;
    }
    if (options.Remote) {
        settings.Remote = ParseHostPort(*options.Remote).value_or(settings.Remote);
    }
}

// Two outputs that name one file (by any names) would leave only the one
// written last: the first such pair, as "--events and --vcd both write X".
std::optional<std::string> SharedOutput(const RunnerOptions& options) {
    const std::pair<const char*, const std::optional<std::string>*> outputs[] = {
        {"--events", &options.EventsFile},
        {"--vcd", &options.VcdFile},
        {"--svf", &options.SvfFile}};
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        for (std::size_t j = i + 1; j < std::size(outputs); ++j) {
            const auto& [first, firstPath] = outputs[i];
            const auto& [second, secondPath] = outputs[j];
            if (*firstPath && *secondPath && NameTheSameFile(**firstPath, **secondPath)) {
                return std::string(first) + " and " + second + " both write " + **secondPath;
            }
        }
    }
    return std::nullopt;
}

// Writes the SVF of the run through a writer opened before it; the
// problems of the translation go to `err`, each with its program line.
bool WriteSvfFile(AtomicFileWriter& writer, const RunnerOptions& options, const Engine& engine,
                  const ShiftCompareLog& log, std::ostream& err) {
    SvfExportResult result;
    {
        WriterStream stream(writer);
        result = WriteSvf(stream, engine.State(), log, options.SvfTap,
                          "TAP " + std::to_string(options.SvfTap) + " of a run of " +
                              options.ProgramFile);
        stream.flush();
    }
    if (result.Refusal) {
        err << "scanbench-run: --svf: " << *result.Refusal << "\n";
        return false;
    }
    for (const SvfProblem& problem : result.Problems) {
        err << "scanbench-run: --svf: line " << problem.Line << ": " << problem.Message << "\n";
    }
    if (!writer.Commit()) {
        err << "scanbench-run: cannot write " << *options.SvfFile << ": " << writer.Error() << "\n";
        return false;
    }
    return true;
}

// The local date and time as the export header shows them.
std::pair<std::string, std::string> Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[64] = {};
    char time[64] = {};
    std::strftime(date, sizeof date, "%x", &local);
    std::strftime(time, sizeof time, "%X", &local);
    return {date, time};
}

// Writes the export through a writer opened before the run, streaming it
// so that a store of millions of events is never formatted in memory whole.
bool WriteExport(AtomicFileWriter& writer, const std::string& path, const EventStore& store,
                 std::ostream& err) {
    {
        WriterStream stream(writer);
        const auto [date, time] = Now();
        WriteEventExport(stream, store, date, time);
        stream.flush();
    }
    if (!writer.Commit()) {
        err << "scanbench-run: cannot write " << path << ": " << writer.Error() << "\n";
        return false;
    }
    return true;
}

// The verdict of an SVF file's run; true on a TDO mismatch.
bool PrintSvfVerdict(std::ostream& out, const SvfImport& svf, const Engine& engine, bool halted,
                     std::uint8_t tap) {
    const ControllerRegisters& regs = engine.State().Registers;
    const SvfVerdict verdict = JudgeSvfRun(svf, halted, regs.CurrentLine, regs.Counter[tap & 1]);
    switch (verdict.Outcome) {
    case SvfOutcome::Passed:
        out << "svf: passed, " << svf.Checks
            << (svf.Checks == 1 ? " TDO check\n" : " TDO checks\n");
        return false;
    case SvfOutcome::Mismatch:
        out << "svf: TDO mismatch, first at line " << verdict.FirstMismatchLine
            << " of the SVF file\n";
        return true;
    case SvfOutcome::Unfinished:
        out << "svf: not finished\n";
        return false;
    }
    return false;
}

void PrintTap(std::ostream& out, const Engine& engine, const HeadlessReporter& reporter,
              std::uint8_t tap) {
    out << "tap" << int(tap) << ": state=" << TapStateNames[engine.Taps().State(tap)]
        << " counter=" << reporter.Counter[tap] << " flags=" << reporter.Flags[tap] << "\n";
}

} // namespace

int RunHeadless(const RunnerOptions& options, Settings settings, const std::string& programText,
                std::ostream& out, std::ostream& err, const SvfImport* svf,
                const RunnerPortOpener& openPort) {
    ApplyOverrides(options, settings);
    if (const std::optional<std::string> shared = SharedOutput(options)) {
        err << "scanbench-run: " << *shared << "; nothing was run\n";
        return RunnerExit::Usage;
    }
    for (const std::string& notice : PortChoiceNotices(settings)) {
        err << "scanbench-run: " << notice << "\n";
    }
    // The export's file is claimed before the run: a target that may not be
    // written (a device, the program itself) stops everything before the
    // port is touched, and an interrupted run leaves no temporary file.
    std::optional<AtomicFileWriter> events;
    if (options.EventsFile) {
        events.emplace(*options.EventsFile, WriteRules{.Protected = {options.ProgramFile}});
        if (!events->IsOpen()) {
            err << "scanbench-run: cannot write " << *options.EventsFile << ": " << events->Error()
                << "\n";
            return RunnerExit::Usage;
        }
    }
    std::optional<AtomicFileWriter> svfFile;
    if (options.SvfFile) {
        svfFile.emplace(*options.SvfFile, WriteRules{.Protected = {options.ProgramFile}});
        if (!svfFile->IsOpen()) {
            err << "scanbench-run: cannot write " << *options.SvfFile << ": " << svfFile->Error()
                << "\n";
            return RunnerExit::Usage;
        }
    }
    const std::unique_ptr<PortAccess> port =
        openPort ? openPort(settings)
                 : OpenPort(settings.Port, settings.Pins, settings.Board, settings.Remote);
    if (!port->DriverAvailable()) {
        // Running on would report results the hardware never produced.
        const std::string problem = port->Problem();
        if (settings.Port == PortKind::Board && !problem.empty()) {
            // A board file that cannot be used: its message says it all.
            err << "scanbench-run: " << problem << "\n";
            return RunnerExit::Usage;
        }
        err << "scanbench-run: " << Status::DriverFailed << " The " << PortKindName(settings.Port)
            << " port cannot be opened; nothing was run.\n";
        if (!problem.empty()) {
            err << "scanbench-run: " << problem << "\n";
        }
        return RunnerExit::Usage;
    }
    port->SetDirectAccess(true);
    if (!options.Switches.empty()) {
        if (port->Chips() == nullptr) {
            err << "scanbench-run: --switches needs a board of chips: the demo board or a board "
                   "file (--board demo|FILE.json --port board)\n";
            return RunnerExit::Usage;
        }
        if (const auto problem = ApplySwitchSettings(options.Switches, *port->Chips())) {
            err << "scanbench-run: --switches: " << *problem << "\n";
            return RunnerExit::Usage;
        }
    }
    PortSignals signals(*port, settings.Pins);
    HeadlessReporter reporter;
    Engine engine(reporter, signals);
    engine.Switches().ShowZ = settings.ShowZ;
    engine.Switches().ActiveMode = settings.ActiveMode;
    StringProgramText program(programText);
    engine.SetProgram(program);

    engine.OpenProgram();

    // The dump is written while the events are played; its file is claimed
    // first, so that a path that may not be written is reported at once.
    std::optional<AtomicFileWriter> vcdFile;
    std::optional<WriterStream> vcdStream;
    std::optional<VcdRecorder> vcd;
    if (options.VcdFile) {
        vcdFile.emplace(*options.VcdFile, WriteRules{.Protected = {options.ProgramFile}});
        if (!vcdFile->IsOpen()) {
            err << "scanbench-run: cannot write " << *options.VcdFile << ": " << vcdFile->Error()
                << "\n";
            return RunnerExit::Usage;
        }
        vcdStream.emplace(*vcdFile);
        const auto [date, time] = Now();
        vcd.emplace(*vcdStream, date + " " + time);
    }
    ShiftCompareLog compares(engine.State());
    {
        std::optional<Engine::PlaybackSubscription> dumping;
        std::optional<Engine::PlaybackSubscription> comparing;
        if (vcd) {
            dumping.emplace(engine.ObservePlayback(*vcd));
        }
        if (svfFile) {
            comparing.emplace(engine.ObservePlayback(compares));
        }
        (void)engine.ExecuteSteps(options.MaxSteps.value_or(UINT64_MAX));
    }

    const RunState& run = engine.State().Run;

    std::string end = "end-of-text";
    int code = RunnerExit::Halt;
    if (const std::string problem = port->Problem(); !problem.empty()) {
        // The port went away during the run: what was read is not real.
        err << "scanbench-run: " << problem << "\n";
        end = "port-lost";
        code = RunnerExit::Error;
    } else if (!run.ProgramEnded) {
        end = "max-steps";
        code = RunnerExit::MaxSteps;
    } else if (reporter.Colour == StatusColour::Red) {
        end = "error";
        code = RunnerExit::Error;
    } else if (reporter.Status == Status::Halt) {
        end = "halt";
    }
    out << "status: " << reporter.Status << "\n"
        << "end: " << end << "\n"
        << "line: " << engine.Registers().CurrentLine << "\n";
    PrintTap(out, engine, reporter, 0);
    PrintTap(out, engine, reporter, 1);
    out << "events: " << engine.Events().EventCount()
        << " played: " << engine.Events().PlayedCount() << "\n";
    if (const ChipBoard* chips = port->Chips()) {
        PrintBoard(out, *chips);
    }
    if (svf != nullptr && PrintSvfVerdict(out, *svf, engine, end == "halt", options.SvfTap) &&
        code == RunnerExit::Halt) {
        code = RunnerExit::Error;
    }

    if (events && !WriteExport(*events, *options.EventsFile, engine.Events(), err)) {
        return RunnerExit::Usage;
    }
    if (svfFile && !WriteSvfFile(*svfFile, options, engine, compares, err)) {
        return RunnerExit::Usage;
    }
    if (vcd) {
        vcd->Finish();
        vcdStream->flush();
        if (!vcdFile->Commit()) {
            err << "scanbench-run: cannot write " << *options.VcdFile << ": " << vcdFile->Error()
                << "\n";
            return RunnerExit::Usage;
        }
    }
    return code;
}

} // namespace scanbench
