#pragma once

#include "engine/engine.h"
#include "engine/reporter_relay.h"
#include "port/open_port.h"
#include "port/port_signals.h"
#include "ui/main_window.h"
#include "ui/program_file_controller.h"
#include "ui/run_controller.h"
#include "ui/standard_interaction.h"

#include <memory>

namespace scanbench::bench {

// The main window over the simulated loopback board with default pins, as
// the program builds it, for the tools in this folder.
struct BoardWindow {
    explicit BoardWindow(const QString& program, bool speedRun = true, bool portAvailable = true)
        : Port(OpenPort(PortKind::Board, PinSettings{}, BoardKind::Loopback)),
          Signals(*Port, PinSettings{}), Eng(Relay, Signals) {
        Eng.Switches().SpeedRun = speedRun;
        MainWindowOptions options;
        options.StartFile = program;
        options.PortAvailable = portAvailable;
        Window = std::make_unique<MainWindow>(Eng, Relay, User, std::move(options));
    }

    std::unique_ptr<PortAccess> Port;
    PortSignals Signals;
    ReporterRelay Relay;
    Engine Eng;
    StandardInteraction User;
    std::unique_ptr<MainWindow> Window;
};

} // namespace scanbench::bench
