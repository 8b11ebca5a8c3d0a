#pragma once

#include "engine/run/engine.h"
#include "port/port_connection.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "ui/editor/program_file_controller.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/run_controller.h"
#include "ui/main_window/standard_interaction.h"

#include <QTemporaryDir>

#include <memory>

namespace scanbench::bench {

// The main window over the simulated board that the default settings choose
// (the demo board, default pins), as the program builds it, for the tools in
// this folder; Values says what it simulates. Its settings store
// lives in a temporary folder, so nothing the tools do reaches the user's.
struct BoardWindow {
    explicit BoardWindow(const QString& program, bool speedRun = true, bool portAvailable = true,
                         int shownZoom = 100, ExampleFolders boards = {})
        : Store(std::filesystem::path(Scratch.path().toStdString()) / "kzt.json",
                FileTypeRegistrar(Scratch.path().toStdString(), FileTypeRegistrar::NoTools())),
          Port(Values.Port, Values.Pins, Values.Board), Eng(Port.Signals()) {
        Values.SpeedRun = speedRun;
        MainWindowOptions options;
        options.StartFile = program;
        options.PortAvailable = portAvailable;
        options.Classroom.ShownZoom = shownZoom;
        options.Boards = std::move(boards); // where a program's Board line finds a board file
        Window = std::make_unique<MainWindow>(Eng, User, Workbench{Values, Store, Port},
                                              std::move(options));
    }

    QTemporaryDir Scratch;
    Settings Values;
    SettingsStore Store;
    PortConnection Port;
    Engine Eng;
    StandardInteraction User;
    std::unique_ptr<MainWindow> Window;
};

} // namespace scanbench::bench
