#include "cli/headless_run.h"

#include "board/chip_board.h"
#include "cli/board_report.h"
#include "cli/headless_reporter.h"
#include "cli/switch_settings.h"
#include "engine/engine.h"
#include "engine/event_export.h"
#include "engine/result_codes.h"
#include "engine/tap_state.h"
#include "port/open_port.h"
#include "port/port_access.h"
#include "port/port_signals.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

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
    if (!options.Switches.empty()) {
        if (port->Chips() == nullptr) {
            err << "scanbench-run: --switches needs the demo board (--board demo --port board)\n";
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
    engine.Switches().SpeedRun = settings.SpeedRun;
    engine.Switches().ShowZ = settings.ShowZ;
    engine.Switches().ActiveMode = settings.ActiveMode;
    StringProgramText program(programText);
    engine.SetProgram(program);

    engine.OpenProgram();
    const RunState& run = engine.State().Run;
    std::uint64_t steps = 0;
    const std::uint64_t limit = options.MaxSteps.value_or(UINT64_MAX);
    while (!run.ProgramEnded && steps < limit) {
        engine.ExecuteStep();
        ++steps;
    }

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
    if (const ChipBoard* chips = port->Chips()) {
        PrintBoard(out, *chips);
    }

    if (options.EventsFile && !WriteExport(*options.EventsFile, engine.Events(), err)) {
        return RunnerExit::Usage;
    }
    return code;
}

} // namespace scanbench
