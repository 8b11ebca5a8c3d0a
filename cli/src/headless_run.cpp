#include "cli/headless_run.h"

#include "cli/headless_reporter.h"
#include "cli/replacing_file.h"
#include "engine/engine.h"
#include "engine/event_export.h"
#include "engine/result_codes.h"
#include "engine/tap_state.h"
#include "engine/vcd_writer.h"
#include "port/open_port.h"
#include "port/port_access.h"
#include "port/port_signals.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>

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

// Writes the export next to its destination first and renames it into place,
// so a failed write never leaves a truncated file behind.
bool WriteExport(const std::string& path, const EventStore& store, std::ostream& err) {
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) {
            err << "scanbench-run: cannot write " << path << "\n";
            return false;
        }
        const auto [date, time] = Now();
        WriteEventExport(file, store, date, time);
        file.flush();
        if (!file) {
            err << "scanbench-run: error while writing " << path << "\n";
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        err << "scanbench-run: cannot write " << path << ": " << error.message() << "\n";
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void PrintTap(std::ostream& out, const Engine& engine, const HeadlessReporter& reporter,
              std::uint8_t tap) {
    out << "tap" << int(tap) << ": state=" << TapStateNames[engine.Taps().State(tap)]
        << " counter=" << reporter.Counter[tap] << " flags=" << reporter.Flags[tap] << "\n";
}

} // namespace

int RunHeadless(const RunnerOptions& options, Settings settings, const std::string& programText,
                std::ostream& out, std::ostream& err) {
    ApplyOverrides(options, settings);
    const std::unique_ptr<PortAccess> port = OpenPort(settings.Port, settings.Pins, settings.Board);
    if (!port->DriverAvailable()) {
        err << "scanbench-run: " << Status::DriverFailed << "\n";
    }
    port->SetDirectAccess(true);
    PortSignals signals(*port, settings.Pins);
    HeadlessReporter reporter;
    Engine engine(reporter, signals);
    engine.Switches().SpeedRun = settings.SpeedRun;
    engine.Switches().ShowZ = settings.ShowZ;
    engine.Switches().ActiveMode = settings.ActiveMode;
    StringProgramText program(programText);
    engine.SetProgram(program);

    engine.OpenProgram();

    // The dump is written while the events are played; its file is opened
    // first, so that a path that cannot be written is reported at once.
    std::optional<ReplacingFile> vcdFile;
    std::optional<VcdRecorder> vcd;
    if (options.VcdFile) {
        vcdFile.emplace(*options.VcdFile);
        if (!vcdFile->IsOpen()) {
            err << "scanbench-run: " << vcdFile->Error() << "\n";
            return RunnerExit::Usage;
        }
        const auto [date, time] = Now();
        vcd.emplace(vcdFile->Stream(), date + " " + time);
        engine.ObservePlayback(&*vcd);
    }

    const RunState& run = engine.State().Run;
    std::uint64_t steps = 0;
    const std::uint64_t limit = options.MaxSteps.value_or(UINT64_MAX);
    while (!run.ProgramEnded && steps < limit) {
        engine.ExecuteStep();
        ++steps;
    }
    engine.ObservePlayback(nullptr);

    std::string end = "end-of-text";
    int code = RunnerExit::Halt;
    if (!run.ProgramEnded) {
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

    if (options.EventsFile && !WriteExport(*options.EventsFile, engine.Events(), err)) {
        return RunnerExit::Usage;
    }
    if (vcd) {
        vcd->Finish();
        if (!vcdFile->Commit()) {
            err << "scanbench-run: " << vcdFile->Error() << "\n";
            return RunnerExit::Usage;
        }
    }
    return code;
}

} // namespace scanbench
