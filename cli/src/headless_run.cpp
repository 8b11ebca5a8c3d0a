#include "cli/headless_run.h"

#include "board/chip_board.h"
#include "cli/board_report.h"
#include "cli/headless_reporter.h"
#include "cli/switch_settings.h"
#include "engine/events/event_export.h"
#include "engine/events/vcd_writer.h"
#include "engine/interpreter/result_codes.h"
#include "engine/run/engine.h"
#include "engine/tap/tap_state.h"
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

// False, with the reason told, when two outputs name one file; notes on the
// port choice are told too.
bool CheckOutputsAndPort(const RunnerOptions& options, const Settings& settings,
                         std::ostream& err) {
    if (const std::optional<std::string> shared = SharedOutput(options)) {
        err << "scanbench-run: " << *shared << "; nothing was run\n";
        return false;
    }
    for (const std::string& notice : PortChoiceNotices(settings)) {
        err << "scanbench-run: " << notice << "\n";
    }
    return true;
}

// Claims the file an output option names, before anything is run: a target
// that may not be written (a device, the program itself) is reported at once,
// and an interrupted run leaves no temporary file. False when it cannot be
// claimed; nothing to claim when the option is not given.
bool ClaimOutput(const std::optional<std::string>& path, const RunnerOptions& options,
                 std::optional<AtomicFileWriter>& writer, std::ostream& err) {
    if (!path) {
        return true;
    }
    writer.emplace(*path, WriteRules{.Protected = {options.ProgramFile}});
    if (!writer->IsOpen()) {
        err << "scanbench-run: cannot write " << *path << ": " << writer->Error() << "\n";
        return false;
    }
    return true;
}

// Puts the written file in place of the target.
bool CommitOutput(AtomicFileWriter& writer, const std::string& path, std::ostream& err) {
    if (!writer.Commit()) {
        err << "scanbench-run: cannot write " << path << ": " << writer.Error() << "\n";
        return false;
    }
    return true;
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
    return CommitOutput(writer, *options.SvfFile, err);
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
    return CommitOutput(writer, path, err);
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

// The port the settings choose, ready for the run; nothing, with the reason
// told, when it cannot be opened: running on would report results the
// hardware never produced.
std::unique_ptr<PortAccess> OpenRunPort(const Settings& settings, const RunnerPortOpener& openPort,
                                        std::ostream& err) {
    std::unique_ptr<PortAccess> port =
        openPort ? openPort(settings)
                 : OpenPort(settings.Port, settings.Pins, settings.Board, settings.Remote);
    if (port->DriverAvailable()) {
        port->SetDirectAccess(true);
        return port;
    }
    const std::string problem = port->Problem();
    if (settings.Port == PortKind::Board && !problem.empty()) {
        // A board file that cannot be used: its message says it all.
        err << "scanbench-run: " << problem << "\n";
        return nullptr;
    }
    err << "scanbench-run: " << Status::DriverFailed << " The " << PortKindName(settings.Port)
        << " port cannot be opened; nothing was run.\n";
    if (!problem.empty()) {
        err << "scanbench-run: " << problem << "\n";
    }
    return nullptr;
}

// Sets the board's switches as --switches asks; false, with the reason told,
// when they cannot be set.
bool SetSwitches(const RunnerOptions& options, PortAccess& port, std::ostream& err) {
    if (options.Switches.empty()) {
        return true;
    }
    if (port.Chips() == nullptr) {
        err << "scanbench-run: --switches needs a board of chips: the demo board or a board "
               "file (--board demo|FILE.json --port board)\n";
        return false;
    }
    if (const auto problem = ApplySwitchSettings(options.Switches, *port.Chips())) {
        err << "scanbench-run: --switches: " << *problem << "\n";
        return false;
    }
    return true;
}

bool SetFaults(const RunnerOptions& options, PortAccess& port, std::ostream& err) {
    if (options.Faults.Empty()) {
        return true;
    }
    if (port.Chips() == nullptr) {
        err << "scanbench-run: --fault needs a board with nets: --board interconnect or a board "
               "file with nets (--port board)\n";
        return false;
    }
    if (const auto problem = ApplyFaultChoice(options.Faults, *port.Chips())) {
        err << "scanbench-run: --fault: " << *problem << "\n";
        return false;
    }
    return true;
}

// How a run ended, as the summary names it, and the runner's exit code.
struct RunEnd {
    std::string Name = "end-of-text";
    int Code = RunnerExit::Halt;
};

RunEnd JudgeEnd(const Engine& engine, const HeadlessReporter& reporter, const PortAccess& port,
                std::ostream& err) {
    if (const std::string problem = port.Problem(); !problem.empty()) {
        // The port went away during the run: what was read is not real.
        err << "scanbench-run: " << problem << "\n";
        return {"port-lost", RunnerExit::Error};
    }
    if (!engine.State().Run.ProgramEnded) {
        return {"max-steps", RunnerExit::MaxSteps};
    }
    if (reporter.Colour == StatusColour::Red) {
        return {"error", RunnerExit::Error};
    }
    if (reporter.Status == Status::Halt) {
        return {"halt", RunnerExit::Halt};
    }
    return {};
}

void PrintSummary(std::ostream& out, const RunEnd& end, const Engine& engine,
                  const HeadlessReporter& reporter, PortAccess& port) {
    out << "status: " << reporter.Status << "\n"
        << "end: " << end.Name << "\n"
        << "line: " << engine.State().Registers.CurrentLine << "\n";
    PrintTap(out, engine, reporter, 0);
    PrintTap(out, engine, reporter, 1);
    out << "events: " << engine.State().Events.EventCount()
        << " played: " << engine.State().Events.PlayedCount() << "\n";
    if (const ChipBoard* chips = port.Chips()) {
        PrintBoard(out, *chips);
    }
}

// The value change dump, written while the events are played.
struct VcdOutput {
    std::optional<AtomicFileWriter> File;
    std::optional<WriterStream> Stream;
    std::optional<VcdRecorder> Recorder;

    [[nodiscard]] bool Claim(const RunnerOptions& options, std::ostream& err) {
        if (!ClaimOutput(options.VcdFile, options, File, err)) {
            return false;
        }
        if (File) {
            Stream.emplace(*File);
            const auto [date, time] = Now();
            Recorder.emplace(*Stream, date + " " + time);
        }
        return true;
    }
    [[nodiscard]] bool Finish(const std::string& path, std::ostream& err) {
        Recorder->Finish();
        Stream->flush();
        return CommitOutput(*File, path, err);
    }
};

// Plays the program with the recorders the outputs need listening.
void Play(Engine& engine, const RunnerOptions& options, VcdRecorder* vcd,
          ShiftCompareLog* compares) {
    std::optional<Engine::PlaybackSubscription> dumping;
    std::optional<Engine::PlaybackSubscription> comparing;
    if (vcd != nullptr) {
        dumping.emplace(engine.ObservePlayback(*vcd));
    }
    if (compares != nullptr) {
        comparing.emplace(engine.ObservePlayback(*compares));
    }
    (void)engine.ExecuteSteps(options.MaxSteps.value_or(UINT64_MAX));
}

// Tells how the run ended and what it left; the runner's exit code.
int ReportRun(std::ostream& out, std::ostream& err, const Engine& engine,
              const HeadlessReporter& reporter, PortAccess& port, const SvfImport* svf,
              std::uint8_t svfTap) {
    const RunEnd end = JudgeEnd(engine, reporter, port, err);
    PrintSummary(out, end, engine, reporter, port);
    if (svf != nullptr && PrintSvfVerdict(out, *svf, engine, end.Name == "halt", svfTap) &&
        end.Code == RunnerExit::Halt) {
        return RunnerExit::Error;
    }
    return end.Code;
}

} // namespace

int RunHeadless(const RunnerOptions& options, Settings settings, const std::string& programText,
                std::ostream& out, std::ostream& err, const SvfImport* svf,
                const RunnerPortOpener& openPort) {
    ApplyOverrides(options, settings);
    if (!CheckOutputsAndPort(options, settings, err)) {
        return RunnerExit::Usage;
    }
    // The export and the SVF are claimed before the port is touched.
    std::optional<AtomicFileWriter> events;
    std::optional<AtomicFileWriter> svfFile;
    if (!ClaimOutput(options.EventsFile, options, events, err) ||
        !ClaimOutput(options.SvfFile, options, svfFile, err)) {
        return RunnerExit::Usage;
    }
    const std::unique_ptr<PortAccess> port = OpenRunPort(settings, openPort, err);
    if (!port || !SetSwitches(options, *port, err)) {
        return RunnerExit::Usage;
    }
    if (!SetFaults(options, *port, err)) {
        return RunnerExit::Usage;
    }
    PortSignals signals(*port, settings.Pins);
    HeadlessReporter reporter;
    Engine engine(reporter, signals);
    engine.Switches().ShowZ = settings.ShowZ;
    engine.Switches().ActiveMode = settings.ActiveMode;
    StringProgramText program(programText);
    engine.SetProgram(program);
    engine.OpenProgram();
    // The dump's file is claimed before anything is played.
    VcdOutput vcd;
    if (!vcd.Claim(options, err)) {
        return RunnerExit::Usage;
    }
    ShiftCompareLog compares(engine.State());
    Play(engine, options, vcd.Recorder ? &*vcd.Recorder : nullptr, svfFile ? &compares : nullptr);
    const int code = ReportRun(out, err, engine, reporter, *port, svf, options.SvfTap);
    if (const ChipBoard* chips = port->Chips(); chips != nullptr && options.Faults.Revealed) {
        out << "faults: " << NetFaultListText(chips->Faults()) << "\n";
    }

    if (events && !WriteExport(*events, *options.EventsFile, engine.Events(), err)) {
        return RunnerExit::Usage;
    }
    if (svfFile && !WriteSvfFile(*svfFile, options, engine, compares, err)) {
        return RunnerExit::Usage;
    }
    if (vcd.Recorder && !vcd.Finish(*options.VcdFile, err)) {
        return RunnerExit::Usage;
    }
    return code;
}

} // namespace scanbench
